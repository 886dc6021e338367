#pragma once
// The only code that calls the JPEG library. Three stateless operations;
// buffers are in decoded form (R, G, B; top row first; packed rows) and are
// owned by the caller.

#include <cstdint>
#include <string>

#include "jpeg/PixelOps.h"

namespace pixfold {

class JpegFile {
  public:
    // Decodes a file, letting the decoder reduce it by 1/2, 1/4 or 1/8 as the
    // ratio allows. Null (after a message) on failure.
    static PixelBuffer ReadRgb(std::string path, uint32_t& width, uint32_t& height,
                               uint32_t scaleNum, uint32_t scaleDenom);

    // Header size only; no decompression is started.
    static bool ReadDimensions(const std::string& path, uint32_t& width, uint32_t& height);

    // Encodes a colour baseline JPEG; the target is replaced only when complete.
    static bool WriteRgb(const std::string& path, const uint8_t* buffer, uint32_t width,
                         uint32_t height, int quality);

    // The reduction the decoder is asked for: denominator 1, 2, 4 or 8
    // (numerator 1), as the 6a library would pick it for num/denom.
    static uint32_t DecoderScaleDenom(uint32_t scaleNum, uint32_t scaleDenom);

    // A progressive file with more scans than this is refused as corrupt:
    // real encoders use a dozen, crafted files thousands.
    static constexpr int kMaxScans = 500;
};

}  // namespace pixfold
