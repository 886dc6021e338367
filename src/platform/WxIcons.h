#pragma once
// The program's icon as the toolkit wants it.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace pixfold {

wxBitmap AppIconBitmap(int size);
wxIconBundle AppIcons();

}  // namespace pixfold
