#include "PlainJpeg.h"

#include <algorithm>
#include <cstdio>
#include <vector>
// clang-format off
#include <jpeglib.h>
// clang-format on

namespace pixfold::bench {

uint64_t PlainDecode(const std::string& path, unsigned denom, uint64_t* checksum) {
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) {
        return 0;
    }
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denom;
    jpeg_start_decompress(&cinfo);
    const size_t row = size_t{cinfo.output_width} * cinfo.output_components;
    std::vector<unsigned char> out(row * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW p = out.data() + row * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(fp);
    *checksum += out.empty() ? 0 : out[out.size() / 2];
    return out.size();
}

uint64_t PlainThumbnail(const std::string& path, unsigned fullSizeUpTo, unsigned maxSide,
                        uint64_t* checksum) {
    std::FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp) {
        return 0;
    }
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    const unsigned longer = std::max(cinfo.image_width, cinfo.image_height);
    unsigned denom = 1;
    if (cinfo.image_width > fullSizeUpTo || cinfo.image_height > fullSizeUpTo) {
        while (denom < 8 && uint64_t{maxSide} * denom * 2 <= longer) {
            denom *= 2;
        }
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = denom;
    jpeg_start_decompress(&cinfo);
    const unsigned dw = cinfo.output_width, dh = cinfo.output_height;
    const unsigned n = static_cast<unsigned>(cinfo.output_components);
    std::vector<unsigned char> px(size_t{dw} * dh * n);
    while (cinfo.output_scanline < dh) {
        JSAMPROW p = px.data() + size_t{dw} * n * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(fp);

    unsigned tw = dw, th = dh;
    if (dw > maxSide || dh > maxSide) {
        tw = dw >= dh ? maxSide : unsigned(uint64_t{maxSide} * dw / dh);
        th = dw >= dh ? unsigned(uint64_t{maxSide} * dh / dw) : maxSide;
    }
    if (tw == 0 || th == 0) {
        return 0;
    }
    const unsigned side = std::max(1u, std::min(dw / tw, dh / th));
    std::vector<unsigned char> thumb(size_t{tw} * th * n);
    for (unsigned y = 0; y < th; ++y) {
        const unsigned sy = std::min(unsigned(uint64_t{y} * dh / th), dh - side);
        for (unsigned x = 0; x < tw; ++x) {
            const unsigned sx = std::min(unsigned(uint64_t{x} * dw / tw), dw - side);
            for (unsigned c = 0; c < n; ++c) {
                unsigned sum = 0;
                for (unsigned k = 0; k < side; ++k) {
                    const unsigned char* p = &px[(size_t{sy + k} * dw + sx) * n + c];
                    for (unsigned l = 0; l < side; ++l, p += n) {
                        sum += *p;
                    }
                }
                thumb[(size_t{y} * tw + x) * n + c] =
                    static_cast<unsigned char>(sum / (side * side));
            }
        }
    }
    *checksum += thumb[thumb.size() / 2];
    return thumb.size();
}

bool PlainEncode(const std::string& path, const uint8_t* rgb, uint32_t width, uint32_t height,
                 int quality, bool progressive) {
    const std::string temp = path + ".part";
    std::FILE* fp = std::fopen(temp.c_str(), "wb");
    if (!fp) {
        return false;
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, fp);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t{cinfo.next_scanline} * width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const bool ok = std::fclose(fp) == 0;
    // Whole or not at all, so a stopped run leaves no half photo.
    return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace pixfold::bench
