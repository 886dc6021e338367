#pragma once
// Small string helpers shared by the core.

#include <string>

namespace pixfold {

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Upper-cases ASCII letters; other bytes (UTF-8 sequences included) are kept.
std::string UpperAscii(std::string s);

// Case-insensitive (ASCII) equality.
bool EqualsNoCase(const std::string& a, const std::string& b);

// Leading and trailing white space (space, tab, CR, LF, VT, FF) removed.
std::string Trim(const std::string& s);

// Parses like "%d": leading white space, optional sign, digits; false when no
// digit follows. Values beyond int saturate.
bool ScanInt(const char* text, int& value);

}  // namespace pixfold
