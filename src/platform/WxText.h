#pragma once
// File names are bytes; the toolkit's strings are text. Every path or name that
// crosses into or out of wx, and every text shown that may hold one, goes
// through here.

#include <wx/string.h>
#include <wx/window.h>

#include <string>

namespace pixfold {

// Makes the toolkit's file-name conversion give back exactly the bytes it was
// given, whatever the locale: bytes that are not UTF-8 ride as the private-use
// characters U+100080..U+1000FF.
void UseExactFileNames();

// A path or file name for the toolkit (choosers, the desktop's opener, fields
// that hold a path); PathFromWx(PathToWx(p)) == p for any bytes.
wxString PathToWx(const std::string& path);
std::string PathFromWx(const wxString& path);

// Text shown to people (titles, captions, status panes, messages): UTF-8 as
// it stands, each byte that is not part of a valid sequence shown as U+FFFD.
wxString ShownText(const std::string& text);

// The path a file chooser or folder browser was closed with, as bytes: wx's
// own answer (`fallback`) passes through UTF-8 and loses a path that is not.
// `typedName`: the last part was typed into the chooser's name field, where a
// name that is not UTF-8 stands in the private-use characters above.
std::string AcceptedPath(wxWindow& chooser, const wxString& fallback, bool typedName);

}  // namespace pixfold
