// Memory of the full-size image window: its peak against the decode of the
// same picture with the toolkit started, each measured in a process of its
// own in this run.
// The window may add one display bitmap of at most the screen, nothing of the
// picture's size. Usage (needs an X display): bench_imagewnd [SIDE]
// SIDE defaults to 18000 (an 18000 x 18000 grey photo, 972 MB decoded).

#include <cstddef>
#include <cstdio>
// (jpeglib.h needs size_t and FILE declared first)
#include <jpeglib.h>
#include <sys/resource.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/utils.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "catalog/ThumbRecord.h"
#include "jpeg/JpegFile.h"
#include "jpeg/PixelOps.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

// A grey picture written row by row, so that making it costs no memory.
bool WriteGrey(const std::string& path, int side) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = static_cast<JDIMENSION>(side);
    c.image_height = static_cast<JDIMENSION>(side);
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 75, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(side));
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < side; ++x) {
            row[static_cast<size_t>(x)] =
                static_cast<JSAMPLE>((x / 64 + c.next_scanline / 64) * 37);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

bool StartToolkit(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "bench_imagewnd: no X display (run under xvfb-run)\n");
        return false;
    }
    return true;
}

// The decode as the window does it, with the toolkit started but no window.
int DecodeOnly(int argc, char** argv, const std::string& path) {
    if (!StartToolkit(argc, argv)) {
        return 2;
    }
    uint32_t w = 0, h = 0;
    PixelBuffer px = JpegFile::ReadRgb(path, w, h, 1, 1);
    if (!px) {
        return 1;
    }
    SwapRedBlue(px.get(), w, h);
    FlipRows(px.get(), w * 3, h);
    px.reset();
    wxEntryCleanup();
    return 0;
}

// The window shown, painted and repainted as on screen.
int Window(int argc, char** argv, const std::string& path, int side) {
    if (!StartToolkit(argc, argv)) {
        return 2;
    }
    ThumbRecord record;
    record.m_strPath = path;
    record.m_strTitle = "big";
    record.m_nImageWidth = static_cast<uint32_t>(side);
    record.m_nImageHeight = static_cast<uint32_t>(side);
    auto* wnd = new CImageWnd(nullptr);
    const bool ok = wnd->Create(&record, false);
    for (int i = 0; ok && i < 20; ++i) {
        wnd->Canvas()->Refresh();
        wnd->Canvas()->Update();
        wxYield();
        wxMilliSleep(20);
    }
    wnd->Destroy();
    wxYield();
    wxEntryCleanup();
    return ok ? 0 : 1;
}

// This process's peak resident size so far, in kilobytes.
long PeakKilobytes() {
    long kb = -1;
    if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            if (std::sscanf(line, "VmHWM: %ld", &kb) == 1) {
                break;
            }
        }
        std::fclose(f);
    }
    return kb;
}

// Runs this program again in the given mode and reads the peak it reports:
// a fresh process, so nothing of this one is counted.
long PeakOf(const char* mode, const std::string& path, int side) {
    const std::string cmd = "'/proc/" + std::to_string(getpid()) + "/exe' " + mode + " '" + path +
                            "' " + std::to_string(side);
    std::FILE* p = popen(cmd.c_str(), "r");
    if (!p) {
        return -1;
    }
    long kb = -1;
    if (std::fscanf(p, "peak %ld", &kb) != 1) {
        kb = -1;
    }
    return pclose(p) == 0 ? kb : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && (std::string(argv[1]) == "--decode" || std::string(argv[1]) == "--window")) {
        const int rc = std::string(argv[1]) == "--decode"
                           ? DecodeOnly(1, argv, argv[2])
                           : Window(1, argv, argv[2], std::atoi(argv[3]));
        std::printf("peak %ld\n", PeakKilobytes());
        return rc;
    }
    const int side = argc > 1 ? std::atoi(argv[1]) : 18000;
    if (side < 16) {
        std::fprintf(stderr, "usage: bench_imagewnd [SIDE >= 16]\n");
        return 2;
    }
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/big.jpg";
    if (!WriteGrey(path, side)) {
        std::fprintf(stderr, "bench_imagewnd: cannot write %s\n", path.c_str());
        RemoveTree(dir);
        return 2;
    }
    // Interleaved, best of three: the first programs on a display pay for
    // caches the later ones find ready.
    long floor = -1, window = -1;
    for (int round = 0; round < 3; ++round) {
        const long d = PeakOf("--decode", path, side);
        const long w = PeakOf("--window", path, side);
        floor = (floor < 0 || (d > 0 && d < floor)) ? d : floor;
        window = (window < 0 || (w > 0 && w < window)) ? w : window;
    }
    RemoveTree(dir);
    if (floor <= 0 || window <= 0) {
        std::fprintf(stderr, "bench_imagewnd: a measurement failed\n");
        return 1;
    }
    std::printf("image window, %d x %d grey photo (%.0f MB decoded)\n", side, side,
                3.0 * side * side / 1e6);
    std::printf("peak, decode alone:  %.0f MB\n", floor / 1024.0);
    std::printf("peak, window shown:  %.0f MB\n", window / 1024.0);
    std::printf(
        "ratio window / decode: %.3f (target <= 1.10 for the default size;\n"
        "  the window's own few MB weigh more beside a small picture)\n",
        static_cast<double>(window) / static_cast<double>(floor));
    return 0;
}
