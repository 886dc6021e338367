#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <optional>

#include "GuiTestUtil.h"
#include "dialogs/ColorPalettePopup.h"
#include "dialogs/Palette.h"
#include "dialogs/PreferencesDialog.h"
#include "res/WxIds.h"

using namespace pixfold;
using namespace pixfold::test;
using namespace pixfold::res;

namespace {

class PreferencesTest : public AppTest {
  protected:
    // A dialog filled as the view fills it, initialised as showing it would.
    std::unique_ptr<CPreferencesDialog> Make(int pitch = 103, int max = 611, int sortOption = 0) {
        auto d = std::make_unique<CPreferencesDialog>(frame(), *app().m_pSettings);
        d->m_nPitch = pitch;
        d->m_nPitchMin = 50;
        d->m_nPitchMax = max;
        d->m_nSortOption = sortOption;
        d->m_nSortStyle = 0;
        d->m_bShowFileName = 1;
        d->m_strSlideInterval = "5";
        d->m_strMRUCount = "8";
        d->InitDialogState();
        return d;
    }
    template <typename T>
    T* Ctl(CPreferencesDialog& d, int id) {
        return dynamic_cast<T*>(d.Control(id));
    }
    void Click(CPreferencesDialog& d, int id) {
        wxCommandEvent e(wxEVT_BUTTON, id);
        e.SetEventObject(d.Control(id));
        d.ProcessWindowEvent(e);
    }
    void Radio(CPreferencesDialog& d, int id) {
        Ctl<wxRadioButton>(d, id)->SetValue(true);
        wxCommandEvent e(wxEVT_RADIOBUTTON, id);
        e.SetEventObject(d.Control(id));
        d.ProcessWindowEvent(e);
    }
    void Track(CPreferencesDialog& d, int pos) {
        d.m_pitchSlider->SetValue(pos);
        wxScrollEvent e(wxEVT_SCROLL_THUMBTRACK, IDC_PITCH_SLIDER, pos, wxHORIZONTAL);
        e.SetEventObject(d.m_pitchSlider);
        d.m_pitchSlider->ProcessWindowEvent(e);
    }
    std::string Label(CPreferencesDialog& d, int id) {
        return Ctl<wxStaticText>(d, id)->GetLabelText().utf8_string();
    }
    void SetUp() override {
        AppTest::SetUp();
        Start();
    }
};

}  // namespace

TEST_F(PreferencesTest, BuiltFromItsTemplate) {
    auto d = Make();
    EXPECT_EQ(d->GetTitle(), "Preferences");
    EXPECT_EQ(Ctl<wxRadioButton>(*d, IDC_DESCENDING)->GetLabel(), "Decending");
    EXPECT_EQ(Ctl<wxCheckBox>(*d, IDC_SHOW_DIM)->GetLabel(), "Show Image Dimensions");
    EXPECT_EQ(Ctl<wxButton>(*d, IDC_RESTORE_DEFAULTS)->GetLabel(), "Restore Defaults");
    EXPECT_FALSE(d->Control(IDC_RANDOM_SLIDES)->IsShown()) << "hidden check box";
    // Positions and widths in dialog units.
    for (const ControlTemplate& c : kPreferencesControls) {
        if (c.id < 0) {
            continue;
        }
        wxWindow* w = d->Control(c.id);
        ASSERT_TRUE(w) << c.id;
        const wxPoint pos = d->ConvertDialogToPixels(wxPoint(c.x, c.y));
        const wxPoint end = d->ConvertDialogToPixels(wxPoint(c.x + c.cx, c.y + c.cy));
        const wxSize size(end.x - pos.x, end.y - pos.y);
        // Narrow number fields may be widened for their digits, pushing what
        // stands right of them over; nothing moves left or shrinks.
        EXPECT_GE(w->GetPosition().x, pos.x) << c.id;
        EXPECT_LE(w->GetPosition().x, pos.x + 20) << c.id;
        EXPECT_GE(w->GetSize().x, size.x) << c.id;
        EXPECT_GE(w->GetSize().y, size.y) << c.id;
        if (c.x >= 140) {
            EXPECT_EQ(w->GetPosition().x, pos.x) << "right column untouched: " << c.id;
        }
    }
    // Tab order is template order.
    const wxWindowList& kids = d->GetChildren();
    std::vector<int> ids;
    for (wxWindow* w : kids) {
        if (w->GetId() >= 1000 || w->GetId() <= 3) {
            ids.push_back(w->GetId());
        }
    }
    ASSERT_GE(ids.size(), 6u);
    EXPECT_EQ(ids[0], IDC_PITCH_SLIDER);
    EXPECT_EQ(ids[1], IDC_SHOW_DIM);
    EXPECT_EQ(ids[2], IDC_SHOW_SIZE);
    EXPECT_EQ(ids[3], IDC_SHOW_NAME);
}

