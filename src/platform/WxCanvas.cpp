#include "platform/WxCanvas.h"

#include <wx/bitmap.h>
#include <wx/image.h>

#include "jpeg/PixelOps.h"
#include "platform/WxText.h"

namespace pixfold {

void DrawDibBits(wxDC& dc, int x, int y, uint32_t width, uint32_t height, const uint8_t* bits) {
    if (!bits || width == 0 || height == 0) {
        return;
    }
    const uint32_t stride = AlignedRowLength(width);
    wxImage image(static_cast<int>(width), static_cast<int>(height), false);
    unsigned char* out = image.GetData();
    for (uint32_t row = 0; row < height; ++row) {
        const uint8_t* src = bits + uint64_t{height - 1 - row} * stride;
        unsigned char* dst = out + uint64_t{row} * width * 3;
        for (uint32_t col = 0; col < width; ++col) {
            dst[col * 3] = src[col * 3 + 2];
            dst[col * 3 + 1] = src[col * 3 + 1];
            dst[col * 3 + 2] = src[col * 3];
        }
    }
    dc.DrawBitmap(wxBitmap(image, 24), x, y, false);
}

wxPoint AlignedTextOrigin(int x, int y, TextAlign align, const wxSize& extent) {
    switch (align) {
        case TextAlign::LeftTop:
            return {x, y};
        case TextAlign::RightTop:
            return {x - extent.x, y};
        case TextAlign::LeftBottom:
            return {x, y - extent.y};
        case TextAlign::RightBottom:
            return {x - extent.x, y - extent.y};
    }
    return {x, y};
}

void WxCanvas::FillRect(const Rect& r, ColorRef color) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(ToWx(color)));
    m_dc.DrawRectangle(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void WxCanvas::DrawDib(int x, int y, uint32_t width, uint32_t height, const uint8_t* bits) {
    DrawDibBits(m_dc, x, y, width, height, bits);
}

void WxCanvas::Text(int x, int y, TextAlign align, const std::string& text, ColorRef color) {
    m_dc.SetFont(m_font);
    m_dc.SetTextForeground(ToWx(color));
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxString s = ShownText(text);
    m_dc.DrawText(s, AlignedTextOrigin(x, y, align, m_dc.GetTextExtent(s)));
}

bool WxCanvas::NeedsPaint(const Rect& r) const {
    if (m_update.IsEmpty()) {
        return true;
    }
    return m_update.Contains(wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top)) !=
           wxOutRegion;
}

}  // namespace pixfold
