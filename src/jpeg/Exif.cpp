#include "jpeg/Exif.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/AtomicFile.h"

namespace pixfold {

namespace {

constexpr uint16_t kTagOrientation = 0x0112;
constexpr uint16_t kTagExifIfd = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;

constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;
constexpr uint16_t kTypeIfd = 13;

constexpr size_t kExifDateLength = 19;  // "YYYY:MM:DD HH:MM:SS"

// Real files have a few dozen segments before the scan; a crafted one could
// have millions of tiny ones.
constexpr int kMaxSegments = 1024;

// Bounds-checked reads in the block's own byte order. Offsets are 64-bit so
// that offset + length never wraps.
class TiffData {
  public:
    TiffData(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Open() {
        if (!m_data || m_size < 8) {
            return false;
        }
        if (m_data[0] == 'I' && m_data[1] == 'I') {
            m_bigEndian = false;
        } else if (m_data[0] == 'M' && m_data[1] == 'M') {
            m_bigEndian = true;
        } else {
            return false;
        }
        uint16_t magic = 0;
        return U16(2, magic) && magic == 42;
    }

    bool Has(uint64_t offset, uint64_t length) const {
        return offset <= m_size && length <= m_size - offset;
    }
    bool U16(uint64_t offset, uint16_t& value) const {
        if (!Has(offset, 2)) {
            return false;
        }
        const uint8_t* p = m_data + offset;
        value = m_bigEndian ? static_cast<uint16_t>(p[0] << 8 | p[1])
                            : static_cast<uint16_t>(p[1] << 8 | p[0]);
        return true;
    }
    bool U32(uint64_t offset, uint32_t& value) const {
        if (!Has(offset, 4)) {
            return false;
        }
        const uint8_t* p = m_data + offset;
        value = m_bigEndian ? (uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 |
                               uint32_t{p[3]})
                            : (uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 |
                               uint32_t{p[0]});
        return true;
    }
    const uint8_t* At(uint64_t offset) const { return m_data + offset; }

  private:
    const uint8_t* m_data;
    size_t m_size;
    bool m_bigEndian = false;
};

struct IfdEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    uint64_t valueAt = 0;  // offset of the 4-byte value field
};

// Calls fn for each entry of the directory at the offset, stopping at the
// first one that does not lie wholly inside the data. Next-directory links
// are never followed, so a directory chain that loops costs nothing.
template <typename Fn>
void ForEachEntry(const TiffData& tiff, uint64_t ifd, Fn fn) {
    uint16_t count = 0;
    if (!tiff.U16(ifd, count)) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = ifd + 2 + uint64_t{12} * i;
        if (!tiff.Has(at, 12)) {
            return;
        }
        IfdEntry e;
        tiff.U16(at, e.tag);
        tiff.U16(at + 2, e.type);
        tiff.U32(at + 4, e.count);
        e.valueAt = at + 8;
        fn(e);
    }
}

// A single SHORT or LONG value.
bool SingleNumber(const TiffData& tiff, const IfdEntry& e, uint32_t& value) {
    if (e.count != 1) {
        return false;
    }
    if (e.type == kTypeShort) {
        uint16_t v = 0;
        tiff.U16(e.valueAt, v);
        value = v;
        return true;
    }
    if (e.type == kTypeLong || e.type == kTypeIfd) {
        return tiff.U32(e.valueAt, value);
    }
    return false;
}

std::optional<ExifDate> DateValue(const TiffData& tiff, const IfdEntry& e) {
    if (e.type != kTypeAscii || e.count < kExifDateLength) {
        return std::nullopt;
    }
    uint32_t offset = 0;  // 19 bytes never fit in the value field itself
    if (!tiff.U32(e.valueAt, offset) || !tiff.Has(offset, kExifDateLength)) {
        return std::nullopt;
    }
    return ParseExifDate(reinterpret_cast<const char*>(tiff.At(offset)), kExifDateLength);
}

bool TwoDigits(const char* p, uint16_t& value) {
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') {
        return false;
    }
    value = static_cast<uint16_t>((p[0] - '0') * 10 + (p[1] - '0'));
    return true;
}

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// How many bytes it could read at the offset into out (up to n).
using ReadAt = std::function<size_t(uint64_t offset, uint8_t* out, size_t n)>;

