#include <cstdio>
#include <string>
#include <vector>

#include "batch/BatchCommands.h"

int main(int argc, char** argv) {
    return pixfold::batch::RunGuarded(
        [&] {
            const std::vector<std::string> args(argv + 1, argv + argc);
            return pixfold::batch::Run(args, stdout, stderr);
        },
        stderr);
}
