#include "platform/WxText.h"

#include <dlfcn.h>
#include <wx/strconv.h>

namespace pixfold {

namespace {

wxMBConv& Exact() {
    static wxMBConvUTF8 conv(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
    return conv;
}

// Length of the well-formed UTF-8 sequence at s[i] (overlong forms,
// surrogates and values past U+10FFFF are not), or 0; its value in *cp.
size_t Utf8Sequence(const std::string& s, size_t i, char32_t* cp) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        *cp = lead;
        return 1;
    }
    size_t n = 0;
    char32_t value = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() - i < n) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        const unsigned char c = byte(i + k);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) {
            return 0;
        }
        value = (value << 6) | (c & 0x3F);
    }
    *cp = value;
    return n;
}

bool IsUtf8(const std::string& s) {
    char32_t cp = 0;
    for (size_t i = 0; i < s.size();) {
        const size_t n = Utf8Sequence(s, i, &cp);
        if (n == 0) {
            return false;
        }
        i += n;
    }
    return true;
}

// The file name a GTK file chooser holds, as bytes; empty when `widget` is
// not one or holds none. The few GTK calls are looked up in the libraries
// already loaded, so the build needs no GTK headers.
std::string GtkChooserFileName(void* widget) {
    using GetType = unsigned long (*)();
    using IsA = int (*)(void*, unsigned long);
    using GetFileName = char* (*)(void*);
    using Free = void (*)(void*);
    static const auto chooserType =
        reinterpret_cast<GetType>(dlsym(RTLD_DEFAULT, "gtk_file_chooser_get_type"));
    static const auto isA =
        reinterpret_cast<IsA>(dlsym(RTLD_DEFAULT, "g_type_check_instance_is_a"));
    static const auto getFileName =
        reinterpret_cast<GetFileName>(dlsym(RTLD_DEFAULT, "gtk_file_chooser_get_filename"));
    static const auto gFree = reinterpret_cast<Free>(dlsym(RTLD_DEFAULT, "g_free"));
    if (!widget || !chooserType || !isA || !getFileName || !gFree || !isA(widget, chooserType())) {
        return {};
    }
    char* name = getFileName(widget);
    if (!name) {
        return {};
    }
    std::string bytes = name;
    gFree(name);
    return bytes;
}

}  // namespace

void UseExactFileNames() {
    wxConvFileName = &Exact();
}

wxString PathToWx(const std::string& path) {
    return wxString(path.data(), Exact(), path.size());
}

std::string PathFromWx(const wxString& path) {
    // Converted into a string of our own: no reference-counted buffer to hand over.
    const std::wstring& wide = path.ToStdWstring();
    const size_t size = Exact().FromWChar(nullptr, 0, wide.data(), wide.size());
    if (size == wxCONV_FAILED || size == 0) {
        return {};
    }
    std::string bytes(size, '\0');
    Exact().FromWChar(bytes.data(), size, wide.data(), wide.size());
    return bytes;
}

wxString ShownText(const std::string& text) {
    std::wstring shown;
    shown.reserve(text.size());
    char32_t cp = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t n = Utf8Sequence(text, i, &cp);
        shown += static_cast<wchar_t>(n ? cp : 0xFFFD);
        i += n ? n : 1;
    }
    return wxString(shown);
}

std::string AcceptedPath(wxWindow& chooser, const wxString& fallback, bool typedName) {
    std::string path = GtkChooserFileName(chooser.GetHandle());
    if (path.empty()) {
        return PathFromWx(fallback);
    }
    if (typedName) {
        // The name field holds text: what it was given as private-use
        // characters comes back as UTF-8 and turns into the bytes again.
        const size_t start = path.rfind('/') + 1;  // 0 without a slash
        const std::string name = path.substr(start);
        if (IsUtf8(name)) {
            path.replace(start, std::string::npos, PathFromWx(wxString::FromUTF8(name)));
        }
    }
    return path;
}

}  // namespace pixfold
