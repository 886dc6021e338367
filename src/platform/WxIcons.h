#pragma once
// The program's icon as the toolkit wants it.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

namespace pixfold {

wxImage AppIconImage(int size);
wxBitmap AppIconBitmap(int size);
wxIconBundle AppIcons();

}  // namespace pixfold
