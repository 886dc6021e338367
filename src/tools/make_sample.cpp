// Makes the sample folder that scripts/run opens when no folder is given:
// two dozen synthetic photographs of different sizes, shapes and dates.
// Usage: make-sample FOLDER   (existing pictures are kept)

#include <sys/stat.h>
#include <utime.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "jpeg/JpegFile.h"
#include "platform/ConfigDir.h"

using namespace pixfold;

namespace {

struct Scene {
    const char* name;
    uint32_t w, h;
    float hue;  // 0..1
    int kind;   // 0 sky and sun, 1 rings, 2 stripes, 3 checks
};

void Hsv(float h, float s, float v, uint8_t* rgb) {
    float r = v, g = v, b = v;
    if (s > 0) {
        h = std::fmod(h, 1.0f) * 6.0f;
        int i = static_cast<int>(h);
        float f = h - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
        switch (i) {
            case 0:
                r = v;
                g = t;
                b = p;
                break;
            case 1:
                r = q;
                g = v;
                b = p;
                break;
            case 2:
                r = p;
                g = v;
                b = t;
                break;
            case 3:
                r = p;
                g = q;
                b = v;
                break;
            case 4:
                r = t;
                g = p;
                b = v;
                break;
            default:
                r = v;
                g = p;
                b = q;
                break;
        }
    }
    rgb[0] = static_cast<uint8_t>(r * 255);
    rgb[1] = static_cast<uint8_t>(g * 255);
    rgb[2] = static_cast<uint8_t>(b * 255);
}

std::vector<uint8_t> Paint(const Scene& s) {
    std::vector<uint8_t> px(size_t{s.w} * s.h * 3);
    const float cx = s.w * 0.62f, cy = s.h * 0.38f, rad = std::min(s.w, s.h) * 0.18f;
    for (uint32_t y = 0; y < s.h; ++y) {
        for (uint32_t x = 0; x < s.w; ++x) {
            uint8_t* p = &px[(size_t{y} * s.w + x) * 3];
            const float fx = float(x) / s.w, fy = float(y) / s.h;
            const float d = std::hypot(x - cx, y - cy);
            switch (s.kind) {
                case 0:
                    if (d < rad) {
                        Hsv(s.hue + 0.12f, 0.6f, 1.0f, p);
                    } else if (fy > 0.7f + 0.05f * std::sin(fx * 12)) {
                        Hsv(s.hue + 0.35f, 0.7f, 0.35f + 0.2f * fy, p);
                    } else {
                        Hsv(s.hue, 0.5f + 0.4f * fy, 0.95f - 0.3f * fy, p);
                    }
                    break;
                case 1:
                    Hsv(s.hue + 0.05f * std::sin(d / 9.0f), 0.65f,
                        0.55f + 0.4f * std::cos(d / 23.0f) * 0.5f + 0.2f, p);
                    break;
                case 2:
                    Hsv(s.hue + (int(fx * 7) % 2) * 0.08f, 0.55f, 0.5f + 0.45f * (1 - fy), p);
                    break;
                default:
                    Hsv(s.hue + ((x / 40 + y / 40) % 2) * 0.5f, 0.45f, 0.5f + 0.4f * fx, p);
                    break;
            }
        }
    }
    return px;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!MakeDirs(folder)) {
        std::fprintf(stderr, "make-sample: cannot create %s\n", folder.c_str());
        return 1;
    }
    const Scene scenes[] = {
        {"Harbour at dawn", 1600, 1200, 0.58f, 0},
        {"Desert noon", 1200, 800, 0.10f, 0},
        {"Lighthouse", 900, 1350, 0.55f, 0},
        {"Meadow", 1280, 960, 0.30f, 2},
        {"Evening ripples", 1000, 1000, 0.62f, 1},
        {"Tiles", 800, 600, 0.05f, 3},
        {"Glacier", 2048, 1536, 0.52f, 0},
        {"Poppy field", 1400, 933, 0.98f, 2},
        {"Panorama", 3000, 700, 0.60f, 0},
        {"Tower", 600, 1800, 0.70f, 2},
        {"Pond", 1024, 768, 0.45f, 1},
        {"Market", 1200, 900, 0.08f, 3},
        {"Snowfield", 1600, 1067, 0.57f, 0},
        {"Vineyard", 1300, 975, 0.25f, 2},
        {"Night sky", 1200, 1200, 0.68f, 1},
        {"Garden wall", 960, 720, 0.02f, 3},
        {"Autumn lane", 1500, 1000, 0.07f, 2},
        {"Lagoon", 1800, 1200, 0.48f, 1},
        {"Small print", 90, 70, 0.15f, 3},
        {"Dunes", 1280, 720, 0.11f, 0},
    };
    int n = 0;
    for (const Scene& s : scenes) {
        ++n;
        char name[128];
        std::snprintf(name, sizeof name, "%s/%s%s", folder.c_str(), s.name,
                      n % 5 == 0 ? ".jpeg" : ".jpg");
        struct stat st {};
        if (stat(name, &st) == 0) {
            continue;
        }
        std::vector<uint8_t> px = Paint(s);
        if (!JpegFile::WriteRgb(name, px.data(), s.w, s.h, 88)) {
            return 1;
        }
        // Spread the dates over a few years so that date sorting shows something.
        struct tm t {};
        t.tm_year = 119 + n % 6;
        t.tm_mon = (n * 5) % 12;
        t.tm_mday = 1 + (n * 7) % 27;
        t.tm_hour = (n * 5) % 24;
        t.tm_min = (n * 13) % 60;
        t.tm_isdst = -1;
        struct utimbuf times;
        times.actime = times.modtime = mktime(&t);
        utime(name, &times);
    }
    std::printf("%s\n", folder.c_str());
    return 0;
}
