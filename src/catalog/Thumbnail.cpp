#include "catalog/Thumbnail.h"

#include <cstring>
#include <new>

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

DecoderScale ChooseDecoderScale(uint32_t w, uint32_t h, uint32_t fullSizeUpTo, uint32_t maxSide) {
    if (w <= fullSizeUpTo && h <= fullSizeUpTo) {
        return {1, 1};
    }
    return {maxSide, w > h ? w : h};
}

uint32_t ThumbMaxForPitch(int pitch) {
    return pitch > 4 ? static_cast<uint32_t>(pitch - 3) : 1;
}

namespace {

// As a decode that ran out of memory: said once, no thumbnail, the scan goes on.
void SayNoMemory() {
    Shell::Current().AppMessage("JpegFile :\nOut of memory", MB_OK | MB_ICONERROR);
}

}  // namespace

BuiltThumbnail MakeThumbnail(const std::string& path, int pitch, ThumbnailScratch& scratch,
                             int orientation) {
    BuiltThumbnail out;
    MessageSubject subject(path);
    const uint32_t thumbMax = ThumbMaxForPitch(pitch);

    JpegInput input(path, scratch.input);
    out.stamp = input.Stamp();
    uint32_t w = 0;
    uint32_t h = 0;
    if (!JpegFile::ReadDimensions(input, w, h)) {
        Shell::Current().AppMessage("JPEG Error");
        return out;
    }
    // Turned, the picture is as tall as the file is wide: the image window and
    // the slide show take their size from here.
    if (orientation >= 2 && orientation <= 8) {
        UprightSize(w, h, orientation, out.imageWidth, out.imageHeight);
    } else {
        out.imageWidth = w;
        out.imageHeight = h;
    }
    out.scale = ChooseDecoderScale(w, h, pitch > 0 ? static_cast<uint32_t>(pitch) : 0, thumbMax);
    out.outcome = BuiltThumbnail::NoPicture;

    uint32_t dw = 0;
    uint32_t dh = 0;
    PixelBuffer decoded = JpegFile::ReadRgb(input, dw, dh, out.scale.num, out.scale.denom);
    if (!decoded) {
        return out;
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
                SayNoMemory();
                return out;
            }
            ReduceBlockAverage(decoded.get(), reduced.get(), dw, dh, ts.width, ts.height, true);
        }
        pixels = reduced.get();
    }

    // The small picture is turned, not the decoded one: the same pixels for a
    // fraction of the work.
    ThumbSize size = ts;
    PixelBuffer turned;
    if (pixels && orientation >= 2 && orientation <= 8 && ts.width > 0 && ts.height > 0) {
        turned = TurnUpright(pixels, ts.width, ts.height, orientation);
        if (!turned) {
            SayNoMemory();
            return out;
        }
        UprightSize(ts.width, ts.height, orientation, size.width, size.height);
        pixels = turned.get();
    }

    PixelBuffer bits;
    uint32_t aligned = 0;
    if (pixels) {
        SwapRedBlue(pixels, size.width, size.height);
        if (FlipRows(pixels, size.width * 3, size.height)) {
            bits = MakeAlignedRows(pixels, size.width, size.height, aligned);
        }
    } else {
        uint8_t none = 0;
        bits = MakeAlignedRows(&none, size.width, size.height, aligned);
    }
    if (!bits) {
        SayNoMemory();
        return out;
    }
    out.outcome = BuiltThumbnail::Built;
    out.thumbWidth = size.width;
    out.thumbHeight = size.height;
    out.bits = std::move(bits);
    out.stable = input.Unchanged();
    return out;
}

void ApplyThumbnail(ThumbRecord& record, BuiltThumbnail built, bool copyBits) {
    record.ReleaseThumbnail();
    if (built.outcome == BuiltThumbnail::NoHeader) {
        return;  // a header failure changes nothing else
    }
    record.m_nImageWidth = built.imageWidth;
    record.m_nImageHeight = built.imageHeight;
    record.m_nScaleNum = built.scale.num;
    record.m_nScaleDenom = built.scale.denom;
    if (built.outcome == BuiltThumbnail::Built && copyBits) {
        // A zero-sized bitmap is still a (one-byte) array: "empty", not "none".
        const uint64_t bytes = uint64_t{AlignedRowLength(built.thumbWidth)} * built.thumbHeight;
        PixelBuffer own(new (std::nothrow) uint8_t[bytes ? bytes : 1]);
        if (own) {
            std::memcpy(own.get(), built.bits.get(), bytes ? bytes : 1);
        } else {
            MessageSubject subject(record.m_strPath);
            SayNoMemory();
        }
        built.bits = std::move(own);
        if (!built.bits) {
            built.outcome = BuiltThumbnail::NoPicture;
        }
    }
    if (built.outcome != BuiltThumbnail::Built) {
        record.m_nThumbWidth = 0;
        record.m_nThumbHeight = 0;
        return;
    }
    record.m_nThumbWidth = built.thumbWidth;
    record.m_nThumbHeight = built.thumbHeight;
    record.m_strDim =
        Format("%d x %d", static_cast<int>(built.thumbWidth), static_cast<int>(built.thumbHeight));
    record.m_pDib = std::move(built.bits);
}

void BuildThumbnail(ThumbRecord& record, int pitch, int orientation) {
    record.ReleaseThumbnail();
    ThumbnailScratch scratch;
    ApplyThumbnail(record, MakeThumbnail(record.m_strPath, pitch, scratch, orientation), false);
}

}  // namespace pixfold