TEST_F(PreferencesTest, InitialisationEvenLabelsAndSliderRange) {
    auto d = Make(103, 611);
    EXPECT_EQ(d->m_pitchSlider->GetMin(), 50);
    EXPECT_EQ(d->m_pitchSlider->GetMax(), 611) << "the slider keeps the odd range";
    EXPECT_EQ(d->m_pitchSlider->GetValue(), 103);
    EXPECT_EQ(Label(*d, IDC_MAX_LABEL), "610");
    EXPECT_EQ(Label(*d, IDC_MIN_LABEL), "50");
    EXPECT_EQ(Label(*d, IDC_CURRENT_LABEL), "103") << "the current pitch unchanged";
    EXPECT_FALSE(d->m_ascendingButton->IsEnabled());
    EXPECT_FALSE(d->m_descendingButton->IsEnabled());
    EXPECT_TRUE(Ctl<wxRadioButton>(*d, IDC_SORT_NONE)->GetValue());
    auto sorted = Make(103, 611, 3);
    EXPECT_TRUE(sorted->m_ascendingButton->IsEnabled());
    EXPECT_TRUE(Ctl<wxRadioButton>(*sorted, IDC_SORT_DATE)->GetValue());
}

TEST_F(PreferencesTest, SortKeyEnablesTheDirection) {
    auto d = Make();
    Radio(*d, IDC_SORT_DATE);
    EXPECT_TRUE(d->m_descendingButton->IsEnabled());
    Radio(*d, IDC_SORT_NONE);
    EXPECT_FALSE(d->m_descendingButton->IsEnabled());
    Radio(*d, IDC_SORT_NAME);
    EXPECT_TRUE(d->m_ascendingButton->IsEnabled());
}

TEST_F(PreferencesTest, DraggingShowsEvenValuesAndRestoresUnexchangedEdits) {
    auto d = Make();
    Ctl<wxTextCtrl>(*d, IDC_SLIDE_INTERVAL)->ChangeValue("17");
    Track(*d, 151);
    EXPECT_EQ(Label(*d, IDC_CURRENT_LABEL), "150");
    EXPECT_EQ(Ctl<wxTextCtrl>(*d, IDC_SLIDE_INTERVAL)->GetValue(), "5")
        << "an edit not yet exchanged shows its member again";
    Click(*d, IDOK_BUTTON);
    EXPECT_EQ(d->m_nPitch, 151) << "OK takes the slider position exactly";
}

TEST_F(PreferencesTest, UseDefaultColorEnablesTheColourButtons) {
    auto d = Make();
    EXPECT_TRUE(d->m_backColorButton->IsEnabled());
    Ctl<wxCheckBox>(*d, IDC_DEFAULT_COLOR)->SetValue(true);
    wxCommandEvent e(wxEVT_CHECKBOX, IDC_DEFAULT_COLOR);
    d->ProcessWindowEvent(e);
    EXPECT_FALSE(d->m_backColorButton->IsEnabled());
    EXPECT_FALSE(d->m_textColorButton->IsEnabled());
    EXPECT_EQ(d->m_bUseDefaultColor, 1);
}

