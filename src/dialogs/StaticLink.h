#pragma once
// A static text that is a hyperlink: underlined, blue or (once followed)
// purple, a pointing hand while the pointer is over it, and opening its
// target through the desktop when clicked.

#include <wx/control.h>
#include <wx/font.h>
#include <wx/timer.h>

#include <string>

#include "platform/Canvas.h"

namespace pixfold {

class CStaticLink : public wxControl {
  public:
    // The kinds of static control a template may hold: text left, centred,
    // right; others (icons, frames) keep their default look.
    enum StaticType { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kIcon = 3, kFrame = 7 };

    CStaticLink(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& pos,
                const wxSize& size, StaticType type = kTextCenter, bool notify = false);
    ~CStaticLink() override;

    // Takes the place of a static control made from a template.
    static CStaticLink* Subclass(wxWindow* existing, StaticType type);

    ColorRef m_colorUnvisited;
    ColorRef m_colorVisited;
    int* m_pVisited = nullptr;
    int m_bCaptured = 0;
    int m_bClickedRecently = 0;
    std::string m_strLink;
    wxFont m_fontUnderline;
    std::string m_mailPrefix;  // marks the e-mail link

    // Turns on click reports and, for text, the underlined font; runs at
    // every paint.
    void Colorize();
    // The colour the text is drawn in now.
    ColorRef CurrentColor() const;
    bool Notifies() const { return m_notify; }
    bool ColouringApplies() const { return m_type <= kTextRight; }

    void OnClicked();
    void OnPointerMove(bool inside);
    void OnQuietTimer();
    wxTimer& QuietTimer() { return m_timer; }
    // Lets go of the mouse held while hovering: a window that disappears
    // holding it leaves the toolkit pointing at a dead window.
    void ReleaseHover();

    static wxCursor HandCursor();

  private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    wxSize DoGetBestSize() const override;

    void OnTopLevelShow(wxShowEvent& event);

    StaticType m_type;
    bool m_notify;
    wxTimer m_timer;
    wxWindow* m_topLevel;
};

}  // namespace pixfold
