#include "jpeg/JpegFile.h"

// clang-format off
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "platform/AtomicFile.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"

namespace pixfold {

namespace {

// The library's error manager with the call's recovery point directly behind it,
// so the exit routine reaches the jump buffer through the library's pointer.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf setjmpBuffer;
};

constexpr int kTooManyScansCode = 1000;
const char* const kAddonMessages[] = {"Too many progressive scans (more than %d)"};

// Shows a library message. Kept out of line so that its strings are gone
// before the caller jumps.
[[gnu::noinline]] void ShowLibraryMessage(j_common_ptr cinfo, bool fatal) {
    char buffer[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, buffer);
    if (fatal) {
        Shell::Current().Message(buffer, MB_OK | MB_ICONERROR, "JPEG Fatal Error", MsgOwner::None);
    } else {
        Shell::Current().Message(buffer, MB_OK, "JPEG Error", MsgOwner::Active);
    }
}

// Recovery-point values: a library error, or memory the library could not get
// (whole-image buffers above the limit), which takes the out-of-memory path.
constexpr int kJumpFatal = 1;
constexpr int kJumpNoMemory = 2;

extern "C" void JpegFatalErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    const int code = cinfo->err->msg_code;
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) {
        longjmp(err->setjmpBuffer, kJumpNoMemory);
    }
    ShowLibraryMessage(cinfo, true);
    longjmp(err->setjmpBuffer, kJumpFatal);
}

[[gnu::noinline]] void ShowOutOfMemory() {
    Shell::Current().AppMessage("JpegFile :\nOut of memory", MB_OK | MB_ICONERROR);
}

extern "C" void JpegWarningOutput(j_common_ptr cinfo) {
    ShowLibraryMessage(cinfo, false);
}

extern "C" void JpegScanLimit(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > JpegFile::kMaxScans) {
        cinfo->err->msg_code = kTooManyScansCode;
        cinfo->err->msg_parm.i[0] = JpegFile::kMaxScans;
        (*cinfo->err->error_exit)(cinfo);
    }
}

void SetUpErrorManager(JpegErrorManager& jerr) {
    jpeg_std_error(&jerr.pub);
    jerr.pub.error_exit = JpegFatalErrorExit;
    jerr.pub.output_message = JpegWarningOutput;
    jerr.pub.addon_message_table = kAddonMessages;
    jerr.pub.first_addon_message = kTooManyScansCode;
    jerr.pub.last_addon_message = kTooManyScansCode;
}

// Adobe writes CMYK inverted; plain CMYK is not. Browsers treat it this way.
void CmykRowToRgb(const JSAMPLE* in, uint8_t* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<uint8_t>(c * k / 255);
        out[1] = static_cast<uint8_t>(m * k / 255);
        out[2] = static_cast<uint8_t>(y * k / 255);
    }
}

enum class DecodeResult { Ok, Fatal, OutOfMemory };

// Everything between the recovery point and a possible jump lives here, with
// plain C locals only: no destructor may be skipped by longjmp.
DecodeResult DecodeInto(std::FILE* fp, uint32_t scaleDenom, uint8_t** outBuffer, uint32_t* width,
                        uint32_t* height) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager jerr;
    jpeg_progress_mgr progress;
    uint8_t* volatile buffer = nullptr;

    SetUpErrorManager(jerr);
    cinfo.err = &jerr.pub;
    if (int jumped = setjmp(jerr.setjmpBuffer)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] buffer;
        return jumped == kJumpNoMemory ? DecodeResult::OutOfMemory : DecodeResult::Fatal;
    }
    jpeg_create_decompress(&cinfo);
    // Whole-image buffers (progressive files) beyond the pixel limit are refused
    // by the library instead of being promised by an overcommitting allocator.
    cinfo.mem->max_memory_to_use = static_cast<long>(kMaxPixelBytes);
    progress.progress_monitor = JpegScanLimit;
    cinfo.progress = &progress;
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenom;
    jpeg_start_decompress(&cinfo);

    const uint64_t bytes = PackedImageBytes(cinfo.output_width, cinfo.output_height);
    buffer = bytes ? AllocatePixels(bytes).release() : nullptr;
    if (!buffer) {
        jpeg_destroy_decompress(&cinfo);
        return DecodeResult::OutOfMemory;
    }
    // Whatever the rows below leave unwritten shows black, never old memory.
    std::memset(buffer, 0, bytes);
    *width = cinfo.output_width;
    *height = cinfo.output_height;

    const int components = cinfo.out_color_components;
    const bool inverted = cinfo.saw_Adobe_marker;
    const uint64_t rowBytes = uint64_t{cinfo.output_width} * 3;
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * cinfo.output_components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        jpeg_read_scanlines(&cinfo, row, 1);
        uint8_t* dst = buffer + uint64_t{cinfo.output_scanline - 1} * rowBytes;
        const JSAMPLE* src = row[0];
        if (components == 3) {
            std::copy(src, src + rowBytes, dst);
        } else if (components == 1) {
            for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
                dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = src[x];
            }
        } else if (components == 4) {
            CmykRowToRgb(src, dst, cinfo.output_width, inverted);
        } else {
            // Two or five and more components have no colour meaning: the
            // first is shown as grey.
            for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
                dst[x * 3] = dst[x * 3 + 1] = dst[x * 3 + 2] = src[size_t{x} * components];
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *outBuffer = buffer;
    return DecodeResult::Ok;
}

