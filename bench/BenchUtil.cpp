#include "BenchUtil.h"

#include <dirent.h>
#include <ftw.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/FileSearch.h"

namespace pixfold::bench {

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

std::vector<std::string> JpegFilesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const char* pattern : {"/*.jpg", "/*.jpeg"}) {
        for (const FindData& fd : FindFiles(folder + pattern).entries) {
            if (!fd.directory && fd.name[0] != '.') {
                out.push_back(folder + "/" + fd.name);
            }
        }
    }
    return out;
}

std::string PhotoFolder(int argc, char** argv) {
    if (argc > 1) {
        return argv[1];
    }
    return PIXFOLD_PHOTOS;
}

std::string MakeTempDir() {
    char tmpl[] = "/tmp/pixfold-bench-XXXXXX";
    return mkdtemp(tmpl) ? tmpl : "/tmp";
}

void RemoveTree(const std::string& path) {
    nftw(
        path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

}  // namespace pixfold::bench
