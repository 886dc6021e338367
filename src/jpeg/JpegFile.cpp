#include "jpeg/JpegFile.h"

#include <sys/stat.h>
#include <unistd.h>

// clang-format off
#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "jpeg/ReducedHuffman.h"
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
    bool quiet;  // any message means: decode again the ordinary way
};

constexpr int kTooManyScansCode = 1000;
static_assert(kReducedHuffmanGaveUp == kTooManyScansCode + 1);
const char* const kAddonMessages[] = {"Too many progressive scans (more than %d)",
                                      "Scan left to the ordinary decoder"};

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
constexpr int kJumpAgain = 3;

extern "C" void JpegFatalErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (err->quiet) {
        longjmp(err->setjmpBuffer, kJumpAgain);
    }
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
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (err->quiet) {
        longjmp(err->setjmpBuffer, kJumpAgain);
    }
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

void SetUpErrorManager(JpegErrorManager& jerr, bool quiet = false) {
    jpeg_std_error(&jerr.pub);
    jerr.quiet = quiet;
    jerr.pub.error_exit = JpegFatalErrorExit;
    jerr.pub.output_message = JpegWarningOutput;
    jerr.pub.addon_message_table = kAddonMessages;
    jerr.pub.first_addon_message = kTooManyScansCode;
    jerr.pub.last_addon_message = kReducedHuffmanGaveUp;
}

// The decoder's source: pieces of a JpegInput, with the end of the data
// handled as the library's own file source handles it (an empty file is an
// error; a file that ends early gets a warning and an end marker).
struct InputSource {
    jpeg_source_mgr pub;
    JpegInput* input;
    uint64_t next;  // file offset of the next piece
    bool startOfFile;
};

const JOCTET kEndMarker[2] = {0xFF, JPEG_EOI};

extern "C" void InitSource(j_decompress_ptr) {}

extern "C" boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<InputSource*>(cinfo->src);
    size_t length = 0;
    const uint8_t* data = src->input->ReadAt(src->next, &length);
    if (!data) {
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    }
    if (length == 0) {
        if (src->startOfFile) {
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        }
        WARNMS(cinfo, JWRN_JPEG_EOF);
        data = kEndMarker;
        length = sizeof kEndMarker;
    } else {
        src->next += length;
    }
    src->pub.next_input_byte = data;
    src->pub.bytes_in_buffer = length;
    src->startOfFile = false;
    return TRUE;
}

