#pragma once
// The floor the benchmarks compare against: plain libjpeg calls through the
// library's own file source, with no wrapper around them; and the encoder
// that makes the benchmarks' photos.

#include <cstdint>
#include <string>

namespace pixfold::bench {

// Decodes a file at 1/denom into a packed buffer; returns decoded bytes (0 on
// failure). The checksum takes a byte of the picture, so nothing is skipped.
uint64_t PlainDecode(const std::string& path, unsigned denom, uint64_t* checksum);

// What a minimal thumbnailer does for one file: read the header, decode at the
// largest reduction that keeps the longer side at least `maxSide` (full size
// up to `fullSizeUpTo`), and average square blocks down to fit `maxSide`.
// Returns the thumbnail's bytes (0 on failure).
uint64_t PlainThumbnail(const std::string& path, unsigned fullSizeUpTo, unsigned maxSide,
                        uint64_t* checksum);

// Writes packed RGB rows as a JPEG, baseline or progressive.
bool PlainEncode(const std::string& path, const uint8_t* rgb, uint32_t width, uint32_t height,
                 int quality, bool progressive);

}  // namespace pixfold::bench
