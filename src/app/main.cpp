#include <wx/app.h>

#include <cstdlib>

#include "app/PixfoldApp.h"

wxIMPLEMENT_APP_NO_MAIN(pixfold::CPixfoldApp);

int main(int argc, char** argv) {
    // The folder argument is taken as bytes. The toolkit gets the program's
    // name only: it drops, with a warning box, any argument that is not text
    // in the locale's encoding.
    pixfold::CPixfoldApp::s_commandLine.assign(argv, argv + argc);
    // Names typed into the file chooser come back as UTF-8, the encoding the
    // program shows names in, whatever the locale.
    setenv("G_FILENAME_ENCODING", "UTF-8", 0);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    return wxEntry(toolkitArgc, toolkitArgv);
}
