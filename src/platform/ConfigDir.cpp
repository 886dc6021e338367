#include "platform/ConfigDir.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace pixfold {

namespace {

std::string HomeDir() {
    if (const char* h = std::getenv("HOME"); h && *h) {
        return h;
    }
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        return pw->pw_dir;
    }
    return "/tmp";
}

}  // namespace

std::string ConfigDir() {
    if (const char* dir = std::getenv("PIXFOLD_CONFIG_DIR"); dir && *dir) {
        return dir;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        return std::string(xdg) + "/pixfold";
    }
    return HomeDir() + "/.config/pixfold";
}

std::string CacheDir() {
    // A relative value is to be ignored, as the base directory rules say.
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/') {
        return std::string(xdg) + "/pixfold";
    }
    return HomeDir() + "/.cache/pixfold";
}

bool MakeDirs(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        return S_ISDIR(st.st_mode);
    }
    std::string::size_type slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        MakeDirs(path.substr(0, slash));
    }
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace pixfold
