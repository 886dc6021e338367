#pragma once
// The program's icon as the toolkit wants it.

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

namespace pixfold {

wxImage AppIconImage(int size);
wxBitmap AppIconBitmap(int size);
wxIconBundle AppIcons();
// The Start Slide Show tool at 16, 24 and 32 pixels.
wxBitmapBundle SlideShowToolArt();

}  // namespace pixfold
