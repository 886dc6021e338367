// Writes the program's icon as PNG files for installation:
// OUTDIR/NNxNN/apps/pixfold.png for the usual sizes.
// Usage: make-icons OUTDIR

#include <wx/image.h>
#include <wx/init.h>

#include <cstdio>
#include <string>

#include "platform/ConfigDir.h"
#include "platform/WxIcons.h"

using namespace pixfold;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUTDIR\n");
        return 2;
    }
    wxInitializer init;
    wxImage::AddHandler(new wxPNGHandler);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const wxImage img = AppIconImage(size);
        const std::string dir = std::string(argv[1]) + "/" + std::to_string(size) + "x" +
                                std::to_string(size) + "/apps";
        if (!MakeDirs(dir) || !img.SaveFile(dir + "/pixfold.png", wxBITMAP_TYPE_PNG)) {
            std::fprintf(stderr, "make-icons: cannot write %s/pixfold.png\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
