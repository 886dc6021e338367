#include "catalog/Thumbnail.h"

#include "jpeg/JpegFile.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"

namespace pixfold {

ThumbSize FitThumbnail(uint32_t dw, uint32_t dh, uint32_t maxSide) {
    if (dw <= maxSide && dh <= maxSide) {
        return {dw, dh};
    }
    if (dw >= dh) {
        return {maxSide, static_cast<uint32_t>(uint64_t{maxSide} * dh / dw)};
    }
    return {static_cast<uint32_t>(uint64_t{maxSide} * dw / dh), maxSide};
}

void ChooseDecoderScale(uint32_t w, uint32_t h, int pitch, uint32_t& scaleNum,
                        uint32_t& scaleDenom) {
    const int64_t p = pitch;
    if (static_cast<int64_t>(w) <= p && static_cast<int64_t>(h) <= p) {
        scaleNum = scaleDenom = 1;
    } else {
        scaleNum = static_cast<uint32_t>(p - 3 > 0 ? p - 3 : 0);
        scaleDenom = w > h ? w : h;
    }
}

namespace {

// As a decode that ran out of memory: said once, no thumbnail, the scan goes on.
void NoMemoryForThumbnail(ThumbRecord& record) {
    record.m_nThumbWidth = 0;
    record.m_nThumbHeight = 0;
    Shell::Current().AppMessage("JpegFile :\nOut of memory", MB_OK | MB_ICONERROR);
}

}  // namespace

void BuildThumbnail(ThumbRecord& record, int pitch) {
    record.ReleaseThumbnail();
    MessageSubject subject(record.m_strPath);
    // A pitch of 3 or less leaves no room for a picture; keep a 1-pixel minimum
    // so that a bad stored value cannot produce a zero divisor.
    const uint32_t thumbMax = pitch > 4 ? static_cast<uint32_t>(pitch - 3) : 1;

    uint32_t w = 0;
    uint32_t h = 0;
    if (!JpegFile::ReadDimensions(record.m_strPath, w, h)) {
        Shell::Current().AppMessage("JPEG Error");
        return;
    }
    record.m_nImageWidth = w;
    record.m_nImageHeight = h;
    ChooseDecoderScale(w, h, pitch, record.m_nScaleNum, record.m_nScaleDenom);
    if (record.m_nScaleNum == 0) {
        record.m_nScaleNum = thumbMax;
    }

    uint32_t dw = 0;
    uint32_t dh = 0;
    PixelBuffer decoded =
        JpegFile::ReadRgb(record.m_strPath, dw, dh, record.m_nScaleNum, record.m_nScaleDenom);
    if (!decoded) {
        record.m_nThumbWidth = 0;
        record.m_nThumbHeight = 0;
        return;
    }

    const ThumbSize ts = FitThumbnail(dw, dh, thumbMax);
    PixelBuffer reduced;
    uint8_t* pixels = decoded.get();
    if (ts.width != dw || ts.height != dh) {
        // A side of 0 (a very wide or tall picture) has nothing to average:
        // the record gets an empty bitmap.
        if (ts.width > 0 && ts.height > 0) {
            reduced = AllocatePixels(uint64_t{AlignedRowLength(ts.width)} * ts.height);
            if (!reduced) {
                NoMemoryForThumbnail(record);
                return;
            }
            ReduceBlockAverage(decoded.get(), reduced.get(), dw, dh, ts.width, ts.height, true);
        }
        pixels = reduced.get();
    }

    PixelBuffer bits;
    uint32_t aligned = 0;
    if (pixels) {
        SwapRedBlue(pixels, ts.width, ts.height);
        if (FlipRows(pixels, ts.width * 3, ts.height)) {
            bits = MakeAlignedRows(pixels, ts.width, ts.height, aligned);
        }
    } else {
        uint8_t none = 0;
        bits = MakeAlignedRows(&none, ts.width, ts.height, aligned);
    }
    if (!bits) {
        NoMemoryForThumbnail(record);
        return;
    }
    record.m_nThumbWidth = ts.width;
    record.m_nThumbHeight = ts.height;
    record.m_strDim = Format("%d x %d", static_cast<int>(ts.width), static_cast<int>(ts.height));
    record.m_pDib = std::move(bits);
}

}  // namespace pixfold
