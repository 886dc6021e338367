#include <wx/app.h>

#include <cstdio>
#include <cstdlib>

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
    // The folder's bytes go to the application as they are. The toolkit gets the
    // program's name only: it drops, with a warning box, any argument that is
    // not text in the locale's encoding.
    pixfold::CPixfoldApp::SetStartFolder(folder);
    // Names typed into the file chooser come back as UTF-8, the encoding the
    // program shows names in, whatever the locale.
    setenv("G_FILENAME_ENCODING", "UTF-8", 0);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    return wxEntry(toolkitArgc, toolkitArgv);
}
