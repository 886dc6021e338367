#pragma once
// pixfold-batch: the catalogue engine and the settings from the command line.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace pixfold::batch {

enum ExitCode { kExitOk = 0, kExitMessages = 1, kExitUsage = 2 };

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// Runs a command; anything it throws ends it with a message on `err` and
// status 2, never with an abort.
int RunGuarded(const std::function<int()>& command, std::FILE* err);

}  // namespace pixfold::batch
