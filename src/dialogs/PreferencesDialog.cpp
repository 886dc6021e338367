#include "dialogs/PreferencesDialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/TextUtil.h"
#include "res/Settings.h"

namespace pixfold {

using namespace res;

namespace {

void PutCheck(wxWindow* w, int v) {
    if (auto* c = dynamic_cast<wxCheckBox*>(w)) {
        c->SetValue(v != 0);
    }
}
int GetCheck(wxWindow* w) {
    auto* c = dynamic_cast<wxCheckBox*>(w);
    return c && c->GetValue() ? 1 : 0;
}
void PutText(wxWindow* w, const std::string& s) {
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) {
        t->ChangeValue(wxString::FromUTF8(s));
    } else if (auto* l = dynamic_cast<wxStaticText*>(w)) {
        l->SetLabelText(wxString::FromUTF8(s));
    }
}
std::string GetText(wxWindow* w) {
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) {
        return t->GetValue().utf8_string();
    }
    if (auto* l = dynamic_cast<wxStaticText*>(w)) {
        return l->GetLabelText().utf8_string();
    }
    return {};
}

// A radio group as an index; -1 selects none.
void PutRadio(const DialogBuilder& b, std::initializer_list<int> ids, int index) {
    int i = 0;
    for (int id : ids) {
        if (auto* r = b.Get<wxRadioButton>(id)) {
            if (i == index) {
                r->SetValue(true);
            } else if (index < 0 || index >= static_cast<int>(ids.size())) {
                r->SetValue(false);
            }
        }
        ++i;
    }
}
int GetRadio(const DialogBuilder& b, std::initializer_list<int> ids) {
    int i = 0;
    for (int id : ids) {
        if (auto* r = b.Get<wxRadioButton>(id); r && r->GetValue()) {
            return i;
        }
        ++i;
    }
    return -1;
}

constexpr std::initializer_list<int> kStyleGroup = {IDC_ASCENDING, IDC_DESCENDING};
constexpr std::initializer_list<int> kOptionGroup = {IDC_SORT_NONE, IDC_SORT_NAME, IDC_SORT_SIZE,
                                                     IDC_SORT_DATE};

}  // namespace

CPreferencesDialog::CPreferencesDialog(wxWindow* parent, SettingsStore& store)
    : wxDialog(parent, IDD_PREFERENCES, wxString::FromUTF8(kPreferencesDialog.caption),
               wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_store(store) {
    m_builder = std::make_unique<DialogBuilder>(
        *this, kPreferencesDialog,
        [](wxWindow* parentWindow, int id, const wxRect& r) -> wxWindow* {
            return new CColorPickerButton(parentWindow, id, r.GetPosition(), r.GetSize());
        });
    m_backColorButton = m_builder->Get<CColorPickerButton>(IDC_BACK_COLOR);
    m_textColorButton = m_builder->Get<CColorPickerButton>(IDC_TEXT_COLOR);
    m_ascendingButton = m_builder->Control(IDC_ASCENDING);
    m_descendingButton = m_builder->Control(IDC_DESCENDING);
    m_pitchSlider = m_builder->Get<wxSlider>(IDC_PITCH_SLIDER);
    SetAffirmativeId(IDOK_BUTTON);
    SetEscapeId(IDCANCEL_BUTTON);
    CentreOnParent();

    Bind(wxEVT_INIT_DIALOG, &CPreferencesDialog::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CPreferencesDialog::OnOk, this, IDOK_BUTTON);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Finish(wxID_CANCEL); }, IDCANCEL_BUTTON);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnRestoreDefaults(); }, IDC_RESTORE_DEFAULTS);
    Bind(wxEVT_RADIOBUTTON, &CPreferencesDialog::OnSortKey, this, IDC_SORT_NONE, IDC_SORT_SIZE);
    Bind(wxEVT_RADIOBUTTON, &CPreferencesDialog::OnSortKey, this, IDC_SORT_DATE);
    Bind(wxEVT_CHECKBOX, &CPreferencesDialog::OnUseDefaultColor, this, IDC_DEFAULT_COLOR);
    m_pitchSlider->Bind(wxEVT_SCROLL_THUMBTRACK, &CPreferencesDialog::OnThumbTrack, this);
}

bool CPreferencesDialog::TransferDataToWindow() {
    const DialogBuilder& b = *m_builder;
    PutCheck(b.Control(IDC_SHOW_DIM), m_bShowDimensions);
    PutText(b.Control(IDC_SLIDE_INTERVAL), m_strSlideInterval);
    PutCheck(b.Control(IDC_RANDOM_SLIDES), m_bRandomSlideShow);
    PutCheck(b.Control(IDC_SHOW_NAME), m_bShowFileName);
    PutRadio(b, kStyleGroup, m_nSortStyle);
    PutRadio(b, kOptionGroup, m_nSortOption);
    PutCheck(b.Control(IDC_SHOW_SIZE), m_bShowFileSize);
    PutCheck(b.Control(IDC_SHOW_DATE), m_bShowFileDate);
    PutText(b.Control(IDC_CURRENT_LABEL), m_strCurrentLabel);
    PutText(b.Control(IDC_MIN_LABEL), m_strMinLabel);
    PutText(b.Control(IDC_MAX_LABEL), m_strMaxLabel);
    PutCheck(b.Control(IDC_DEFAULT_COLOR), m_bUseDefaultColor);
    PutText(b.Control(IDC_MRU_COUNT), m_strMRUCount);
    return true;
}

