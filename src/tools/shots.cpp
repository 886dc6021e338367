// Takes the screenshots of the README: the real program on the sample folder,
// the Preferences dialog and the colour palette, captured with ImageMagick's
// `import` from the running X display.
// Usage: pixfold-shots SAMPLE_FOLDER OUTPUT_FOLDER   (under Xvfb)

#include <wx/app.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <cstdio>
#include <string>

#include "app/MainFrame.h"
#include "app/PixfoldApp.h"
#include "app/PixfoldView.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ColorPalettePopup.h"
#include "dialogs/MoreOptionsDlg.h"
#include "dialogs/PreferencesDialog.h"
#include "publish/MakeThumbsDlg.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;

namespace {

// The whole screen, or the part `crop` of it.
void Capture(const std::string& file, const wxRect& crop = wxRect()) {
    wxYield();
    wxMilliSleep(400);
    wxYield();
    std::string cmd = "import -window root ";
    if (!crop.IsEmpty()) {
        const wxRect r = crop.Intersect(wxRect(0, 0, 1 << 15, 1 << 15));
        cmd += "-crop " + std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
               std::to_string(r.x) + "+" + std::to_string(r.y) + " +repage ";
    }
    cmd += file;
    if (wxExecute(cmd, wxEXEC_SYNC) != 0) {
        std::fprintf(stderr, "pixfold-shots: capture failed: %s\n", cmd.c_str());
    }
}

class ShotsApp : public CPixfoldApp {
  public:
    bool OnInit() override {
        if (argc != 3) {
            std::fprintf(stderr, "usage: pixfold-shots SAMPLE_FOLDER OUTPUT_FOLDER\n");
            return false;
        }
        m_out = argv[2].utf8_string();
        if (!InitInstance(argv[1].utf8_string())) {
            return false;
        }
        CallAfter([this] { Tour(); });
        return true;
    }

  private:
    void Tour() {
        CPixfoldView* view = MainFrame()->View();
        for (int i = 0; i < 100 && view->Model().m_list.size() < 2; ++i) {
            wxYield();
            wxMilliSleep(50);
        }
        view->Model().m_prefs.showDim = 1;
        view->Model().m_prefs.showFileSize = 0;
        view->Model().m_prefs.showFileDate = 0;
        view->Refresh();
        wxYield();
        if (view->Model().m_list.size() < 2) {
            std::fprintf(stderr, "pixfold-shots: the sample folder did not open\n");
            MainFrame()->Close(true);
            return;
        }
        // Select the second thumbnail, as a click would.
        const Rect& cell = view->Model().m_list.at(1).m_rcCell;
        wxMouseEvent click(wxEVT_LEFT_DOWN);
        click.SetPosition(view->CalcScrolledPosition(wxPoint(cell.left + 5, cell.top + 5)));
        view->GetEventHandler()->ProcessEvent(click);
        Capture(m_out + "/main-window.png");

        auto* prefs = new CPreferencesDialog(MainFrame(), *m_pSettings);
        prefs->m_nPitch = view->Model().m_prefs.pitch;
        prefs->m_nPitchMin = 50;
        prefs->m_nPitchMax = view->GetClientSize().x;
        prefs->m_nSortOption = 1;
        prefs->m_nSortStyle = 0;
        prefs->m_bShowFileName = 1;
        prefs->m_bShowDimensions = 1;
        prefs->m_strSlideInterval = "5";
        prefs->m_strMRUCount = "8";
        prefs->m_backColorButton->m_color = 0x00FFFFFF;
        prefs->m_textColorButton->m_color = 0x00800000;
        prefs->InitDialogState();
        prefs->Show();
        Capture(m_out + "/preferences.png");

        auto* popup = new CColorPalettePopup(prefs->m_backColorButton);
        popup->Move(popup->Placement());
        popup->Show();
        Capture(m_out + "/palette.png");
        popup->Destroy();
        prefs->Destroy();

        auto* more = new CMoreOptionsDlg(MainFrame());
        more->m_options.upright = true;
        more->m_options.naturalNames = true;
        more->m_options.unreadable = UnreadableReport::OneList;
        more->TransferDataToWindow();
        more->Show();
        Capture(m_out + "/more-options.png");
        more->Destroy();

        // Make Thumbs options with the page on.
        auto* make = new CMakeThumbsDlg(MainFrame(), *m_pSettings,
                                        view->Model().m_list.at(0).m_strFolder, true);
        make->m_nSizeLimit = 100;
        make->m_bHtml = 1;
        make->m_bHref = 1;
        make->m_bTable = 1;
        make->m_nRowCount = 5;
        make->m_strThumbFolder = "/home/anna/web/thumbs";
        make->m_strHtmlPath = "/home/anna/web/thumbs/index.htm";
        make->TransferDataToWindow();
        make->OnInitDialogState();
        make->Show();
        Capture(m_out + "/make-thumbs.png");
        make->Destroy();

        // About Pixfold.
        auto* about = new CAboutDialog(MainFrame(), &m_bMailLinkVisited, &m_bWebLinkVisited);
        about->Show();
        Capture(m_out + "/about.png");
        about->Destroy();

        // A picture at full size with all four captions.
        view->Model().m_prefs.showDim = view->Model().m_prefs.showFileName =
            view->Model().m_prefs.showFileSize = view->Model().m_prefs.showFileDate = 1;
        ThumbRecord* shown = &view->Model().m_list.at(0);
        for (const auto& r : view->Model().m_list) {
            if (r->m_nImageWidth <= 900 && r->m_nImageHeight <= 700 && r->m_nImageWidth >= 400) {
                shown = r.get();  // one that fits the screen
            }
        }
        view->OpenImageWindow(shown);
        Capture(m_out + "/image-window.png");
        for (wxWindow* w : wxTopLevelWindows) {
            if (dynamic_cast<CImageWnd*>(w)) {
                w->Destroy();
            }
        }
        // A photo larger than the screen, fitted into its window with F.
        view->Model().m_prefs.showDim = view->Model().m_prefs.showFileSize =
            view->Model().m_prefs.showFileDate = 0;
        for (const auto& r : view->Model().m_list) {
            if (r->m_nImageWidth == 1600 && r->m_nImageHeight == 1200) {
                view->OpenImageWindow(r.get());
            }
        }
        wxYield();
        CImageWnd* big = nullptr;
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* iw = dynamic_cast<CImageWnd*>(w); iw && !iw->IsBeingDeleted()) {
                big = iw;
            }
        }
        if (big) {
            big->HandleViewKey('F', 0);
            Capture(m_out + "/image-window-fit.png", big->GetScreenRect());
            big->Destroy();
        }

        // The slide show, three pictures on.
        view->OnStartSlideShow();
        for (int i = 0; i < 3; ++i) {
            view->OnSlideTick();
        }
        Capture(m_out + "/slide-show.png");
        view->StopSlideShow();
        MainFrame()->Close(true);
    }

    std::string m_out;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(ShotsApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}
