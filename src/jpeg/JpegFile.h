#pragma once
// The only code that calls the JPEG library. Three stateless operations;
// buffers are in decoded form (R, G, B; top row first; packed rows) and are
// owned by the caller.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jpeg/PixelOps.h"
#include "platform/FileStamp.h"

namespace pixfold {

// A file opened for decoding. Its bytes are read whole into a buffer the
// caller may keep for the next file, so the decoder takes them in one piece
// (it decodes faster from a long buffer than from a stream of small reads),
// and the header and the picture are read from the same bytes. A file larger
// than `piece` is read in pieces of that size as the decoder asks.
class JpegInput {
  public:
    static constexpr size_t kWholeFileLimit = size_t{32} << 20;

    // Opens regular files only: a FIFO or device is never opened for reading.
    JpegInput(const std::string& path, std::vector<uint8_t>& buffer,
              size_t piece = kWholeFileLimit);
    ~JpegInput();
    JpegInput(const JpegInput&) = delete;
    JpegInput& operator=(const JpegInput&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    const std::string& Path() const { return m_path; }
    // The file as opened; whether it still is so (not written meanwhile).
    const FileStamp& Stamp() const { return m_stamp; }
    bool Unchanged() const;

    // For the decoder's source: the bytes at `offset`, as many as one piece
    // holds; an empty span at the end of the file.
    const uint8_t* ReadAt(uint64_t offset, size_t* length);
    // Whether the bytes ReadAt last gave are the whole file, from its start.
    bool HoldsWholeFile() const {
        return m_bufferValid && m_bufferOffset == 0 && m_bufferReachesEnd;
    }

  private:
    std::string m_path;
    std::vector<uint8_t>& m_buffer;
    size_t m_piece;
    int m_fd = -1;
    FileStamp m_stamp;
    uint64_t m_bufferOffset = 0;  // file offset of the bytes in the buffer
    size_t m_bufferLength = 0;
    bool m_bufferValid = false;
    bool m_bufferReachesEnd = false;
};

class JpegFile {
  public:
    // Decodes a file, letting the decoder reduce it by 1/2, 1/4 or 1/8 as the
    // ratio allows. Null (after a message) on failure.
    static PixelBuffer ReadRgb(std::string path, uint32_t& width, uint32_t& height,
                               uint32_t scaleNum, uint32_t scaleDenom);

    // Header size only; no decompression is started.
    static bool ReadDimensions(const std::string& path, uint32_t& width, uint32_t& height);

    // The same from an opened file; a file that could not be opened gets the
    // same message as a path that cannot be.
    static PixelBuffer ReadRgb(JpegInput& input, uint32_t& width, uint32_t& height,
                               uint32_t scaleNum, uint32_t scaleDenom);
    static bool ReadDimensions(JpegInput& input, uint32_t& width, uint32_t& height);

    // Encodes a colour baseline JPEG; the target is replaced only when complete.
    static bool WriteRgb(const std::string& path, const uint8_t* buffer, uint32_t width,
                         uint32_t height, int quality);

    // Changes whenever the decoder's pixels may: a new release of the library.
    static int DecoderRelease();

    // The reduction the decoder is asked for: denominator 1, 2, 4 or 8
    // (numerator 1), as the 6a library would pick it for num/denom.
    static uint32_t DecoderScaleDenom(uint32_t scaleNum, uint32_t scaleDenom);

    // A progressive file with more scans than this is refused as corrupt:
    // real encoders use a dozen, crafted files thousands.
    static constexpr int kMaxScans = 500;
};

}  // namespace pixfold