bool ReadHeader(std::FILE* fp, uint32_t* width, uint32_t* height) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager jerr;

    SetUpErrorManager(jerr);
    cinfo.err = &jerr.pub;
    if (int jumped = setjmp(jerr.setjmpBuffer)) {
        jpeg_destroy_decompress(&cinfo);
        if (jumped == kJumpNoMemory) {
            ShowOutOfMemory();
        }
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    *width = cinfo.image_width;
    *height = cinfo.image_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

bool EncodeTo(std::FILE* fp, const uint8_t* buffer, uint32_t width, uint32_t height, int quality) {
    jpeg_compress_struct cinfo;
    JpegErrorManager jerr;

    SetUpErrorManager(jerr);
    cinfo.err = &jerr.pub;
    if (int jumped = setjmp(jerr.setjmpBuffer)) {
        jpeg_destroy_compress(&cinfo);
        if (jumped == kJumpNoMemory) {
            ShowOutOfMemory();
        }
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, fp);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const uint64_t rowBytes = uint64_t{width} * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(buffer + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

uint32_t JpegFile::DecoderScaleDenom(uint32_t scaleNum, uint32_t scaleDenom) {
    const uint64_t num = scaleNum;
    const uint64_t den = scaleDenom;
    if (num * 8 <= den) {
        return 8;
    }
    if (num * 4 <= den) {
        return 4;
    }
    if (num * 2 <= den) {
        return 2;
    }
    return 1;
}

PixelBuffer JpegFile::ReadRgb(std::string path, uint32_t& width, uint32_t& height,
                              uint32_t scaleNum, uint32_t scaleDenom) {
    width = 0;
    height = 0;
    MessageSubject subject(path);
    std::FILE* fp = OpenRegularFileForRead(path);
    if (!fp) {
        Shell::Current().AppMessage(Format("JPEG :\nCan't open %s\n", path.c_str()));
        return nullptr;
    }
    uint8_t* raw = nullptr;
    DecodeResult r = DecodeInto(fp, DecoderScaleDenom(scaleNum, scaleDenom), &raw, &width, &height);
    std::fclose(fp);
    if (r == DecodeResult::OutOfMemory) {
        ShowOutOfMemory();
    }
    return PixelBuffer(r == DecodeResult::Ok ? raw : nullptr);
}

bool JpegFile::ReadDimensions(const std::string& path, uint32_t& width, uint32_t& height) {
    MessageSubject subject(path);
    std::FILE* fp = OpenRegularFileForRead(path);
    if (!fp) {
        Shell::Current().AppMessage(Format("JPEG :\nCan't open %s\n", path.c_str()));
        return false;
    }
    uint32_t w = 0;
    uint32_t h = 0;
    bool ok = ReadHeader(fp, &w, &h);
    std::fclose(fp);
    if (ok) {
        width = w;
        height = h;
    }
    return ok;
}

bool JpegFile::WriteRgb(const std::string& path, const uint8_t* buffer, uint32_t width,
                        uint32_t height, int quality) {
    if (!buffer || width == 0 || height == 0) {
        return false;
    }
    MessageSubject subject(path);
    AtomicFile out;
    if (!out.Open(path)) {
        Shell::Current().AppMessage(Format("JpegFile :\nCan't open %s\n", path.c_str()));
        return false;
    }
    if (!EncodeTo(out.Stream(), buffer, width, height, quality)) {
        return false;  // the library has shown why; the temporary file goes
    }
    if (!out.Commit()) {
        Shell::Current().AppMessage(Format("JpegFile :\nCan't open %s\n", path.c_str()));
        return false;
    }
    return true;
}

}  // namespace pixfold
