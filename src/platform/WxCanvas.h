#pragma once
// The grid's drawing surface on a wx device context, and the one routine that
// puts a bottom-up BGR bitmap on screen (1:1, never scaled).

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/event.h>
#include <wx/font.h>
#include <wx/region.h>

#include "platform/Canvas.h"

namespace pixfold {

// Draws aligned bottom-up BGR rows at (x, y), one pixel per pixel.
// Whole wheel notches turned so far: the rotation is gathered in `gathered`
// (wheels with fine steps send parts of a notch) and the notches taken out.
int TakeWheelNotches(int& gathered, const wxMouseEvent& event);

// The font of the captions, in the grid and in image windows alike.
wxFont CaptionFont();

void DrawDibBits(wxDC& dc, int x, int y, uint32_t width, uint32_t height, const uint8_t* bits);

// A bitmap of the part `area` (top-down picture coordinates) of a bottom-up
// BGR picture whose rows are `stride` bytes apart; only that part is copied.
wxBitmap DibBitmap(const uint8_t* bits, uint32_t width, uint32_t height, size_t stride,
                   const wxRect& area);

inline wxColour ToWx(ColorRef c) {
    return wxColour(RedOf(c), GreenOf(c), BlueOf(c));
}
inline ColorRef FromWx(const wxColour& c) {
    return Rgb(c.Red(), c.Green(), c.Blue());
}

// Top-left corner for a text of the given size whose reference point is (x, y).
wxPoint AlignedTextOrigin(int x, int y, TextAlign align, const wxSize& extent);

class WxCanvas : public Canvas {
  public:
    // `update` is in document coordinates; an empty region paints everything.
    WxCanvas(wxDC& dc, const wxFont& font, const wxRegion& update = wxRegion())
        : m_dc(dc), m_font(font), m_update(update) {}

    void FillRect(const Rect& rect, ColorRef color) override;
    void DrawDib(int x, int y, uint32_t width, uint32_t height, const uint8_t* bits) override;
    void Text(int x, int y, TextAlign align, const std::string& text, ColorRef color) override;
    bool NeedsPaint(const Rect& rect) const override;

  private:
    wxDC& m_dc;
    const wxFont& m_font;
    wxRegion m_update;
};

}  // namespace pixfold
