#pragma once
// The two things the program takes from a photo's EXIF block: which way up it
// was taken, and when. Read by walking the JPEG markers to the first
// "Exif\0\0" APP1 segment; no decoder is involved. Hostile bytes give the
// defaults, never a read outside the data.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pixfold {

// Calendar fields of an EXIF date, as the camera's clock showed them (no zone).
struct ExifDate {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    bool operator==(const ExifDate&) const = default;
};

struct ExifInfo {
    int orientation = 1;                // 1..8; 1 when absent or invalid
    std::optional<ExifDate> dateTaken;  // DateTimeOriginal, when well formed
};

// The TIFF structure that follows "Exif\0\0" (byte order mark first).
ExifInfo ParseExifTiff(const uint8_t* data, size_t size);

// A whole JPEG file, or as much of its start as is at hand.
ExifInfo ReadExifFromJpeg(const uint8_t* data, size_t size);

// Reads only the file's marker segments up to the first scan. A file that
// cannot be read, or is no regular file, gives the defaults.
ExifInfo ReadExifFile(const std::string& path);

// "YYYY:MM:DD HH:MM:SS" with every field in range; none otherwise.
std::optional<ExifDate> ParseExifDate(const char* text, size_t length);

}  // namespace pixfold
