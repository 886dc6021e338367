#include <wx/app.h>

#include <cstdio>

#include "app/CommandLine.h"
#include "app/PixfoldApp.h"

wxIMPLEMENT_APP_NO_MAIN(pixfold::CPixfoldApp);

int main(int argc, char** argv) {
    // Answered before the toolkit starts: --help and --version need no display.
    std::string folder;
    const int status = pixfold::AnswerCommandLine(argc, argv, stdout, stderr, folder);
    if (status >= 0) {
        return status;
    }
    // The folder's bytes go to the application as they are; the toolkit sees no
    // arguments, so it neither converts nor interprets them.
    pixfold::CPixfoldApp::SetStartFolder(folder);
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, argv);
}
