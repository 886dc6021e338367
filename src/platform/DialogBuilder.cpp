#include "platform/DialogBuilder.h"

#include "platform/DialogLayout.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <wx/arrstr.h>

#include <algorithm>
#include <vector>

namespace pixfold {

using res::Ctl;

wxFont DialogBuilder::DialogFont(const res::DialogTemplate& tmpl) {
    return wxFont(tmpl.fontPoints, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL,
                  false, wxString::FromUTF8(tmpl.fontFace));
}

wxRect DialogBuilder::ToPixels(int x, int y, int cx, int cy) const {
    // Both corners converted, so that rectangles that meet in dialog units
    // meet in pixels too, whatever the rounding.
    const wxPoint topLeft = m_dialog.ConvertDialogToPixels(wxPoint(x, y));
    const wxPoint bottomRight = m_dialog.ConvertDialogToPixels(wxPoint(x + cx, y + cy));
    return {topLeft, bottomRight - wxPoint(1, 1)};
}

namespace {

bool IsLabel(Ctl kind) {
    return kind == Ctl::Static || kind == Ctl::StaticCenter || kind == Ctl::StaticRight ||
           kind == Ctl::Icon;
}

}  // namespace

void DialogBuilder::GrowToBestHeights(const res::DialogTemplate& tmpl,
                                      const std::vector<wxWindow*>& made) {
    // GTK controls need more height than classic dialog units give.
    for (size_t i = 0; i < tmpl.count; ++i) {
        const res::ControlTemplate& c = tmpl.controls[i];
        wxWindow* w = made[i];
        if (IsLabel(c.kind) || c.kind == Ctl::Group || c.kind == Ctl::OwnerButton) {
            continue;
        }
        const wxRect r = ToPixels(c.x, c.y, c.cx, c.cy);
        const int best = w->GetBestSize().y;
        if (best <= r.height) {
            continue;
        }
        // Push buttons grow downwards (they stand below what they belong to),
        // and so does a control standing on a group box's top edge as its
        // title; the others grow around their middle, level with their labels.
        bool down = c.kind == Ctl::Button || c.kind == Ctl::DefButton;
        for (size_t g = 0; g < tmpl.count && !down; ++g) {
            const res::ControlTemplate& box = tmpl.controls[g];
            down = box.kind == Ctl::Group && box.y == c.y && c.x >= box.x &&
                   c.x + c.cx <= box.x + box.cx;
        }
        const wxRect now = w->GetRect();
        w->SetSize(now.x, down ? r.y : r.y - (best - r.height) / 2, now.width, best);
    }
}

void DialogBuilder::MakeRoom(const res::DialogTemplate& tmpl, const std::vector<wxWindow*>& made) {
    std::vector<LayoutItem> items;
    std::vector<wxWindow*> windows;
    for (size_t i = 0; i < tmpl.count; ++i) {
        if (!made[i]->IsShown()) {
            continue;  // a hidden control takes no room
        }
        const res::ControlTemplate& c = tmpl.controls[i];
        const wxRect t = ToPixels(c.x, c.y, c.cx, c.cy);
        const wxRect n = made[i]->GetRect();
        LayoutItem item;
        item.tmpl = {t.x, t.y, t.width, t.height};
        item.now = {n.x, n.y, n.width, n.height};
        item.group = c.kind == Ctl::Group;
        item.label = IsLabel(c.kind);
        items.push_back(item);
        windows.push_back(made[i]);
    }
    // A field widened for its digits pushed its neighbours right; a label
    // pushed past the right edge of its group box is narrowed back inside
    // when its text still fits.
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].label) {
            continue;
        }
        for (const LayoutItem& box : items) {
            const bool held = box.group && items[i].tmpl.x >= box.tmpl.x &&
                              items[i].tmpl.Right() <= box.tmpl.Right() &&
                              items[i].tmpl.y >= box.tmpl.y &&
                              items[i].tmpl.Bottom() <= box.tmpl.Bottom();
            const int margin = box.tmpl.Right() - items[i].tmpl.Right();
            const int width = box.now.Right() - margin - items[i].now.x;
            if (held && items[i].now.Right() + margin > box.now.Right() &&
                width >= windows[i]->GetTextExtent(windows[i]->GetLabel()).x) {
                items[i].now.width = width;
            }
        }
    }
    SettleLayout(items);
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutBox& b = items[i].now;
        windows[i]->SetSize(b.x, b.y, b.width, b.height);
    }
}

