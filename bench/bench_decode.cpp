// Decoding large photos at the thumbnail scale (1/8) through JpegFile::ReadRgb,
// against plain libjpeg through its own file source doing the same decode in
// the same run, interleaved; CPU time, best of the rounds.
// Usage: bench_decode [FOLDER]   (default: the 12 MP photos made from the test images)

#include <algorithm>
#include <cstdio>

#include "BenchUtil.h"
#include "PlainJpeg.h"
#include "jpeg/JpegFile.h"

using namespace pixfold;
using namespace pixfold::bench;

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : MakePhotoSets().baseline12;
    const auto files = folder.empty() ? std::vector<std::string>{} : JpegFilesIn(folder);
    if (files.empty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", folder.c_str());
        return 2;
    }
    const int rounds = 5;
    double bestOurs = 1e9, bestPlain = 1e9;
    uint64_t sink = 0;
    for (int r = 0; r < rounds; ++r) {
        double c0 = CpuSeconds();
        for (const auto& f : files) {
            sink += PlainDecode(f, 8, &sink);
        }
        double c1 = CpuSeconds();
        for (const auto& f : files) {
            uint32_t w = 0, h = 0;
            PixelBuffer px = JpegFile::ReadRgb(f, w, h, 1, 8);
            sink += px ? px[0] : 0;
        }
        double c2 = CpuSeconds();
        bestPlain = std::min(bestPlain, c1 - c0);
        bestOurs = std::min(bestOurs, c2 - c1);
    }
    std::printf("decode at 1/8, %zu photos from %s (CPU time, best of %d)\n", files.size(),
                folder.c_str(), rounds);
    std::printf("plain libjpeg: %.3f s\n", bestPlain);
    std::printf("ReadRgb:       %.3f s\n", bestOurs);
    std::printf("ratio ReadRgb / plain: %.3f (target <= 1.05)\n", bestOurs / bestPlain);
    std::fprintf(stderr, "(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
