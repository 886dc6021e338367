#include "platform/ControlBytes.h"

#include <cstdint>

namespace pixfold {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto at = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t b = at(i);
    size_t n = 0;
    uint32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (at(i + k) & 0x3F);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return overlong || surrogate || cp > 0x10FFFF ? 0 : n;
}

void Hex(std::string& out, uint8_t b) {
    static const char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[b >> 4];
    out += digits[b & 15];
}

}  // namespace

std::string EscapeControlBytes(const std::string& text, EscapeRules rules) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const uint8_t b = static_cast<uint8_t>(text[i]);
        const bool keptBreak = (b == '\n' || b == '\t') && !rules.lineBreaks;
        if (b == '\\' && rules.backslash) {
            out += "\\\\";
        } else if (!keptBreak && (b < 0x20 || b == 0x7F)) {
            Hex(out, b);
        } else if (b >= 0x80 && rules.terminal) {
            const size_t n = Utf8Length(text, i);
            // U+0080..U+009F are controls too (U+009B starts an escape sequence).
            if (n == 0 || (n == 2 && b == 0xC2 && static_cast<uint8_t>(text[i + 1]) < 0xA0)) {
                Hex(out, b);
            } else {
                out.append(text, i, n);
                i += n;
                continue;
            }
        } else {
            out += static_cast<char>(b);
        }
        ++i;
    }
    return out;
}

}  // namespace pixfold
