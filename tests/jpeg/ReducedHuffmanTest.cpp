// Thumbnails decoded through the reduced entropy decoder against the same
// files decoded by the library alone from memory, as they were before it:
// same pixels and same messages, for clean files of every layout and for
// damaged ones.

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <random>
#include <string>
#include <vector>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "TestUtil.h"
#include "jpeg/JpegFile.h"
#include "jpeg/ReducedHuffman.h"
#include "platform/TextUtil.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

struct Layout {
    const char* name;
    int components;    // 1 or 3
    int h0, v0;        // sampling of the first component (others 1x1)
    unsigned restart;  // MCUs between restart markers, 0 for none
    int quality;
    bool optimize;  // tables made for the picture, codes of any length
    uint32_t w, h;
    int noise = 30;  // +- this much on every sample
};

// A picture with detail (noise over a gradient), so that long codes and long
// runs both occur.
std::string Encode(const Layout& l) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = l.w;
    cinfo.image_height = l.h;
    cinfo.input_components = l.components;
    cinfo.in_color_space = l.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, l.quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = l.h0;
    cinfo.comp_info[0].v_samp_factor = l.v0;
    cinfo.restart_interval = l.restart;
    cinfo.optimize_coding = l.optimize ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::mt19937 random(l.w * 31 + l.h);
    std::vector<JSAMPLE> row(size_t{l.w} * l.components);
    while (cinfo.next_scanline < l.h) {
        for (size_t i = 0; i < row.size(); ++i) {
            const int base = int((i / l.components) * 255 / l.w + cinfo.next_scanline) % 256;
            const int noise = int(random() % (2 * l.noise + 1)) - l.noise;
            const int v = base + noise + int(i % l.components) * 40;
            row[i] = static_cast<JSAMPLE>(std::clamp(v, 0, 255));
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(mem), size);
    std::free(mem);
    return bytes;
}

// The library on its own: the file from memory at 1/8, grey shown as RGB,
// its first warning and its fatal error as the program words them.
struct Reference {
    jpeg_error_mgr pub;
    jmp_buf jump;
    // Everything the jump may leave behind lives here, outside its reach.
    std::string messages;
    std::string pixels;
    std::vector<JSAMPLE> row;
    uint32_t w = 0, h = 0;
};

std::string LibraryDecode(const std::string& bytes) {
    jpeg_decompress_struct cinfo;
    Reference err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.output_message = [](j_common_ptr c) {
        char text[JMSG_LENGTH_MAX];
        (*c->err->format_message)(c, text);
        reinterpret_cast<Reference*>(c->err)->messages += std::string("|") + text + "|JPEG Error";
    };
    err.pub.error_exit = [](j_common_ptr c) {
        char text[JMSG_LENGTH_MAX];
        (*c->err->format_message)(c, text);
        auto* r = reinterpret_cast<Reference*>(c->err);
        r->messages += std::string("|") + text + "|JPEG Fatal Error";
        longjmp(r->jump, 1);
    };
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.scale_denom = 8;
        jpeg_start_decompress(&cinfo);
        err.w = cinfo.output_width;
        err.h = cinfo.output_height;
        const uint32_t w = err.w, h = err.h;
        const int n = cinfo.output_components;
        err.row.resize(size_t{w} * n);
        err.pixels.assign(size_t{w} * h * 3, '\0');
        while (cinfo.output_scanline < h) {
            JSAMPROW r = err.row.data();
            jpeg_read_scanlines(&cinfo, &r, 1);
            char* out = &err.pixels[size_t{cinfo.output_scanline - 1} * w * 3];
            for (size_t x = 0; x < size_t{w} * 3; ++x) {
                out[x] = static_cast<char>(n == 3 ? err.row[x] : err.row[x / 3]);
            }
        }
        jpeg_finish_decompress(&cinfo);
    } else {
        err.pixels.clear();  // the size stays once the decoder has started, as the program's does
    }
    jpeg_destroy_decompress(&cinfo);
    return err.pixels + Format(" %ux%u", err.w, err.h) + err.messages;
}

class ReducedHuffmanTest : public ::testing::Test {
  protected:
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;

    // Pixels, size and every message of a 1/8 decode.
    std::string Decode(const std::string& path) {
        shell.Clear();
        std::vector<uint8_t> buffer;
        JpegInput input(path, buffer);
        uint32_t w = 0, h = 0;
        std::string out;
        if (PixelBuffer px = JpegFile::ReadRgb(input, w, h, 1, 8)) {
            out.assign(reinterpret_cast<const char*>(px.get()), size_t{w} * h * 3);
        }
        out += Format(" %ux%u", w, h);
        for (const auto& e : shell.MessageEvents()) {
            out += "|" + e.text + "|" + e.caption;
        }
        return out;
    }

