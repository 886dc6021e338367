#pragma once
// Where the user guide is: beside the program (a build) or in its share
// folder (an installation).

#include <string>

namespace pixfold {

// The guide's path, or "" when it cannot be found. `exeDir` is the folder of
// the running program.
std::string FindUserGuide(const std::string& exeDir);

inline constexpr const char* kGuideName = "pixfold-guide.html";

}  // namespace pixfold
