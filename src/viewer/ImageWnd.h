#pragma once
// A picture at full size in a window of its own, with the grid's captions in
// its corners. Created on the heap by the view; deletes itself when closed.

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/frame.h>
#include <wx/weakref.h>

#include <string>

#include "catalog/ThumbRecord.h"
#include "jpeg/PixelOps.h"
#include "viewer/Viewport.h"

namespace pixfold {

class ImageHost;

class CImageWnd : public wxFrame {
  public:
    explicit CImageWnd(ImageHost* host);
    ~CImageWnd() override;

    // Shows the window placed for the record and decodes its picture; false
    // when the window could not be made or the picture not decoded.
    virtual bool Create(ThumbRecord* record, bool slideShow);
    bool LoadPicture(ThumbRecord* record);
    Rect PlaceWindow(const ThumbRecord* record, bool move);
    void ShowRecord(ThumbRecord* record);

    // Paints background, picture and captions on a device context.
    void Render(wxDC& dc);
    // What a key does: Escape stops the show's timer and closes, Space pauses.
    void HandleChar(int key);

    // The client-area child that paints and takes the keys: a frame without
    // a child gets no key events on every platform.
    wxWindow* Canvas() const { return m_canvas; }
    // The part of the scaled picture the display bitmap holds, and how often
    // it was made: once per picture and scale, again only when a part not
    // held comes into view.
    wxRect DisplayArea() const { return m_displayArea; }
    int DisplayBuilds() const { return m_displayBuilds; }

    // Fit, zoom, panning, next and previous, full screen: a key's effect,
    // false for a key that has none here.
    bool HandleViewKey(int key, int mods);
    // Shows the record `step` places on in the catalogue, or steps the show.
    void ShowNext(int step);
    const Viewport& View() const { return m_viewport; }

    PixelBuffer m_pPixels;  // display form
    uint32_t m_nWidth = 0;
    uint32_t m_nHeight = 0;
    wxFont m_font;
    bool m_bSlideShow = false;
    // The record is read only while a picture is loaded; captions are copied
    // then, so the window never reads a record that has left the catalogue.
    ThumbRecord* m_pRecord = nullptr;
    std::string m_strTitle, m_strDim, m_strSize, m_strDate;
    std::string m_strPath;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    // The picture's part that can be seen: the client area within the screens.
    wxRect VisibleArea() const;
    void ReleaseDisplay();
    // A bitmap of part of the picture at the viewport's scale.
    wxBitmap ScaledBitmap(const wxRect& area) const;
    void BindViewport();
    // A new picture: 1:1 at the top-left corner, or fitted when fit is on.
    void ResetViewport();
    void ViewportChanged();
    void OnCanvasSize(wxSizeEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnDragStart(wxMouseEvent& event);
    void OnDrag(wxMouseEvent& event);
    void OnDragEnd(wxMouseEvent& event);

    // The host, while its window lives.
    ImageHost* Host() const { return m_hostWindow ? m_host : nullptr; }
    ImageHost* m_host;
    wxWeakRef<wxWindow> m_hostWindow;
    wxWindow* m_canvas = nullptr;
    bool m_created = false;
    // One bitmap ready to blit; a picture larger than the screens gets one
    // of the part in view only, so a huge picture is never held twice.
    wxBitmap m_display;
    wxRect m_displayArea;
    int m_displayBuilds = 0;
    double m_displayScale = 1;  // the scale m_display was made at
    Viewport m_viewport;
    bool m_dragging = false;
    wxPoint m_dragFrom;
    int m_wheelRotation = 0;
};

}  // namespace pixfold
