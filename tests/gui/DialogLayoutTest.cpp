// Every dialog built from its template: controls grown to the toolkit's
// heights neither overlap nor touch, and none runs past its group box.

#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "GuiTestUtil.h"
#include "catalog/FindFilesDlg.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ColorPalettePopup.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/StaticLink.h"
#include "fileops/WarningDlg.h"
#include "publish/MakeThumbsDlg.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class DialogLayoutTest : public AppTest {};

std::string Describe(wxWindow* w) {
    const wxRect r = w->GetRect();
    return wxString::Format("%d \"%s\" %d,%d %dx%d", w->GetId(), w->GetLabel(), r.x, r.y, r.width,
                            r.height)
        .utf8_string();
}

bool IsLabel(wxWindow* w) {
    return dynamic_cast<wxStaticText*>(w) || dynamic_cast<wxStaticBitmap*>(w) ||
           dynamic_cast<CStaticLink*>(w);
}

std::vector<std::string> LayoutFaults(wxWindow& dialog) {
    std::vector<wxWindow*> groups, controls;
    for (wxWindow* w : dialog.GetChildren()) {
        if (!w->IsShown()) {
            continue;
        }
        (dynamic_cast<wxStaticBox*>(w) ? groups : controls).push_back(w);
    }
    std::vector<std::string> faults;
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            // A label may stand right on its field; other controls keep a
            // pixel between them at least.
            wxRect a = controls[i]->GetRect();
            if (!IsLabel(controls[i]) && !IsLabel(controls[j])) {
                a.Inflate(1, 1);
            }
            if (a.Intersects(controls[j]->GetRect())) {
                faults.push_back(Describe(controls[i]) + " meets " + Describe(controls[j]));
            }
        }
    }
    for (wxWindow* g : groups) {
        for (wxWindow* c : controls) {
            const wxRect box = g->GetRect(), r = c->GetRect();
            if (box.Intersects(r) && !box.Contains(r)) {
                faults.push_back(Describe(c) + " crosses " + Describe(g));
            }
        }
    }
    for (wxWindow* w : dialog.GetChildren()) {
        if (w->IsShown() && !wxRect(dialog.GetClientSize()).Contains(w->GetRect())) {
            faults.push_back(Describe(w) + " outside the dialog");
        }
    }
    return faults;
}

}  // namespace

TEST_F(DialogLayoutTest, NoControlsOverlapInAnyTemplate) {
    Start();
    SettingsStore& store = *app().m_pSettings;
    CPreferencesDialog prefs(frame(), store);
    EXPECT_EQ(LayoutFaults(prefs), std::vector<std::string>{}) << "Preferences";
    CMakeThumbsDlg thumbs(frame(), store, "/tmp/", true);
    EXPECT_EQ(LayoutFaults(thumbs), std::vector<std::string>{}) << "Make Thumbs";
    CWarningDlg warning(frame());
    EXPECT_EQ(LayoutFaults(warning), std::vector<std::string>{}) << "Warning";
    int mail = 0, web = 0;
    CAboutDialog about(frame(), &mail, &web);
    EXPECT_EQ(LayoutFaults(about), std::vector<std::string>{}) << "About";
    CColorPalettePopup palette(prefs.m_backColorButton);
    EXPECT_EQ(LayoutFaults(palette), std::vector<std::string>{}) << "palette";
    auto* progress = new CFindFilesDlg();
    ASSERT_TRUE(progress->Create(view()));
    EXPECT_EQ(LayoutFaults(*progress), std::vector<std::string>{}) << "progress";
    progress->Destroy();
}
