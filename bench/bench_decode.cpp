// Decoding large photos at the thumbnail scale (1/8) through JpegFile::ReadRgb,
// against plain libjpeg calls doing the same decode in the same run.
// Usage: bench_decode [FOLDER]   (default: photos made from the test images)

#include <algorithm>
#include <cstdio>

#include "BenchUtil.h"
#include "PlainDecode.h"
#include "jpeg/JpegFile.h"

using namespace pixfold;
using namespace pixfold::bench;

int main(int argc, char** argv) {
    const std::string folder = PhotoFolder(argc, argv);
    if (folder.empty()) {
        return 2;
    }
    const auto files = JpegFilesIn(folder);
    if (files.empty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", folder.c_str());
        return 2;
    }
    const int rounds = 5;
    double bestOurs = 1e9, bestPlain = 1e9;
    uint64_t sink = 0;
    for (int r = 0; r < rounds; ++r) {
        // Interleaved so that both see the same machine load and caches.
        double t0 = NowSeconds();
        for (const auto& f : files) {
            sink += PlainDecode(f, 8, &sink);
        }
        double t1 = NowSeconds();
        for (const auto& f : files) {
            uint32_t w = 0, h = 0;
            PixelBuffer px = JpegFile::ReadRgb(f, w, h, 1, 8);
            sink += px ? px[0] : 0;
        }
        double t2 = NowSeconds();
        bestPlain = std::min(bestPlain, t1 - t0);
        bestOurs = std::min(bestOurs, t2 - t1);
    }
    std::printf("decode at 1/8, %zu photos from %s (best of %d)\n", files.size(), folder.c_str(),
                rounds);
    std::printf("plain libjpeg: %.3f s\n", bestPlain);
    std::printf("ReadRgb:       %.3f s\n", bestOurs);
    std::printf("ratio ReadRgb / plain: %.3f (target <= 1.05)\n", bestOurs / bestPlain);
    std::fprintf(stderr, "(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
