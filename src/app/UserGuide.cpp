#include "app/UserGuide.h"

#include <sys/stat.h>

namespace pixfold {

std::string FindUserGuide(const std::string& exeDir) {
    const std::string candidates[] = {
        exeDir + "/" + kGuideName,
        exeDir + "/../share/pixfold/" + kGuideName,
        exeDir + "/../share/doc/pixfold/" + kGuideName,
    };
    for (const std::string& c : candidates) {
        struct stat st {};
        if (stat(c.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            return c;
        }
    }
    return "";
}

}  // namespace pixfold
