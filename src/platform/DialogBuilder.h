#pragma once
// Builds a dialog's controls from a template in dialog units. The dialog's
// font is set first, since dialog units are measured in it; a control is as
// tall as the larger of its template height and what the toolkit needs.

#include <wx/dialog.h>

#include <functional>
#include <map>
#include <vector>

#include "res/DialogTemplates.h"

namespace pixfold {

class DialogBuilder {
  public:
    // Makes an owner-drawn control (colour buttons, palette cells).
    using OwnerFactory = std::function<wxWindow*(wxWindow* parent, int id, const wxRect& rect)>;

    // Creates every control of the template on the dialog, in template order
    // (which is also the tab order), and sizes the dialog to hold them.
    DialogBuilder(wxDialog& dialog, const res::DialogTemplate& tmpl, OwnerFactory owner = {});

    wxWindow* Control(int id) const;
    template <typename T>
    T* Get(int id) const {
        return dynamic_cast<T*>(Control(id));
    }
    // Pixel rectangle of a template rectangle in dialog units.
    wxRect ToPixels(int x, int y, int cx, int cy) const;

    static wxFont DialogFont(const res::DialogTemplate& tmpl);

  private:
    wxWindow* Create(const res::ControlTemplate& c);
    // Heights the toolkit needs, then room for them (DialogLayout).
    void GrowToBestHeights(const res::DialogTemplate& tmpl, const std::vector<wxWindow*>& made);
    void MakeRoom(const res::DialogTemplate& tmpl, const std::vector<wxWindow*>& made);
    wxString WrapToWidth(const wxString& text, int width) const;

    // A field made wider than its template: what starts right of it moves.
    struct Shift {
        int fromX, top, bottom, by;
    };
    std::vector<Shift> m_shifts;

    wxDialog& m_dialog;
    OwnerFactory m_owner;
    std::map<int, wxWindow*> m_controls;
};

}  // namespace pixfold
