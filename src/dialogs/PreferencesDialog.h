#pragma once
// The Preferences dialog: it edits values only. The view fills the members,
// shows it and, after OK, reads them back (Restore Defaults alone writes to
// the store, re-enabling two warnings).

#include <wx/dialog.h>

#include <memory>
#include <string>

#include "platform/SettingsStore.h"
#include "dialogs/ColorPickerButton.h"
#include "platform/DialogBuilder.h"

class wxSlider;
class wxScrollEvent;

namespace pixfold {

class CPreferencesDialog : public wxDialog {
  public:
    CPreferencesDialog(wxWindow* parent, SettingsStore& store);

    // Members to controls / controls to members, in the exchange order.
    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // Initialisation steps (run when the dialog is shown).
    void InitDialogState();
    void OnRestoreDefaults();

    CColorPickerButton* m_backColorButton = nullptr;
    CColorPickerButton* m_textColorButton = nullptr;
    wxWindow* m_ascendingButton = nullptr;
    wxWindow* m_descendingButton = nullptr;
    wxSlider* m_pitchSlider = nullptr;
    int m_bShowDimensions = 0;
    std::string m_strSlideInterval;
    int m_bRandomSlideShow = 0;
    int m_bShowFileName = 0;
    int m_nSortStyle = -1;
    int m_nSortOption = -1;
    int m_bShowFileSize = 0;
    int m_bShowFileDate = 0;
    std::string m_strCurrentLabel;
    std::string m_strMinLabel;
    std::string m_strMaxLabel;
    int m_bUseDefaultColor = 0;
    std::string m_strMRUCount;
    int m_nPitch = 0;
    int m_nPitchMin = 0;
    int m_nPitchMax = 0;

    wxWindow* Control(int id) const { return m_builder->Control(id); }

    // Odd values lose 1.
    static int MakeEven(int v) { return v % 2 ? v - 1 : v; }

  private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnSortKey(wxCommandEvent& event);
    void OnUseDefaultColor(wxCommandEvent& event);
    void OnThumbTrack(wxScrollEvent& event);
    void EnableDirection(bool enable);
    void EnableColorButtons();
    void Finish(int code);

    SettingsStore& m_store;
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
