#pragma once
// Building a record's thumbnail: a reduced decode, a block-average shrink to
// fit the cell, then the display form the grid draws.

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/ThumbRecord.h"
#include "jpeg/JpegFile.h"

namespace pixfold {

struct ThumbSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// Size of the thumbnail of a decoded dw x dh picture whose longer side must not
// exceed maxSide (product before division, truncated).
ThumbSize FitThumbnail(uint32_t dw, uint32_t dh, uint32_t maxSide);

struct DecoderScale {
    uint32_t num = 1;
    uint32_t denom = 1;
};

// The ratio asked of the decoder for a w x h picture that is to fit in maxSide:
// 1/1 when both sides are at most fullSizeUpTo, else maxSide over the longer
// side. The grid decodes pictures up to the pitch at full size, publishing
// those up to the size limit.
DecoderScale ChooseDecoderScale(uint32_t w, uint32_t h, uint32_t fullSizeUpTo, uint32_t maxSide);

// Largest thumbnail side for a pitch; at least 1, so that a bad stored pitch
// cannot produce a zero divisor.
uint32_t ThumbMaxForPitch(int pitch);

// What building a thumbnail found, apart from the record, so that one thread
// can build it and another put it in place.
struct BuiltThumbnail {
    enum Outcome { NoHeader, NoPicture, Built };
    Outcome outcome = NoHeader;
    uint32_t imageWidth = 0;
    uint32_t imageHeight = 0;
    DecoderScale scale;
    uint32_t thumbWidth = 0;
    uint32_t thumbHeight = 0;
    PixelBuffer bits;     // aligned bottom-up BGR rows when built
    FileStamp stamp;      // of the file as it was read
    bool stable = false;  // the file was not written while it was read
};

// Buffers one thread keeps from one build to the next.
struct ThumbnailScratch {
    std::vector<uint8_t> input;
};

// Decodes and reduces one file, turned upright for an EXIF orientation other
// than 1; messages go through the current shell.
BuiltThumbnail MakeThumbnail(const std::string& path, int pitch, ThumbnailScratch& scratch,
                             int orientation = 1);

// Puts a result into the record exactly as building it there would have.
// With `copyBits` the bitmap is copied into memory of this thread's own, so
// that thumbnails that stay are not scattered among a worker's buffers; a
// copy that finds no memory is reported as a failed decode.
void ApplyThumbnail(ThumbRecord& record, BuiltThumbnail built, bool copyBits);

// Rebuilds the record's thumbnail for the pitch (largest side pitch - 3).
// Messages go through the shell; the record keeps a null bitmap on failure.
void BuildThumbnail(ThumbRecord& record, int pitch, int orientation = 1);

}  // namespace pixfold
