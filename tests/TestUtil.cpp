#include "TestUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "jpeg/JpegFile.h"

namespace pixfold::test {

TempDir::TempDir() {
    char tmpl[] = "/tmp/pixfold-test-XXXXXX";
    if (!mkdtemp(tmpl)) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = tmpl;
}

TempDir::~TempDir() {
    // Undo permission changes tests make, then remove the tree.
    nftw(
        m_path.c_str(),
        [](const char* p, const struct stat* sb, int type, FTW*) {
            if (type == FTW_D || type == FTW_DNR) {
                chmod(p, 0755);
            }
            (void)sb;
            return 0;
        },
        16, FTW_PHYS);
    nftw(
        m_path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

namespace {

// No test reads or writes the user's own thumbnail cache: every test program
// keeps its cache in a folder of its own, removed at the end.
struct TestCacheFolder {
    TempDir dir;
    TestCacheFolder() { setenv("XDG_CACHE_HOME", dir.path().c_str(), 1); }
};
const TestCacheFolder g_testCache;

}  // namespace

std::vector<uint8_t> Pattern(uint32_t w, uint32_t h, uint32_t seed) {
    std::vector<uint8_t> px(size_t{w} * h * 3);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* p = &px[(size_t{y} * w + x) * 3];
            p[0] = static_cast<uint8_t>((x * 255) / (w > 1 ? w - 1 : 1));
            p[1] = static_cast<uint8_t>((y * 255) / (h > 1 ? h - 1 : 1));
            p[2] = static_cast<uint8_t>(128 + 60 * ((seed + x / 16 + y / 16) % 2));
        }
    }
    return px;
}

std::string MakeJpeg(const std::string& path, uint32_t w, uint32_t h, uint32_t seed) {
    std::vector<uint8_t> px = Pattern(w, h, seed);
    if (!JpegFile::WriteRgb(path, px.data(), w, h, 90)) {
        throw std::runtime_error("could not write " + path);
    }
    return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    f << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

void SetLocalMTime(const std::string& path, int year, int month, int day, int hour, int minute,
                   int second) {
    struct tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    time_t when = mktime(&t);
    struct timespec ts[2] = {{when, 0}, {when, 0}};
    utimensat(AT_FDCWD, path.c_str(), ts, 0);
}

std::string TestImage(const std::string& name) {
    const std::string path = std::string(PIXFOLD_TESTIMAGES) + "/" + name;
    // Said once, here: the failures that would follow would not name the file.
    if (!Exists(path)) {
        ADD_FAILURE() << "test image missing: " << path;
    }
    return path;
}

void MakeComponentsJpeg(const std::string& path, int components, uint32_t w, uint32_t h) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    jpeg_stdio_dest(&cinfo, fp);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = components;
    cinfo.in_color_space = JCS_UNKNOWN;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    // A scan holds at most four components: one scan per component.
    std::vector<jpeg_scan_info> scans(static_cast<size_t>(components));
    for (int c = 0; c < components; ++c) {
        scans[c] = {1, {c, 0, 0, 0}, 0, 63, 0, 0};
        cinfo.comp_info[c].component_id = c + 1;
    }
    cinfo.scan_info = scans.data();
    cinfo.num_scans = components;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t{w} * components);
    for (size_t i = 0; i < row.size(); ++i) {
        row[i] = static_cast<JSAMPLE>(200 - 50 * (i % components) % 200);
    }
    while (cinfo.next_scanline < h) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(fp);
    if (components > 4) {
        std::string bytes = ReadFile(path);
        size_t fifthScan = 0;
        for (int n = 0; n < 5; ++n) {
            fifthScan = bytes.find("\xFF\xDA", fifthScan + 1);
        }
        bytes.erase(fifthScan, bytes.rfind("\xFF\xD9") - fifthScan);
        WriteFile(path, bytes);
    }
}

std::vector<std::string> AllTestImages() {
    std::vector<std::string> out;
    if (DIR* d = opendir(PIXFOLD_TESTIMAGES)) {
        while (const dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0) {
                out.push_back(std::string(PIXFOLD_TESTIMAGES) + "/" + name);
            }
        }
        closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace pixfold::test