ExifInfo WalkMarkers(const ReadAt& read) {
    uint8_t b[2];
    if (read(0, b, 2) != 2 || b[0] != 0xFF || b[1] != 0xD8) {
        return {};
    }
    uint64_t pos = 2;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        if (read(pos, b, 2) != 2 || b[0] != 0xFF) {
            return {};
        }
        uint8_t code = b[1];
        pos += 2;
        while (code == 0xFF) {  // fill bytes before a marker
            if (read(pos, b, 1) != 1) {
                return {};
            }
            code = b[0];
            ++pos;
        }
        if (code == 0xD9 || code == 0xDA) {  // EXIF comes before the picture or not at all
            return {};
        }
        if (code == 0x00) {
            return {};
        }
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {
            continue;  // markers without a length
        }
        if (read(pos, b, 2) != 2) {
            return {};
        }
        const uint16_t length = static_cast<uint16_t>(b[0] << 8 | b[1]);
        if (length < 2) {
            return {};
        }
        uint8_t mark[6];
        if (code == 0xE1 && length >= 2 + 6 && read(pos + 2, mark, 6) == 6 &&
            std::memcmp(mark, "Exif\0\0", 6) == 0) {
            std::vector<uint8_t> tiff(length - 2u - 6u);
            // A cut-off segment still gives whatever lies inside it.
            const size_t got = read(pos + 2 + 6, tiff.data(), tiff.size());
            return ParseExifTiff(tiff.data(), got);
        }
        pos += length;
    }
    return {};
}

}  // namespace

std::optional<ExifDate> ParseExifDate(const char* text, size_t length) {
    if (!text || length < kExifDateLength) {
        return std::nullopt;
    }
    static const char kPattern[] = "dddd:dd:dd dd:dd:dd";
    for (size_t i = 0; i < kExifDateLength; ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kPattern[i] == 'd' ? !digit : text[i] != kPattern[i]) {
            return std::nullopt;
        }
    }
    ExifDate d;
    uint16_t hi = 0, lo = 0;
    TwoDigits(text, hi);
    TwoDigits(text + 2, lo);
    d.year = static_cast<uint16_t>(hi * 100 + lo);
    TwoDigits(text + 5, d.month);
    TwoDigits(text + 8, d.day);
    TwoDigits(text + 11, d.hour);
    TwoDigits(text + 14, d.minute);
    TwoDigits(text + 17, d.second);
    static const uint16_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // Cameras with an unset clock write zeros; no file time reaches before 1601 either.
    if (d.year < 1601 || d.month < 1 || d.month > 12 || d.day < 1) {
        return std::nullopt;
    }
    const uint16_t days = d.month == 2 && IsLeapYear(d.year) ? 29 : kDays[d.month - 1];
    if (d.day > days || d.hour > 23 || d.minute > 59 || d.second > 59) {
        return std::nullopt;
    }
    return d;
}

ExifInfo ParseExifTiff(const uint8_t* data, size_t size) {
    ExifInfo info;
    TiffData tiff(data, size);
    if (!tiff.Open()) {
        return info;
    }
    uint32_t ifd0 = 0;
    if (!tiff.U32(4, ifd0)) {
        return info;
    }
    bool orientationSeen = false;
    std::optional<uint32_t> exifIfd;
    ForEachEntry(tiff, ifd0, [&](const IfdEntry& e) {
        uint32_t value = 0;
        if (e.tag == kTagOrientation && !orientationSeen) {
            orientationSeen = true;
            if (SingleNumber(tiff, e, value) && value >= 1 && value <= 8) {
                info.orientation = static_cast<int>(value);
            }
        } else if (e.tag == kTagExifIfd && !exifIfd && SingleNumber(tiff, e, value)) {
            exifIfd = value;
        }
    });
    if (exifIfd) {
        bool dateSeen = false;
        ForEachEntry(tiff, *exifIfd, [&](const IfdEntry& e) {
            if (e.tag == kTagDateTimeOriginal && !dateSeen) {
                dateSeen = true;
                info.dateTaken = DateValue(tiff, e);
            }
        });
    }
    return info;
}

ExifInfo ReadExifFromJpeg(const uint8_t* data, size_t size) {
    if (!data) {
        return {};
    }
    return WalkMarkers([data, size](uint64_t offset, uint8_t* out, size_t n) -> size_t {
        if (offset >= size) {
            return 0;
        }
        const size_t take = static_cast<size_t>(std::min<uint64_t>(n, size - offset));
        std::memcpy(out, data + offset, take);
        return take;
    });
}

ExifInfo ReadExifFile(const std::string& path) {
    std::FILE* fp = OpenRegularFileForRead(path);
    if (!fp) {
        return {};
    }
    const int fd = fileno(fp);
    ExifInfo info = WalkMarkers([fd](uint64_t offset, uint8_t* out, size_t n) -> size_t {
        size_t done = 0;
        while (done < n) {
            const ssize_t got = pread(fd, out + done, n - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                break;
            }
            done += static_cast<size_t>(got);
        }
        return done;
    });
    std::fclose(fp);
    return info;
}

}  // namespace pixfold
