#include "BenchUtil.h"

#include <dirent.h>
#include <ftw.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "PlainJpeg.h"
#include "jpeg/JpegFile.h"
#include "platform/ConfigDir.h"
#include "platform/FileSearch.h"

namespace pixfold::bench {

double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds() {
    struct timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
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

std::string MakeTempDir() {
    char tmpl[] = "/tmp/pixfold-bench-XXXXXX";
    return mkdtemp(tmpl) ? tmpl : "/tmp";
}

void RemoveTree(const std::string& path) {
    nftw(
        path.c_str(), [](const char* p, const struct stat*, int, FTW*) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

namespace {

struct MadePhoto {
    const char* source;  // in the test images
    uint32_t width, height;
    bool progressive;
    const char* name;
};

const std::string kRoot = PIXFOLD_BENCH_PHOTOS;

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
                const int v = int(std::lround(top * (1 - ay) + bottom * ay)) + grain;
                out[(size_t{y} * w + x) * 3 + c] = uint8_t(std::clamp(v, 0, 255));
            }
        }
    }
    return out;
}

bool MakeSet(const std::string& folder, const std::vector<MadePhoto>& photos) {
    MakeDirs(folder);
    for (const MadePhoto& p : photos) {
        const std::string target = folder + "/" + p.name;
        if (access(target.c_str(), R_OK) == 0) {
            continue;
        }
        std::fprintf(stderr, "making %s from %s\n", target.c_str(), p.source);
        uint32_t sw = 0, sh = 0;
        const std::string source = std::string(PIXFOLD_TESTIMAGES) + "/" + p.source;
        PixelBuffer px = JpegFile::ReadRgb(source, sw, sh, 1, 1);
        if (!px) {
            std::fprintf(stderr, "cannot read %s\n", source.c_str());
            return false;
        }
        const std::vector<uint8_t> big = Enlarge(px.get(), sw, sh, p.width, p.height);
        if (!PlainEncode(target, big.data(), p.width, p.height, 92, p.progressive)) {
            std::fprintf(stderr, "cannot write %s\n", target.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

PhotoSets MakePhotoSets() {
    const char* photo = "baseline-ycc444-photo-512x512.jpg";
    const char* vga = "baseline-ycc422-640x480.jpg";
    const char* small = "baseline-ycc420-227x149.jpg";
    PhotoSets sets;
    sets.baseline12 = kRoot + "/12mp";
    sets.baseline24 = kRoot + "/24mp";
    sets.progressive12 = kRoot + "/12mp-progressive";
    sets.small1 = kRoot + "/1mp";
    const bool ok = MakeSet(sets.baseline12, {{photo, 4000, 3000, false, "a-4000x3000.jpg"},
                                              {vga, 4000, 3000, false, "b-4000x3000.jpg"},
                                              {small, 3000, 4000, false, "c-3000x4000.jpg"},
                                              {vga, 4032, 3024, false, "d-4032x3024.jpg"}}) &&
                    MakeSet(sets.baseline24, {{photo, 6000, 4000, false, "a-6000x4000.jpg"},
                                              {vga, 4000, 6000, false, "b-4000x6000.jpg"}}) &&
                    MakeSet(sets.progressive12, {{photo, 4000, 3000, true, "a-4000x3000.jpg"},
                                                 {vga, 4000, 3000, true, "b-4000x3000.jpg"},
                                                 {small, 3000, 4000, true, "c-3000x4000.jpg"}}) &&
                    MakeSet(sets.small1, {{photo, 1152, 864, false, "a-1152x864.jpg"},
                                          {vga, 1152, 864, false, "b-1152x864.jpg"},
                                          {small, 864, 1152, false, "c-864x1152.jpg"},
                                          {photo, 1280, 800, false, "d-1280x800.jpg"}});
    return ok ? sets : PhotoSets{};
}

std::string LinkFolder(const std::string& name, const std::vector<std::string>& photos, int count) {
    std::string folder = kRoot + "/" + name;
    if (JpegFilesIn(folder).size() == static_cast<size_t>(count)) {
        return folder;
    }
    RemoveTree(folder);
    MakeDirs(folder);
    for (int i = 0; i < count && !photos.empty(); ++i) {
        char link[32];
        std::snprintf(link, sizeof link, "/p%05d.jpg", i);
        char target[PATH_MAX];
        if (!realpath(photos[static_cast<size_t>(i) % photos.size()].c_str(), target) ||
            symlink(target, (folder + link).c_str()) != 0) {
            std::perror("symlink");
            return "";
        }
    }
    return folder;
}

std::string MachineName() {
    std::string model = "unknown CPU";
    if (std::FILE* f = std::fopen("/proc/cpuinfo", "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, f)) {
            std::string s = line;
            if (s.rfind("model name", 0) == 0 && s.find(':') != std::string::npos) {
                model = s.substr(s.find(':') + 2);
                model.erase(model.find_last_not_of(" \n") + 1);
                break;
            }
        }
        std::fclose(f);
    }
    return model;
}

int UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
}

bool PinToOneCore() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) {
        return false;
    }
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &set)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            return sched_setaffinity(0, sizeof one, &one) == 0;
        }
    }
    return false;
}

std::string RunSelf(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) {
        return "";
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        static char self[] = "/proc/self/exe";
        argv.push_back(self);
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        execv(self, argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) {
        text.append(buf, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "";
}

}  // namespace pixfold::bench
