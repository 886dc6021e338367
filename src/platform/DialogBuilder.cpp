#include "platform/DialogBuilder.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <algorithm>

namespace pixfold {

using res::Ctl;

wxFont DialogBuilder::DialogFont(const res::DialogTemplate& tmpl) {
    return wxFont(tmpl.fontPoints, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL,
                  false, wxString::FromUTF8(tmpl.fontFace));
}

wxRect DialogBuilder::ToPixels(int x, int y, int cx, int cy) const {
    const wxPoint pos = m_dialog.ConvertDialogToPixels(wxPoint(x, y));
    const wxSize size = m_dialog.ConvertDialogToPixels(wxSize(cx, cy));
    return {pos, size};
}

DialogBuilder::DialogBuilder(wxDialog& dialog, const res::DialogTemplate& tmpl, OwnerFactory owner)
    : m_dialog(dialog), m_owner(std::move(owner)) {
    m_dialog.SetFont(DialogFont(tmpl));
    int bottom = 0;
    for (size_t i = 0; i < tmpl.count; ++i) {
        wxWindow* w = Create(tmpl.controls[i]);
        if (tmpl.controls[i].id >= 0) {
            m_controls[tmpl.controls[i].id] = w;
        }
        if (w->IsShown()) {
            bottom = std::max(bottom, w->GetRect().GetBottom() + 1);
        }
    }
    const wxSize client = m_dialog.ConvertDialogToPixels(wxSize(tmpl.cx, tmpl.cy));
    const int margin = m_dialog.ConvertDialogToPixels(wxSize(0, 7)).y;
    m_dialog.SetClientSize(client.x, std::max(client.y, bottom + margin));
}

wxWindow* DialogBuilder::Control(int id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

wxWindow* DialogBuilder::Create(const res::ControlTemplate& c) {
    const wxRect r = ToPixels(c.x, c.y, c.cx, c.cy);
    const wxString text = wxString::FromUTF8(c.text ? c.text : "");
    const int id = c.id >= 0 ? c.id : wxID_ANY;
    wxWindow* w = nullptr;
    switch (c.kind) {
        case Ctl::Static:
        case Ctl::StaticCenter:
        case Ctl::StaticRight: {
            long style = wxST_NO_AUTORESIZE | (c.kind == Ctl::StaticCenter  ? wxALIGN_CENTRE_HORIZONTAL
                                               : c.kind == Ctl::StaticRight ? wxALIGN_RIGHT
                                                                            : wxALIGN_LEFT);
            w = new wxStaticText(&m_dialog, id, text, r.GetPosition(), r.GetSize(), style);
            break;
        }
        case Ctl::Icon:
            w = new wxStaticBitmap(&m_dialog, id, wxNullBitmap, r.GetPosition(), r.GetSize());
            break;
        case Ctl::Group:
            w = new wxStaticBox(&m_dialog, id, text, r.GetPosition(), r.GetSize());
            break;
        case Ctl::OwnerButton:
            if (m_owner) {
                w = m_owner(&m_dialog, id, r);
                break;
            }
            [[fallthrough]];
        case Ctl::Button:
        case Ctl::DefButton: {
            auto* b = new wxButton(&m_dialog, id, text, r.GetPosition(), r.GetSize());
            if (c.kind == Ctl::DefButton) {
                b->SetDefault();
            }
            w = b;
            break;
        }
        case Ctl::Check:
            w = new wxCheckBox(&m_dialog, id, text, r.GetPosition(), r.GetSize());
            break;
        case Ctl::Radio:
            w = new wxRadioButton(&m_dialog, id, text, r.GetPosition(), r.GetSize(),
                                  (c.style & res::kGroupStart) ? wxRB_GROUP : 0);
            break;
        case Ctl::Edit:
            w = new wxTextCtrl(&m_dialog, id, text, r.GetPosition(), r.GetSize());
            break;
        case Ctl::Slider:
            w = new wxSlider(&m_dialog, id, 0, 0, 100, r.GetPosition(), r.GetSize(),
                             wxSL_HORIZONTAL | ((c.style & res::kAutoTicks) ? wxSL_AUTOTICKS : 0));
            break;
    }
    // GTK controls need more height than classic dialog units give.
    const int best = w->GetBestSize().y;
    if (c.kind != Ctl::Group && c.kind != Ctl::Static && c.kind != Ctl::StaticCenter &&
        c.kind != Ctl::StaticRight && c.kind != Ctl::OwnerButton && best > r.height) {
        // Push buttons grow downwards (they stand below what they belong to);
        // the others grow around their middle, to stay level with their labels.
        const bool button = c.kind == Ctl::Button || c.kind == Ctl::DefButton;
        w->SetSize(r.x, button ? r.y : r.y - (best - r.height) / 2, r.width, best);
    }
    if (c.style & res::kHidden) {
        w->Hide();
    }
    if (c.style & res::kDisabled) {
        w->Disable();
    }
    return w;
}

}  // namespace pixfold