    // Whether the program and the library agree; counts quick scans.
    void ExpectSame(const std::string& path, const std::string& what, int* quick = nullptr) {
        const uint64_t before = ReducedHuffmanScans();
        const std::string ours = Decode(path);
        if (quick && ReducedHuffmanScans() != before) {
            ++*quick;
        }
        EXPECT_EQ(ours, LibraryDecode(ReadFile(path))) << what;
    }
};

const Layout kLayouts[] = {
    {"4:2:0", 3, 2, 2, 0, 90, false, 333, 251},
    {"4:2:0 restarts every MCU", 3, 2, 2, 1, 90, false, 97, 65},
    {"4:2:0 restarts every 7", 3, 2, 2, 7, 75, true, 203, 149},
    {"4:2:2 restarts every 64", 3, 2, 1, 64, 95, false, 640, 96},
    {"4:4:4 quality 100", 3, 1, 1, 0, 100, true, 130, 130},
    {"4:2:0 white noise", 3, 2, 2, 0, 100, false, 96, 80, 255},
    {"4:4:0", 3, 1, 2, 3, 85, false, 120, 90},
    {"grey", 1, 1, 1, 0, 100, false, 257, 131},
    {"grey restarts every 13", 1, 1, 1, 13, 60, true, 64, 200},
};

}  // namespace

TEST_F(ReducedHuffmanTest, CleanFilesOfEveryLayoutDecodeAsTheLibraryDoes) {
    int quick = 0;
    for (const Layout& l : kLayouts) {
        const std::string path = dir / "clean.jpg";
        WriteFile(path, Encode(l));
        ExpectSame(path, l.name, &quick);
    }
    // Every one of them took the quick way; none had anything to say.
    EXPECT_EQ(quick, int(std::size(kLayouts)));
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(ReducedHuffmanTest, DamagedDataGivesTheLibrarysPixelsAndMessages) {
    // Changes inside the entropy-coded data: bytes changed, FF and markers
    // put in, bytes cut out, the file cut short, bytes added before the end.
    std::mt19937 random(2026);
    int quick = 0, cases = 0;
    for (const Layout& l : kLayouts) {
        const std::string clean = Encode(l);
        const size_t data = clean.rfind("\xFF\xDA") + 14;  // past the scan header
        const size_t end = clean.size() - 2;               // the end marker
        ASSERT_LT(data, end) << l.name;
        for (int n = 0; n < 50; ++n) {
            std::string bytes = clean;
            const size_t at = data + random() % (end - data);
            std::vector<size_t> restarts;  // where the restart markers are
            for (size_t i = data; i + 1 < end; ++i) {
                if (bytes[i] == '\xFF' && (bytes[i + 1] & 0xF8) == 0xD0) {
                    restarts.push_back(i);
                }
            }
            const size_t rst =
                restarts.empty() ? std::string::npos : restarts[random() % restarts.size()];
            switch (n % 10) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes[at] = '\xFF';
                    break;
                case 2:
                    bytes.insert(at, "\xFF\xD0", 2);
                    break;
                case 3:
                    bytes.insert(at, "\xFF\xC4\x00\x02", 4);
                    break;
                case 4:
                    bytes.erase(at, 1 + random() % 5);
                    break;
                case 5:
                    bytes.resize(at);
                    break;
                case 6:
                    bytes.insert(end, std::string(1 + random() % 3, '\x55'));
                    break;
                case 7:
                    bytes.insert(at, "\xFF\xFF\x00", 3);
                    break;
                case 8:  // a restart marker numbered out of turn
                    if (rst != std::string::npos) {
                        bytes[rst + 1] = static_cast<char>(0xD0 + random() % 8);
                    }
                    break;
                case 9:  // one byte more before a restart marker
                    if (rst != std::string::npos) {
                        bytes.insert(rst, 1, static_cast<char>(random() % 0xFF));
                    }
                    break;
            }
            const std::string path = dir / "damaged.jpg";
            WriteFile(path, bytes);
            ExpectSame(path, Format("%s, change %d at %zu", l.name, n, at), &quick);
            ++cases;
        }
    }
    // Some damage goes unnoticed by the library too, and the quick decoder
    // finishes those files itself; the rest it gave back.
    EXPECT_GT(quick, 0);
    EXPECT_LT(quick, cases);
}

TEST_F(ReducedHuffmanTest, TestImagesDecodeAsTheLibraryDoes) {
    // The reference shows one or three components only, and words no
    // memory limit of its own.
    for (const std::string& path : AllTestImages()) {
        bool comparable = true;
        for (const char* skip : {"cmyk", "ycck", "claims"}) {
            comparable = comparable && path.find(skip) == std::string::npos;
        }
        if (comparable) {
            ExpectSame(path, path);
        }
    }
}