TEST_F(PreferencesTest, RestoreDefaultsThenCancelStillReenablesTheWarnings) {
    app().m_pSettings->SetInt("Settings", "NoDelDlg", 1);
    app().m_pSettings->SetInt("Settings", "NoOverDlg", 1);
    app().m_pSettings->SetInt("Settings", "NoTrashDlg", 1);
    auto d = Make(200, 611, 2);
    d->m_bRandomSlideShow = 1;
    const int rc = RunModal(*d, [&] {
        Click(*d, IDC_RESTORE_DEFAULTS);
        EXPECT_EQ(d->m_nPitch, 100);
        EXPECT_EQ(d->m_pitchSlider->GetValue(), 100);
        EXPECT_EQ(Label(*d, IDC_CURRENT_LABEL), "100");
        EXPECT_TRUE(Ctl<wxRadioButton>(*d, IDC_SORT_NONE)->GetValue());
        EXPECT_EQ(Ctl<wxTextCtrl>(*d, IDC_SLIDE_INTERVAL)->GetValue(), "5");
        EXPECT_FALSE(d->m_ascendingButton->IsEnabled());
        EXPECT_FALSE(d->m_backColorButton->IsEnabled());
        EXPECT_EQ(d->m_bRandomSlideShow, 1) << "left alone";
        Click(*d, IDCANCEL_BUTTON);
    });
    EXPECT_EQ(rc, wxID_CANCEL);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoDelDlg", 9), 0);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoOverDlg", 9), 0);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoTrashDlg", 9), 0);
}

TEST_F(PreferencesTest, RestoreDefaultsBeyondTheMaximumStopsThere) {
    auto d = Make(60, 90);
    Click(*d, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(d->m_pitchSlider->GetValue(), 90);
    Click(*d, IDOK_BUTTON);
    EXPECT_EQ(d->m_nPitch, 90);
}

TEST_F(PreferencesTest, PreferencesCommandAppliesAndStores) {
    app().OpenDocumentFile(MakeFolder("p", 3, 400, 300));
    ASSERT_EQ(view()->Model().m_list.size(), 3u);
    const uint8_t* before = view()->Model().m_list.at(0).m_pDib.get();

    // Same position: nothing rebuilt.
    std::optional<AnswerModals<CPreferencesDialog>> answer1(
        std::in_place, [&](CPreferencesDialog& d) {
            d.InitDialogState();
            EXPECT_EQ(d.m_nPitchMax, view()->GetClientSize().x / 2 * 2);
            Click(d, IDOK_BUTTON);
            return wxID_OK;
        });
    wxCommandEvent f4(wxEVT_MENU, ToWxId(ID_PREFERENCES));
    frame()->ProcessWindowEvent(f4);
    EXPECT_EQ(view()->Model().m_list.at(0).m_pDib.get(), before);

    // Pitch 151, sort by name descending, dimensions on.
    answer1.reset();
    std::optional<AnswerModals<CPreferencesDialog>> answer2(
        std::in_place, [&](CPreferencesDialog& d) {
            d.InitDialogState();
            d.m_pitchSlider->SetValue(151);
            Radio(d, IDC_SORT_NAME);
            Radio(d, IDC_DESCENDING);
            Ctl<wxCheckBox>(d, IDC_SHOW_DIM)->SetValue(true);
            Ctl<wxTextCtrl>(d, IDC_SLIDE_INTERVAL)->ChangeValue("0.5");
            Click(d, IDOK_BUTTON);
            return wxID_OK;
        });
    frame()->ProcessWindowEvent(f4);
    answer2.reset();
    EXPECT_EQ(view()->Model().m_prefs.pitch, 150);
    EXPECT_EQ(view()->Model().m_prefs.thumbMax, 147);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "Pitch", 0), 151);
    EXPECT_EQ(view()->Model().m_list.at(0).m_nThumbWidth, 147u) << "rebuilt at the new pitch";
    EXPECT_EQ(view()->Model().m_list.at(0).m_strTitle, "c") << "sorted by name, descending";
    EXPECT_EQ(view()->Model().m_prefs.showDim, 1);
    EXPECT_EQ(view()->Model().m_prefs.slideTime, 0);
    EXPECT_EQ(app().m_pSettings->GetString("Settings", "SlideTime", ""), "0.5");
}

TEST_F(PreferencesTest, CancelChangesNothing) {
    std::optional<AnswerModals<CPreferencesDialog>> answer3(std::in_place,
                                                            [&](CPreferencesDialog& d) {
                                                                d.InitDialogState();
                                                                d.m_pitchSlider->SetValue(300);
                                                                return wxID_CANCEL;
                                                            });
    wxCommandEvent f4(wxEVT_MENU, ToWxId(ID_PREFERENCES));
    frame()->ProcessWindowEvent(f4);
    answer3.reset();
    EXPECT_EQ(view()->Model().m_prefs.pitch, 103);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "Pitch", 0), 0);
}

