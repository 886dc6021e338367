#pragma once
// Helpers for the benchmark programs: clocks, memory, and the photo folder.

#include <string>
#include <vector>

namespace pixfold::bench {

double NowSeconds();
long ResidentBytes();  // current resident set size
std::vector<std::string> JpegFilesIn(const std::string& folder);
// The folder named on the command line, else large photos made once in the
// build folder from the test images (empty after a message when they cannot be).
std::string PhotoFolder(int argc, char** argv);
std::string MakeTempDir();
void RemoveTree(const std::string& path);

}  // namespace pixfold::bench
