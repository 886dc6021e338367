#include "platform/WxCanvas.h"

#include <wx/rawbmp.h>

#include <wx/bitmap.h>
#include <wx/image.h>

#include "platform/PixelBuffer.h"
#include "platform/WxText.h"

namespace pixfold {

int TakeWheelNotches(int& gathered, const wxMouseEvent& event) {
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    gathered += event.GetWheelRotation();
    const int notches = gathered / delta;
    gathered -= notches * delta;
    return notches;
}

wxFont CaptionFont() {
    return wxFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false, "arial");
}

void DrawDibBits(wxDC& dc, int x, int y, uint32_t width, uint32_t height, const uint8_t* bits) {
    if (!bits || width == 0 || height == 0) {
        return;
    }
    const wxBitmap bmp = DibBitmap(bits, width, height, AlignedRowLength(width),
                                   wxRect(0, 0, static_cast<int>(width), static_cast<int>(height)));
    if (bmp.IsOk()) {
        dc.DrawBitmap(bmp, x, y, false);
    }
}

wxBitmap DibBitmap(const uint8_t* bits, uint32_t width, uint32_t height, size_t stride,
                   const wxRect& wanted) {
    const wxRect area =
        wanted.Intersect(wxRect(0, 0, static_cast<int>(width), static_cast<int>(height)));
    if (!bits || area.IsEmpty()) {
        return wxNullBitmap;
    }
    wxBitmap bmp(area.width, area.height, 24);
    wxNativePixelData data(bmp);
    if (!data) {
        return wxNullBitmap;
    }
    wxNativePixelData::Iterator row(data);
    for (int y = 0; y < area.height; ++y) {
        const uint8_t* src = bits +
                             (size_t{height} - 1 - static_cast<size_t>(area.y + y)) * stride +
                             size_t(area.x) * 3;
        wxNativePixelData::Iterator px = row;
        for (int x = 0; x < area.width; ++x, ++px, src += 3) {
            px.Red() = src[2];
            px.Green() = src[1];
            px.Blue() = src[0];
        }
        row.OffsetY(data, 1);
    }
    return bmp;
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
