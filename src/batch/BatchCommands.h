#pragma once
// pixfold-batch: the catalogue engine and the settings from the command line.

#include <cstdio>
#include <string>
#include <vector>

namespace pixfold::batch {

enum ExitCode { kExitOk = 0, kExitMessages = 1, kExitUsage = 2 };

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

}  // namespace pixfold::batch
