#pragma once
// The program's command line: at most a folder, or --help / --version. Read
// before the toolkit starts, so that neither needs a display.

#include <cstdio>
#include <string>
#include <vector>

namespace pixfold {

const char* ProgramVersion();

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string folder;   // Run: as given, empty for none
    std::string problem;  // Error: what was wrong
};

// `args` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Answers --help, --version and mistakes on the streams. Returns the exit status,
// or -1 when the window should start (on `folder`, which may be empty).
int AnswerCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err, std::string& folder);

// The absolute form of a folder path: relative to `cwd`, "." and ".." resolved,
// no repeated or trailing slash. ".." after a symbolic link resolves as the file
// system does, so the result names the same folder as the path.
std::string NormalizeFolderPath(const std::string& path, const std::string& cwd);

}  // namespace pixfold