extern "C" void SkipInputData(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* src = cinfo->src;
    if (count <= 0) {
        return;
    }
    while (count > static_cast<long>(src->bytes_in_buffer)) {
        count -= static_cast<long>(src->bytes_in_buffer);
        (*src->fill_input_buffer)(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

extern "C" void TermSource(j_decompress_ptr) {}

// Reads from the start of the input. The manager lives in the decompressor's
// own memory, released with it.
void UseInput(j_decompress_ptr cinfo, JpegInput* input) {
    auto* src = static_cast<InputSource*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(InputSource)));
    src->pub.init_source = InitSource;
    src->pub.fill_input_buffer = FillInputBuffer;
    src->pub.skip_input_data = SkipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = TermSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    src->input = input;
    src->next = 0;
    src->startOfFile = true;
    cinfo->src = &src->pub;
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

enum class DecodeResult { Ok, Fatal, OutOfMemory, Again };

// Everything between the recovery point and a possible jump lives here, with
// plain C locals only: no destructor may be skipped by longjmp. A `quick`
// decode uses the reduced entropy decoder where it can and shows nothing:
// at the first message it stops and answers Again.
DecodeResult DecodeInto(JpegInput* input, uint32_t scaleDenom, uint8_t** outBuffer, uint32_t* width,
                        uint32_t* height, bool quick) {
    jpeg_decompress_struct cinfo;
    JpegErrorManager jerr;
    jpeg_progress_mgr progress;
    uint8_t* volatile buffer = nullptr;

    SetUpErrorManager(jerr, quick);
    cinfo.err = &jerr.pub;
    if (int jumped = setjmp(jerr.setjmpBuffer)) {
        jpeg_destroy_decompress(&cinfo);
        delete[] buffer;
        return jumped == kJumpAgain      ? DecodeResult::Again
               : jumped == kJumpNoMemory ? DecodeResult::OutOfMemory
                                         : DecodeResult::Fatal;
    }
    jpeg_create_decompress(&cinfo);
    // Whole-image buffers (progressive files) beyond the pixel limit are refused
    // by the library instead of being promised by an overcommitting allocator.
    cinfo.mem->max_memory_to_use = static_cast<long>(kMaxPixelBytes);
    progress.progress_monitor = JpegScanLimit;
    cinfo.progress = &progress;
    UseInput(&cinfo, input);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = scaleDenom;
    jpeg_start_decompress(&cinfo);
    if (quick && input->HoldsWholeFile()) {
        UseReducedHuffman(&cinfo);
    }

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
                const uint8_t grey = src[size_t{x} * components];
                dst[x * 3] = grey;
                dst[x * 3 + 1] = grey;
                dst[x * 3 + 2] = grey;
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *outBuffer = buffer;
    return DecodeResult::Ok;
}

bool ReadHeader(JpegInput* input, uint32_t* width, uint32_t* height) {
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
    UseInput(&cinfo, input);
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

int JpegFile::DecoderRelease() {
#ifdef LIBJPEG_TURBO_VERSION_NUMBER
    return LIBJPEG_TURBO_VERSION_NUMBER;
#else
    return JPEG_LIB_VERSION;
#endif
}

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

JpegInput::JpegInput(const std::string& path, std::vector<uint8_t>& buffer, size_t piece)
    : m_path(path), m_buffer(buffer), m_piece(piece > 0 ? piece : 1) {
    m_fd = OpenRegularFileDescriptor(path);
    struct stat st {};
    if (m_fd >= 0 && fstat(m_fd, &st) == 0) {
        m_stamp = StampOf(st);
    }
}

JpegInput::~JpegInput() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool JpegInput::Unchanged() const {
    struct stat st {};
    return m_fd >= 0 && fstat(m_fd, &st) == 0 && StampOf(st) == m_stamp;
}

const uint8_t* JpegInput::ReadAt(uint64_t offset, size_t* length) {
    static const uint8_t kNothing = 0;
    *length = 0;
    if (m_bufferValid && offset == m_bufferOffset) {
        *length = m_bufferLength;
        return m_buffer.data();
    }
    if (m_fd < 0) {
        return &kNothing;
    }
    // The whole file (and a little more, should it have grown) in one read
    // when it fits in a piece.
    const uint64_t rest = m_stamp.size > offset ? m_stamp.size - offset : 0;
    const size_t want = static_cast<size_t>(std::min<uint64_t>(m_piece, rest + 4096));
    if (m_buffer.size() < want) {
        try {
            m_buffer.resize(want);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    size_t got = 0;
    while (got < want) {
        const ssize_t n =
            pread(m_fd, m_buffer.data() + got, want - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // end of file, or an error the decoder sees as the end
        }
        got += static_cast<size_t>(n);
    }
    if (got == 0) {
        return &kNothing;  // the buffer still holds what it held
    }
    m_bufferOffset = offset;
    m_bufferLength = got;
    m_bufferValid = true;
    m_bufferReachesEnd = got < want;
    *length = got;
    return m_buffer.data();
}

// The path is taken by value as the class has always declared it.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
PixelBuffer JpegFile::ReadRgb(std::string path, uint32_t& width, uint32_t& height,
                              uint32_t scaleNum, uint32_t scaleDenom) {
    std::vector<uint8_t> buffer;
    JpegInput input(path, buffer);
    return ReadRgb(input, width, height, scaleNum, scaleDenom);
}

bool JpegFile::ReadDimensions(const std::string& path, uint32_t& width, uint32_t& height) {
    // The header is near the start: no need to read a large file whole.
    std::vector<uint8_t> buffer;
    JpegInput input(path, buffer, size_t{64} << 10);
    return ReadDimensions(input, width, height);
}

PixelBuffer JpegFile::ReadRgb(JpegInput& input, uint32_t& width, uint32_t& height,
                              uint32_t scaleNum, uint32_t scaleDenom) {
    width = 0;
    height = 0;
    MessageSubject subject(input.Path());
    if (!input.IsOpen()) {
        Shell::Current().AppMessage(Format("JPEG :\nCan't open %s\n", input.Path().c_str()));
        return nullptr;
    }
    uint8_t* raw = nullptr;
    const uint32_t denom = DecoderScaleDenom(scaleNum, scaleDenom);
    // Thumbnails first try the quick way; any message sends the file through
    // the ordinary decoder, which shows it.
    DecodeResult r = DecodeResult::Again;
    if (denom == 8) {
        r = DecodeInto(&input, denom, &raw, &width, &height, true);
    }
    if (r == DecodeResult::Again) {
        r = DecodeInto(&input, denom, &raw, &width, &height, false);
    }
    if (r == DecodeResult::OutOfMemory) {
        ShowOutOfMemory();
    }
    return PixelBuffer(r == DecodeResult::Ok ? raw : nullptr);
}

bool JpegFile::ReadDimensions(JpegInput& input, uint32_t& width, uint32_t& height) {
    MessageSubject subject(input.Path());
    if (!input.IsOpen()) {
        Shell::Current().AppMessage(Format("JPEG :\nCan't open %s\n", input.Path().c_str()));
        return false;
    }
    uint32_t w = 0;
    uint32_t h = 0;
    if (!ReadHeader(&input, &w, &h)) {
        return false;
    }
    width = w;
    height = h;
    return true;
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
