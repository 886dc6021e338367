// Scanning folders of large photos as Open Folder does (pitch 103), against
// plain libjpeg decoding the same files at the same scale factors; and the
// memory a scan of 1,000 photos keeps, against the thumbnails' own bytes.
// Usage: bench_scan [FOLDER [COUNT]]   (default: photos made from the test images, 1000)

#include <unistd.h>

#include <climits>

#include <malloc.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "BenchUtil.h"
#include "PlainDecode.h"
#include "catalog/FolderScan.h"
#include "catalog/Thumbnail.h"
#include "jpeg/JpegFile.h"

using namespace pixfold;
using namespace pixfold::bench;

int main(int argc, char** argv) {
    const std::string folder = PhotoFolder(argc, argv);
    if (folder.empty()) {
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 1000;
    const auto files = JpegFilesIn(folder);
    if (files.empty()) {
        std::fprintf(stderr, "no JPEG files in %s\n", folder.c_str());
        return 2;
    }

    // The factors the scan will ask for, worked out beforehand for the floor.
    std::vector<unsigned> denoms;
    for (const auto& f : files) {
        uint32_t w = 0, h = 0;
        JpegFile::ReadDimensions(f, w, h);
        const DecoderScale s = ChooseDecoderScale(w, h, 103, 100);
        denoms.push_back(JpegFile::DecoderScaleDenom(s.num, s.denom));
    }

    const int rounds = 5;
    double bestScan = 1e9, bestPlain = 1e9;
    uint64_t sink = 0;
    for (int r = 0; r < rounds; ++r) {
        double t0 = NowSeconds();
        for (size_t i = 0; i < files.size(); ++i) {
            sink += PlainDecode(files[i], denoms[i], &sink);
        }
        double t1 = NowSeconds();
        ThumbCatalog list;
        OpenFolder(list, folder, ScanSettings{});
        double t2 = NowSeconds();
        sink += list.size();
        bestPlain = std::min(bestPlain, t1 - t0);
        bestScan = std::min(bestScan, t2 - t1);
    }
    std::printf("scan at pitch 103, %zu photos from %s (best of %d)\n", files.size(),
                folder.c_str(), rounds);
    std::printf("plain libjpeg at the same factors: %.3f s\n", bestPlain);
    std::printf("OpenFolder:                        %.3f s\n", bestScan);
    std::printf("ratio scan / plain: %.3f (target <= 1.10)\n", bestScan / bestPlain);

    // Memory: a folder of `count` links to the photos, scanned once.
    const std::string many = MakeTempDir();
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/p%05d.jpg", i);
        char target[PATH_MAX];
        if (!realpath(files[static_cast<size_t>(i) % files.size()].c_str(), target) ||
            symlink(target, (many + name).c_str()) != 0) {
            std::perror("symlink");
            return 2;
        }
    }
    malloc_trim(0);
    const long before = ResidentBytes();
    ThumbCatalog list;
    OpenFolder(list, many, ScanSettings{});
    const long after = ResidentBytes();
    uint64_t thumbBytes = 0;
    for (const auto& rec : list) {
        thumbBytes += uint64_t{AlignedRowLength(rec->m_nThumbWidth)} * rec->m_nThumbHeight;
    }
    const double allowed = 1.2 * double(thumbBytes) + 8.0 * 1024 * 1024;
    std::printf("memory after scanning %zu photos: %.1f MiB resident more than before\n",
                list.size(), double(after - before) / 1048576.0);
    std::printf("thumbnail bytes: %.1f MiB; allowed 1.2 x that + 8 MiB = %.1f MiB\n",
                double(thumbBytes) / 1048576.0, allowed / 1048576.0);
    std::printf("ratio memory / allowed: %.3f (target <= 1.00)\n",
                double(after - before) / allowed);
    RemoveTree(many);
    std::fprintf(stderr, "(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