DialogBuilder::DialogBuilder(wxDialog& dialog, const res::DialogTemplate& tmpl, OwnerFactory owner)
    : m_dialog(dialog), m_owner(std::move(owner)) {
    m_dialog.SetFont(DialogFont(tmpl));
    std::vector<wxWindow*> created;
    for (size_t i = 0; i < tmpl.count; ++i) {
        wxWindow* w = Create(tmpl.controls[i]);
        created.push_back(w);
        if (tmpl.controls[i].id >= 0) {
            m_controls[tmpl.controls[i].id] = w;
        }
    }
    GrowToBestHeights(tmpl, created);
    // Controls stand where the template puts them: the toolkit would stretch
    // a dialog's only child over its whole client area at every size change.
    m_dialog.Bind(wxEVT_SIZE, [](wxSizeEvent&) {});
    // A control that the widened field would now reach (it begins right of the
    // field, on its lines, within the added width and a small gap) moves right.
    int right = 0;
    const int gap = m_dialog.ConvertDialogToPixels(wxSize(4, 0)).x;
    for (const Shift& s : m_shifts) {
        for (wxWindow* w : created) {
            const wxRect r = w->GetRect();
            if (r.x >= s.fromX && r.x < s.fromX + s.by + gap && r.y <= s.bottom &&
                r.GetBottom() >= s.top && !dynamic_cast<wxStaticBox*>(w)) {
                w->Move(r.x + s.by, r.y);
            }
        }
    }
    MakeRoom(tmpl, created);
    int bottom = 0;
    for (wxWindow* w : created) {
        if (w->IsShown()) {
            bottom = std::max(bottom, w->GetRect().GetBottom() + 1);
            right = std::max(right, w->GetRect().GetRight() + 1);
        }
    }
    const wxSize client = m_dialog.ConvertDialogToPixels(wxSize(tmpl.cx, tmpl.cy));
    const int margin = m_dialog.ConvertDialogToPixels(wxSize(0, 7)).y;
    m_dialog.SetClientSize(std::max(client.x, right + margin / 2),
                           std::max(client.y, bottom + margin));
}

wxString DialogBuilder::WrapToWidth(const wxString& text, int width) const {
    wxString out, line;
    for (const wxString& word : wxSplit(text, ' ', '\0')) {
        const wxString candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && m_dialog.GetTextExtent(candidate).x > width) {
            out += line + "\n";
            line = word;
        } else {
            line = candidate;
        }
    }
    return out + line;
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
            long style =
                wxST_NO_AUTORESIZE | (c.kind == Ctl::StaticCenter  ? wxALIGN_CENTRE_HORIZONTAL
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
        case Ctl::Check: {
            // A check box two lines high has room for its text on two lines;
            // the toolkit's box does not wrap by itself.
            wxString label = text;
            const int lineHeight = m_dialog.ConvertDialogToPixels(wxSize(0, 8)).y;
            if (r.height >= 2 * lineHeight) {
                label =
                    WrapToWidth(text, r.width - m_dialog.ConvertDialogToPixels(wxSize(14, 0)).x);
            }
            w = new wxCheckBox(&m_dialog, id, label, r.GetPosition(), r.GetSize());
            break;
        }
        case Ctl::Radio:
            w = new wxRadioButton(&m_dialog, id, text, r.GetPosition(), r.GetSize(),
                                  (c.style & res::kGroupStart) ? wxRB_GROUP : 0);
            break;
        case Ctl::Edit: {
            auto* edit = new wxTextCtrl(&m_dialog, id, text, r.GetPosition(), r.GetSize());
            // The toolkit's entry keeps wide margins: a narrow number field gets
            // the width four digits need, and what stands right of it moves over.
            const int needed = edit->GetSizeFromTextSize(edit->GetTextExtent("0000").x).x;
            if (needed > r.width) {
                edit->SetSize(r.x, r.y, needed, r.height);
                m_shifts.push_back({r.GetRight() + 1, r.y, r.GetBottom(), needed - r.width});
            }
            w = edit;
            break;
        }
        case Ctl::Slider:
            w = new wxSlider(&m_dialog, id, 0, 0, 100, r.GetPosition(), r.GetSize(),
                             wxSL_HORIZONTAL | ((c.style & res::kAutoTicks) ? wxSL_AUTOTICKS : 0));
            break;
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
