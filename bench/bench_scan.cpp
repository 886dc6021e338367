// Scanning folders of photos as Open Folder does (pitch 103) against the
// floor: plain libjpeg through its own file source decoding the same files at
// the same factors and averaging them down (PlainJpeg.cpp). Every run is a
// process of its own, so none inherits the allocator state of another. One
// core: CPU time, the scan pinned to one core. All cores: the scan's wall time.
// Both are divided by the floor's CPU time (one core, the best a single
// thread can do), best of the rounds, with the spread over the rounds. Then
// opening a folder again against opening it first (the thumbnail cache), and
// the memory a scan of 1,000 large photos keeps.
// Usage: bench_scan [FOLDER] [--rounds N]   (default: photos made from the test images)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "PlainJpeg.h"
#include "catalog/FolderScan.h"
#include "jpeg/PixelOps.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

constexpr uint64_t kCacheLimit = uint64_t{1} << 30;

// --- measurements, each in a child process -----------------------------------

int Measure(const std::vector<std::string>& args) {
    const std::string& kind = args[0];
    const std::string& folder = args[1];
    std::string cache;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--one-core" && !PinToOneCore()) {
            return 1;
        }
        if (args[i] == "--cache" && i + 1 < args.size()) {
            cache = args[++i];
            setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        }
    }
    ScanSettings settings;
    settings.cacheLimit = cache.empty() ? 0 : kCacheLimit;
    if (kind == "floor") {
        const auto files = JpegFilesIn(folder);
        uint64_t sink = 0;
        const double c0 = CpuSeconds(), t0 = NowSeconds();
        for (const auto& f : files) {
            sink += PlainThumbnail(f, 103, 100, &sink);
        }
        std::printf("%.6f %.6f %zu %llu\n", CpuSeconds() - c0, NowSeconds() - t0, files.size(),
                    static_cast<unsigned long long>(sink % 7));
        return 0;
    }
    if (kind == "scan") {
        ThumbCatalog list;
        const double c0 = CpuSeconds(), t0 = NowSeconds();
        OpenFolder(list, folder, settings);
        std::printf("%.6f %.6f %zu\n", CpuSeconds() - c0, NowSeconds() - t0, list.size());
        return 0;
    }
    if (kind == "reopen") {
        ThumbCatalog list;
        const double t0 = NowSeconds();
        OpenFolder(list, folder, settings);
        const double t1 = NowSeconds();
        OpenFolder(list, folder, settings);
        std::printf("%.6f %.6f %zu\n", t1 - t0, NowSeconds() - t1, list.size());
        return 0;
    }
    if (kind == "memory") {
        const long before = ResidentBytes();
        ThumbCatalog list;
        OpenFolder(list, folder, settings);
        const long after = ResidentBytes();
        uint64_t thumbBytes = 0;
        for (const auto& rec : list) {
            thumbBytes += uint64_t{AlignedRowLength(rec->m_nThumbWidth)} * rec->m_nThumbHeight;
        }
        std::printf("%ld %llu %zu\n", after - before, static_cast<unsigned long long>(thumbBytes),
                    list.size());
        return 0;
    }
    return 1;
}

// --- the report ---------------------------------------------------------------

std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> v;
    for (double d; in >> d;) {
        v.push_back(d);
    }
    return v;
}

std::vector<double> Run(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--measure"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<double> v = Numbers(RunSelf(all));
    if (v.size() < 3) {
        std::fprintf(stderr, "bench_scan: a measurement failed: %s %s\n", args[0].c_str(),
                     args[1].c_str());
        std::exit(2);
    }
    return v;
}

struct Set {
    std::string name;
    std::string folder;
};

void SpeedRow(const Set& set, int rounds) {
    double floorBest = 1e30, oneBest = 1e30, allBest = 1e30;
    double oneLo = 1e30, oneHi = 0, allLo = 1e30, allHi = 0;
    size_t photos = 0;
    for (int r = 0; r < rounds; ++r) {
        // Interleaved, so that all three see the same load on the machine.
        const auto floor = Run({"floor", set.folder, "--one-core"});
        const auto one = Run({"scan", set.folder, "--one-core"});
        const auto all = Run({"scan", set.folder});
        photos = static_cast<size_t>(floor[2]);
        floorBest = std::min(floorBest, floor[0]);
        oneBest = std::min(oneBest, one[0]);
        allBest = std::min(allBest, all[1]);
        oneLo = std::min(oneLo, one[0] / floor[0]);
        oneHi = std::max(oneHi, one[0] / floor[0]);
        allLo = std::min(allLo, all[1] / floor[0]);
        allHi = std::max(allHi, all[1] / floor[0]);
    }
    std::printf("%-24s %6zu %10.1f    %5.2fx (%.2f-%.2f)    %5.2fx (%.2f-%.2f)\n", set.name.c_str(),
                photos, floorBest * 1000 / double(photos), oneBest / floorBest, oneLo, oneHi,
                allBest / floorBest, allLo, allHi);
}

