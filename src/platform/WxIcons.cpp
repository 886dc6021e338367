#include "platform/WxIcons.h"

#include <wx/image.h>

#include "app/AppIcon.h"

namespace pixfold {

wxImage AppIconImage(int size) {
    const std::vector<uint32_t> px = RenderAppIcon(size);
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
