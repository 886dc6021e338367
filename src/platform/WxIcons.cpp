#include "platform/WxIcons.h"

#include <wx/image.h>

#include "platform/AppIcon.h"

namespace pixfold {

namespace {

wxImage ToImage(const std::vector<uint32_t>& px, int size) {
    wxImage img(size, size);
    img.InitAlpha();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint32_t p = px[size_t(y) * size + x];
            img.SetRGB(x, y, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
            img.SetAlpha(x, y, (p >> 24) & 0xFF);
        }
    }
    return img;
}

}  // namespace

wxImage AppIconImage(int size) {
    return ToImage(RenderAppIcon(size), size);
}

wxBitmapBundle SlideShowToolArt() {
    wxVector<wxBitmap> sizes;
    for (int size : {16, 24, 32}) {
        sizes.push_back(wxBitmap(ToImage(RenderSlideShowTool(size), size)));
    }
    return wxBitmapBundle::FromBitmaps(sizes);
}

wxBitmap AppIconBitmap(int size) {
    return wxBitmap(AppIconImage(size));
}

wxIconBundle AppIcons() {
    wxIconBundle bundle;
    for (int size : {16, 32, 48, 64}) {
        wxIcon icon;
        icon.CopyFromBitmap(AppIconBitmap(size));
        bundle.AddIcon(icon);
    }
    return bundle;
}

}  // namespace pixfold
