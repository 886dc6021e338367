#include "PlainDecode.h"

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

}  // namespace pixfold::bench
