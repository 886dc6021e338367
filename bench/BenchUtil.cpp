#include "BenchUtil.h"

#include <dirent.h>
#include <ftw.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "jpeg/JpegFile.h"
#include "platform/ConfigDir.h"
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

namespace {

struct MadePhoto {
    const char* source;  // in the test images
    uint32_t width, height;
    const char* name;
};

// Camera-like sizes, 8 to 20 megapixels, landscape and portrait.
constexpr MadePhoto kMadePhotos[] = {
    {"baseline-ycc444-photo-512x512.jpg", 4000, 3000, "made-12mp-4000x3000.jpg"},
    {"baseline-ycc422-640x480.jpg", 3264, 2448, "made-8mp-3264x2448.jpg"},
    {"baseline-ycc420-227x149.jpg", 5312, 2988, "made-16mp-5312x2988.jpg"},
    {"baseline-ycc422-640x480.jpg", 6028, 3391, "made-20mp-6028x3391.jpg"},
    {"baseline-ycc444-photo-512x512.jpg", 4608, 1976, "made-9mp-4608x1976.jpg"},
    {"ycck-adobe-100x100.jpg", 2448, 3264, "made-8mp-2448x3264.jpg"},
};

// Bilinear enlargement plus a fixed grain: a bare enlargement is so smooth that
// it decodes far faster than a real photo of the same size.
std::vector<uint8_t> Enlarge(const uint8_t* src, uint32_t sw, uint32_t sh, uint32_t w, uint32_t h) {
    std::vector<uint8_t> out(size_t{w} * h * 3);
    uint32_t seed = 12345;
    for (uint32_t y = 0; y < h; ++y) {
        const double fy = (y + 0.5) * sh / h - 0.5;
        const uint32_t y0 = fy <= 0 ? 0 : std::min(sh - 1, uint32_t(fy));
        const uint32_t y1 = std::min(sh - 1, y0 + 1);
        const double ay = std::clamp(fy - y0, 0.0, 1.0);
        for (uint32_t x = 0; x < w; ++x) {
            const double fx = (x + 0.5) * sw / w - 0.5;
            const uint32_t x0 = fx <= 0 ? 0 : std::min(sw - 1, uint32_t(fx));
            const uint32_t x1 = std::min(sw - 1, x0 + 1);
            const double ax = std::clamp(fx - x0, 0.0, 1.0);
            seed = seed * 1103515245u + 12345u;
            const int grain = int((seed >> 16) % 25) - 12;
            for (int c = 0; c < 3; ++c) {
                auto at = [&](uint32_t xx, uint32_t yy) {
                    return src[(size_t{yy} * sw + xx) * 3 + c];
                };
                const double top = at(x0, y0) * (1 - ax) + at(x1, y0) * ax;
                const double bottom = at(x0, y1) * (1 - ax) + at(x1, y1) * ax;
                const int v = int(top * (1 - ay) + bottom * ay + 0.5) + grain;
                out[(size_t{y} * w + x) * 3 + c] = uint8_t(std::clamp(v, 0, 255));
            }
        }
    }
    return out;
}

}  // namespace

std::string PhotoFolder(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '\0') {
        return argv[1];
    }
    const std::string folder = PIXFOLD_BENCH_PHOTOS;
    MakeDirs(folder);
    for (const MadePhoto& p : kMadePhotos) {
        const std::string target = folder + "/" + p.name;
        if (access(target.c_str(), R_OK) == 0) {
            continue;
        }
        const std::string source = std::string(PIXFOLD_TESTIMAGES) + "/" + p.source;
        std::fprintf(stderr, "making %s from %s\n", target.c_str(), p.source);
        uint32_t sw = 0, sh = 0;
        PixelBuffer px = JpegFile::ReadRgb(source, sw, sh, 1, 1);
        if (!px) {
            std::fprintf(stderr, "cannot read %s\n", source.c_str());
            return "";
        }
        const std::vector<uint8_t> big = Enlarge(px.get(), sw, sh, p.width, p.height);
        // Written whole or not at all, so a stopped run leaves no half photo.
        if (!JpegFile::WriteRgb(target, big.data(), p.width, p.height, 92)) {
            std::fprintf(stderr, "cannot write %s\n", target.c_str());
            return "";
        }
    }
    return folder;
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