bool CPreferencesDialog::TransferDataFromWindow() {
    const DialogBuilder& b = *m_builder;
    m_bShowDimensions = GetCheck(b.Control(IDC_SHOW_DIM));
    m_strSlideInterval = GetText(b.Control(IDC_SLIDE_INTERVAL));
    m_bRandomSlideShow = GetCheck(b.Control(IDC_RANDOM_SLIDES));
    m_bShowFileName = GetCheck(b.Control(IDC_SHOW_NAME));
    m_nSortStyle = GetRadio(b, kStyleGroup);
    m_nSortOption = GetRadio(b, kOptionGroup);
    m_bShowFileSize = GetCheck(b.Control(IDC_SHOW_SIZE));
    m_bShowFileDate = GetCheck(b.Control(IDC_SHOW_DATE));
    m_strCurrentLabel = GetText(b.Control(IDC_CURRENT_LABEL));
    m_strMinLabel = GetText(b.Control(IDC_MIN_LABEL));
    m_strMaxLabel = GetText(b.Control(IDC_MAX_LABEL));
    m_bUseDefaultColor = GetCheck(b.Control(IDC_DEFAULT_COLOR));
    m_strMRUCount = GetText(b.Control(IDC_MRU_COUNT));
    return true;
}

void CPreferencesDialog::EnableColorButtons() {
    m_backColorButton->Enable(m_bUseDefaultColor == 0);
    m_textColorButton->Enable(m_bUseDefaultColor == 0);
}

void CPreferencesDialog::EnableDirection(bool enable) {
    m_ascendingButton->Enable(enable);
    m_descendingButton->Enable(enable);
}

void CPreferencesDialog::OnInitDialog(wxInitDialogEvent&) {
    InitDialogState();
}

void CPreferencesDialog::InitDialogState() {
    TransferDataToWindow();
    EnableColorButtons();
    m_pitchSlider->SetRange(m_nPitchMin, m_nPitchMax);
    m_pitchSlider->SetValue(m_nPitch);
    m_pitchSlider->SetTickFreq(100);
    m_nPitchMin = MakeEven(m_nPitchMin);
    m_nPitchMax = MakeEven(m_nPitchMax);
    m_strMinLabel = Format("%d", m_nPitchMin);
    m_strMaxLabel = Format("%d", m_nPitchMax);
    m_strCurrentLabel = Format("%d", m_nPitch);
    if (m_nSortOption != 0) {
        EnableDirection(true);
    }
    TransferDataToWindow();
    m_pitchSlider->SetFocus();
}

void CPreferencesDialog::OnThumbTrack(wxScrollEvent& event) {
    m_strCurrentLabel = Format("%d", MakeEven(event.GetPosition()));
    TransferDataToWindow();
    event.Skip();
}

void CPreferencesDialog::OnSortKey(wxCommandEvent& event) {
    EnableDirection(event.GetId() != IDC_SORT_NONE);
}

void CPreferencesDialog::OnUseDefaultColor(wxCommandEvent&) {
    TransferDataFromWindow();
    EnableColorButtons();
}

void CPreferencesDialog::OnRestoreDefaults() {
    m_bUseDefaultColor = res::kColorCheck.intDefault;
    m_backColorButton->Enable(!m_bUseDefaultColor);
    m_textColorButton->Enable(!m_bUseDefaultColor);
    m_nSortOption = res::kSortOption.intDefault;
    m_nSortStyle = res::kSortStyle.intDefault;
    EnableDirection(m_nSortOption != 0);
    m_strSlideInterval = std::string(res::kSlideTime.textDefault);
    m_nPitch = 2 * m_nPitchMin;
    m_strCurrentLabel = Format("%d", m_nPitch);
    m_pitchSlider->SetValue(m_nPitch);
    m_bShowDimensions = res::kShowDim.intDefault;
    m_bShowFileName = res::kShowFileName.intDefault;
    m_bShowFileSize = res::kShowFileSize.intDefault;
    m_bShowFileDate = res::kShowFileDate.intDefault;
    // At once, whatever ends the dialog: the two warnings show again.
    m_store.Set(res::kNoDelDlg, res::kNoDelDlg.intDefault);
    m_store.Set(res::kNoOverDlg, res::kNoOverDlg.intDefault);
    m_store.Set(res::kNoTrashDlg, res::kNoTrashDlg.intDefault);
    TransferDataToWindow();
}

void CPreferencesDialog::OnOk(wxCommandEvent&) {
    m_nPitch = m_pitchSlider->GetValue();
    TransferDataFromWindow();
    Finish(wxID_OK);
}

void CPreferencesDialog::Finish(int code) {
    if (IsModal()) {
        EndModal(code);
    } else {
        SetReturnCode(code);
    }
}

}  // namespace pixfold
