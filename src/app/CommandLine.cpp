#include "app/CommandLine.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

namespace pixfold {

namespace {

const char* const kUsage =
    "Usage: pixfold [FOLDER]\n"
    "       pixfold --help | --version\n"
    "\n"
    "Shows the JPEG photographs in FOLDER (the files ending in .jpg or .jpeg\n"
    "directly in it) as thumbnails. Without FOLDER the window opens empty; Open\n"
    "Folder (F2) chooses one.\n"
    "\n"
    "  -h, --help     show this text and exit\n"
    "      --version  show the version and exit\n"
    "  --             end of options: a FOLDER whose name begins with - follows\n"
    "\n"
    "Settings live in $PIXFOLD_CONFIG_DIR, else $XDG_CONFIG_HOME/pixfold, else\n"
    "~/.config/pixfold. pixfold-batch does the same work without a window.\n"
    "Exit status: 0 when the window is closed, 2 for a wrong command line.\n";

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

const char* ProgramVersion() {
    return PIXFOLD_VERSION;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    bool options = true;
    int folders = 0;
    for (const std::string& a : args) {
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            return {CommandLine::Action::Help, "", ""};
        } else if (options && a == "--version") {
            return {CommandLine::Action::Version, "", ""};
        } else if (options && a.size() > 1 && a[0] == '-') {
            return {CommandLine::Action::Error, "", "unknown option " + a};
        } else if (++folders > 1) {
            return {CommandLine::Action::Error, "", "more than one folder given"};
        } else {
            cl.folder = a;
        }
    }
    return cl;
}

int AnswerCommandLine(int argc, char** argv, std::FILE* out, std::FILE* err, std::string& folder) {
    const CommandLine cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (cl.action) {
        case CommandLine::Action::Help:
            std::fputs(kUsage, out);
            return 0;
        case CommandLine::Action::Version:
            std::fprintf(out, "pixfold %s\n", ProgramVersion());
            return 0;
        case CommandLine::Action::Error:
            std::fprintf(err, "pixfold: %s\n\n%s", cl.problem.c_str(), kUsage);
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    folder = cl.folder;
    return -1;
}

std::string NormalizeFolderPath(const std::string& path, const std::string& cwd) {
    if (path.empty()) {
        return path;
    }
    if (path[0] != '/' && cwd.empty()) {
        return path;  // no working folder to anchor it to
    }
    const std::string given = path[0] == '/' ? path : cwd + "/" + path;
    std::vector<std::string> parts;
    bool climbed = false;
    size_t start = 0;
    while (start <= given.size()) {
        size_t end = given.find('/', start);
        if (end == std::string::npos) {
            end = given.size();
        }
        const std::string part = given.substr(start, end - start);
        if (part == "..") {
            climbed = true;
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string out(parts.empty() ? 1 : 0, '/');
    for (const std::string& p : parts) {
        out += "/" + p;
    }
    // Dropping "x/.." lexically is wrong when x is a symbolic link: ask the
    // file system where the path leads.
    if (climbed && !SameFile(out, given)) {
        char real[PATH_MAX];
        if (realpath(given.c_str(), real)) {
            return real;
        }
    }
    return out;
}

}  // namespace pixfold
