#pragma once
// Building a record's thumbnail: a reduced decode, a block-average shrink to
// fit the cell, then the display form the grid draws.

#include <cstdint>

#include "catalog/ThumbRecord.h"

namespace pixfold {

struct ThumbSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// Size of the thumbnail of a decoded dw x dh picture whose longer side must not
// exceed maxSide (product before division, truncated).
ThumbSize FitThumbnail(uint32_t dw, uint32_t dh, uint32_t maxSide);

// Scale asked of the decoder for a w x h picture in cells of the given pitch.
void ChooseDecoderScale(uint32_t w, uint32_t h, int pitch, uint32_t& scaleNum,
                        uint32_t& scaleDenom);

// Rebuilds the record's thumbnail for the pitch (largest side pitch - 3).
// Messages go through the shell; the record keeps a null bitmap on failure.
void BuildThumbnail(ThumbRecord& record, int pitch);

}  // namespace pixfold