void ReopenRow(const std::string& name, const std::string& folder) {
    const std::string cache = MakeTempDir();
    const auto v = Run({"reopen", folder, "--cache", cache});
    RemoveTree(cache);
    std::printf("%-24s %6.0f   first %7.3f s   again %7.3f s   again / first %.3f\n", name.c_str(),
                v[2], v[0], v[1], v[1] / v[0]);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--measure") {
        return args.size() >= 3 ? Measure({args.begin() + 1, args.end()}) : 2;
    }
    int rounds = 5;
    std::string given;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--rounds" && i + 1 < args.size()) {
            rounds = std::max(1, std::atoi(args[++i].c_str()));
        } else {
            given = args[i];
        }
    }

    std::vector<Set> speed;
    std::vector<std::string> large, small, twelve;
    if (!given.empty()) {
        speed.push_back({"the folder given", given});
        large = JpegFilesIn(given);
        twelve = large;
    } else {
        const PhotoSets sets = MakePhotoSets();
        if (sets.baseline12.empty()) {
            return 2;
        }
        // Enough photos in each folder that what a scan pays once (threads,
        // first allocations) counts as little as it does in a real folder.
        small = JpegFilesIn(sets.small1);
        const auto b12 = JpegFilesIn(sets.baseline12);
        const auto b24 = JpegFilesIn(sets.baseline24);
        speed = {{"12 MP baseline", LinkFolder("12mp-x40", b12, 40)},
                 {"24 MP baseline", LinkFolder("24mp-x20", b24, 20)},
                 {"12 MP progressive",
                  LinkFolder("12mp-progressive-x16", JpegFilesIn(sets.progressive12), 16)},
                 {"1 MP baseline", LinkFolder("1mp-x1000", small, 1000)}};
        large = twelve = b12;
        large.insert(large.end(), b24.begin(), b24.end());
    }
    if (large.empty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", given.c_str());
        return 2;
    }
    const int cores = UsableCores();
    std::printf(
        "Scan at pitch 103 on %s, %d cores; best of %d rounds, each run a process of "
        "its own.\n",
        MachineName().c_str(), cores, rounds);
    std::printf(
        "Floor: plain libjpeg through its file source at the scan's factors, plus block "
        "averaging, on one core.\n\n");
    std::printf("%-24s %6s %10s    %-20s %-20s\n", "set", "photos", "floor ms", "scan on 1 core",
                ("scan on " + std::to_string(cores) + " cores").c_str());
    for (const Set& set : speed) {
        SpeedRow(set, rounds);
    }
    std::printf(
        "(targets: 1 core at most 0.92x for 12 and 24 MP, 1.00x for 1 MP; all cores at "
        "most 0.55x)\n\n");

    std::printf("Opening a folder again (thumbnail cache), all cores:\n");
    ReopenRow("large photos x 200", LinkFolder("large-x200", large, 200));
    if (!small.empty()) {
        ReopenRow("1 MP photos x 1,000", LinkFolder("1mp-x1000", small, 1000));
    }
    std::printf("(target: again / first at most 0.05 for 200 photos)\n\n");

    const auto mem = Run({"memory", LinkFolder("memory-x1000", twelve, 1000)});
    const double allowed = 1.2 * mem[1] + 8.0 * 1048576;
    std::printf(
        "Memory after scanning %.0f %s photos on all cores (no cache): %.1f MiB more "
        "resident than before;\n",
        mem[2], given.empty() ? "12 MP" : "of the given", mem[0] / 1048576);
    std::printf(
        "thumbnails %.1f MiB, allowed 1.2 x that + 8 MiB = %.1f MiB: ratio %.3f (target <= "
        "1.00;\nno allowance for the %d workers' decode buffers, one each, reused: they are "
        "freed by then)\n",
        mem[1] / 1048576, allowed / 1048576, mem[0] / allowed, std::min(cores, 8));
    return 0;
}
