#include <wx/app.h>

#include "app/PixfoldApp.h"

wxIMPLEMENT_APP_NO_MAIN(pixfold::CPixfoldApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}
