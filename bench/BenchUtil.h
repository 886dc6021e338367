#pragma once
// Helpers for the benchmark programs: clocks, memory, the photo sets, and
// measurements run in a process of their own.

#include <string>
#include <vector>

namespace pixfold::bench {

double NowSeconds();
double CpuSeconds();   // of every thread of this process
long ResidentBytes();  // current resident set size
std::vector<std::string> JpegFilesIn(const std::string& folder);
std::string MakeTempDir();
void RemoveTree(const std::string& path);

// The photos the benchmarks use when given no folder, made once in the build
// folder from the test images: camera-like sizes with a fixed grain.
struct PhotoSets {
    std::string baseline12;     // 12 MP baseline
    std::string baseline24;     // 24 MP baseline
    std::string progressive12;  // 12 MP progressive
    std::string small1;         // 1 MP baseline
};
// Empty folders (after a message) when the photos cannot be made.
PhotoSets MakePhotoSets();
// A folder of `count` links to the given photos, in turn.
std::string LinkFolder(const std::string& name, const std::vector<std::string>& photos, int count);

// The CPU model and the number of cores this process may use.
std::string MachineName();
int UsableCores();

// Runs this program again with the arguments and returns what it printed on
// standard output (empty on failure). Each measurement starts from a fresh
// process, so none inherits the allocator state another left behind.
std::string RunSelf(const std::vector<std::string>& args);
// Keeps this process (and the threads it starts) on one core.
bool PinToOneCore();

}  // namespace pixfold::bench