TEST_F(PreferencesTest, PopupChoosesACellOrACustomColour) {
    ProcessPalette() = Palette::Initial();
    auto d = Make();
    d->m_backColorButton->m_color = Rgb(1, 1, 1);
    CColorPalettePopup popup(d->m_backColorButton);
    int rc = RunModal(popup, [&] {
        wxMouseEvent up(wxEVT_LEFT_UP);
        popup.FindWindow(5114)->ProcessWindowEvent(up);
    });
    EXPECT_EQ(rc, wxID_OK);
    EXPECT_EQ(popup.m_nSelected, 13);
    EXPECT_EQ(ProcessPalette().ranks[13], 1);

    shell.QueueColor(Rgb(7, 8, 9));
    CColorPalettePopup other(d->m_backColorButton);
    rc = RunModal(other, [&] { other.ChooseOther(); });
    EXPECT_EQ(rc, wxID_OK);
    EXPECT_EQ(other.m_nSelected, 10) << "replaces the least recently used entry";
    EXPECT_EQ(ProcessPalette().colors[10], Rgb(7, 8, 9));

    // The colour dialog cancelled: the popup stays open until Escape.
    CColorPalettePopup cancelled(d->m_backColorButton);
    rc = RunModal(cancelled, [&] {
        cancelled.ChooseOther();
        EXPECT_TRUE(cancelled.IsModal());
        cancelled.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(rc, wxID_CANCEL);
}

TEST_F(PreferencesTest, PopupClickOutsideCancels) {
    auto d = Make();
    CColorPalettePopup popup(d->m_backColorButton);
    const int rc = RunModal(popup, [&] {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(wxPoint(-20, -20));
        popup.ProcessWindowEvent(down);
    });
    EXPECT_EQ(rc, wxID_CANCEL);
    EXPECT_EQ(popup.m_nSelected, -1);
}

TEST_F(PreferencesTest, ButtonTakesThePopupsChoice) {
    ProcessPalette() = Palette::Initial();
    auto d = Make();
    CColorPickerButton* b = d->m_backColorButton;
    g_allowModal = true;
    // Pick() shows the popup; choose cell 5117 (blue) from inside its loop.
    wxTheApp->CallAfter([] {
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* p = dynamic_cast<CColorPalettePopup*>(w)) {
                p->ChooseCell(16);
            }
        }
    });
    EXPECT_TRUE(b->Pick());
    g_allowModal = false;
    EXPECT_EQ(b->m_color, Rgb(0, 0, 255));
}

TEST_F(PreferencesTest, PopupClosesWithEscapeAndAfterThatWithAClickOutside) {
    auto d = Make();
    d->m_backColorButton->m_color = Rgb(1, 2, 3);
    wxUIActionSimulator sim;
    int popups = 0;
    DriveModals drive([&](wxDialog* dialog) {
        auto* popup = dynamic_cast<CColorPalettePopup*>(dialog);
        if (!popup) {
            return;
        }
        ++popups;
        EXPECT_TRUE(PumpUntil([&] { return popup->IsShownOnScreen() && popup->HasCapture(); }));
        if (popups == 1) {
            sim.Char(WXK_ESCAPE);
        } else {
            // A click on the dialog, well away from the popup.
            sim.MouseMove(d->GetScreenRect().GetTopLeft() + wxPoint(30, 60));
            Pump(30);
            sim.MouseClick();
        }
        EXPECT_TRUE(PumpUntil([&] { return !popup->IsModal(); })) << "popup " << popups;
        if (popup->IsModal()) {
            popup->EndModal(wxID_CANCEL);  // so that the test goes on
        }
    });
    RunModal(*d, [&] {
        ASSERT_TRUE(PumpUntil([&] { return d->IsActive(); }));
        for (int i = 0; i < 2; ++i) {
            const wxRect b = d->m_backColorButton->GetScreenRect();
            sim.MouseMove(b.GetLeft() + 8, b.GetTop() + b.GetHeight() / 2);
            Pump(30);
            sim.MouseClick();
            EXPECT_TRUE(
                PumpUntil([&] { return popups == i + 1 && !d->m_backColorButton->HasCapture(); }));
            Pump(50);
        }
        d->EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(d->m_backColorButton->m_color, Rgb(1, 2, 3)) << "cancelled: no change";
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}
