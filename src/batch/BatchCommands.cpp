#include "batch/BatchCommands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>
#include <new>

#include "app/CommandLine.h"
#include "catalog/FolderScan.h"
#include "catalog/ThumbCache.h"
#include "platform/AtomicFile.h"
#include "platform/ConfigDir.h"
#include "platform/ControlBytes.h"
#include "platform/Registry.h"
#include "platform/SameFolder.h"
#include "platform/SettingsStore.h"
#include "platform/StderrShell.h"
#include "platform/TextUtil.h"
#include "platform/ThumbStore.h"
#include "publish/Publish.h"
#include "res/Settings.h"

namespace pixfold::batch {

namespace {

const char* const kUsage =
    "Usage:\n"
    "  pixfold-batch details FOLDER [--sort none|name|size|date] [--descending] [--pitch N]\n"
    "                [--no-cache] [--natural] [--date-taken] [--upright]\n"
    "      Scans FOLDER as Open Folder does and prints one line per image:\n"
    "      name, size, date and thumbnail dimensions, tab-separated, CR LF ended.\n"
    "      Thumbnails kept from earlier scans are used unless --no-cache is given.\n"
    "      --natural sorts names by number value (img2 before img10); --date-taken\n"
    "      sorts and dates by the date a photo was taken (a file time ends in *);\n"
    "      --upright turns thumbnails by their EXIF orientation. The program's\n"
    "      stored options are not read: a script gives what it wants.\n"
    "  pixfold-batch thumbs FOLDER --out DIR [same options]\n"
    "      Also writes each thumbnail to DIR as NNNN.ppm (catalogue index) and prints\n"
    "      index, file name and dimensions per image.\n"
    "  pixfold-batch publish FOLDER --thumb-folder DIR [--size L]\n"
    "                [--naming append|prepend|original] [--page FILE [--link] [--table N]]\n"
    "                [--sort ...] [--descending] [--pitch N] [--yes]\n"
    "      Writes a reduced copy of every image into DIR (largest side L, default the\n"
    "      thumbnail size of the pitch) and, with --page, an HTML page showing them.\n"
    "      --naming original into the images' own folder replaces the images and\n"
    "      needs --yes.\n"
    "  pixfold-batch cache stats | cache clear\n"
    "      Shows what the thumbnail cache holds, and its limit (the setting\n"
    "      Settings CacheSize, in MiB; 0 turns the cache off), or empties it. The\n"
    "      cache is $XDG_CACHE_HOME/pixfold, else ~/.cache/pixfold.\n"
    "  pixfold-batch settings list [--known]\n"
    "  pixfold-batch settings get SECTION NAME\n"
    "  pixfold-batch settings get --int DEFAULT SECTION NAME\n"
    "  pixfold-batch settings set SECTION NAME TEXT\n"
    "      Lists, reads or writes the stored settings (the configuration folder is\n"
    "      $PIXFOLD_CONFIG_DIR, else $XDG_CONFIG_HOME/pixfold, else ~/.config/pixfold).\n"
    "      list --known shows every setting the program uses with its value, or its\n"
    "      default marked (default). get answers a setting the program uses with its\n"
    "      default when none is stored; set refuses a number out of its range.\n"
    "  pixfold-batch --help | --version\n"
    "\n"
    "Every command takes --help.\n"
    "\n"
    "Names in the output of details and thumbs have each control byte (a newline,\n"
    "a tab, an escape...) written as \\xHH and a backslash as \\\\, so every record\n"
    "stays one line; on a terminal, bytes that are not UTF-8 are written as \\xHH too.\n"
    "Messages the program would show in a box go to standard error, one each, with\n"
    "the file they are about.\n"
    "Exit status: 0 no message, 1 some file failed, 2 wrong command line or unreadable folder.\n";

struct CatalogOptions {
    std::string folder;
    std::string outDir;
    ScanSettings scan;
    // publish
    std::string thumbFolder;
    int size = -1;
    int naming = kAppendTn;
    std::string page;
    bool link = false;
    int table = 0;
    bool yes = false;
    bool noCache = false;
};

int Usage(std::FILE* err, const std::string& problem) {
    std::fprintf(err, "pixfold-batch: %s\n\n%s", problem.c_str(), kUsage);
    return kExitUsage;
}

bool ParseNumber(const std::string& text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < -1000000 || v > 1000000) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// What ParseCatalogOptions answers for --help.
const char* const kHelp = "--help";

// Parses FOLDER and the catalogue options; returns an error text, kHelp or "".
std::string ParseCatalogOptions(const std::vector<std::string>& args, size_t first, bool wantOut,
                                CatalogOptions& opts, bool publish = false) {
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--sort") {
            if (!value(v)) {
                return "--sort needs none, name, size or date";
            }
            if (v == "none") {
                opts.scan.sortOption = kSortNone;
            } else if (v == "name") {
                opts.scan.sortOption = kSortName;
            } else if (v == "size") {
                opts.scan.sortOption = kSortSize;
            } else if (v == "date") {
                opts.scan.sortOption = kSortDate;
            } else {
                return "unknown sort '" + v + "' (none, name, size or date)";
            }
        } else if (a == "--descending") {
            opts.scan.sortStyle = 1;
        } else if (a == "--no-cache") {
            opts.noCache = true;
        } else if (a == "--natural") {
            opts.scan.options.naturalNames = true;
        } else if (a == "--date-taken") {
            opts.scan.options.dateTaken = true;
        } else if (a == "--upright") {
            opts.scan.options.upright = true;
        } else if (a == "--pitch") {
            if (!value(v) || !ParseNumber(v, opts.scan.pitch) ||
                opts.scan.pitch < res::kPitch.min || opts.scan.pitch > res::kPitch.max) {
                return Format("--pitch needs a whole number from %d to %d", res::kPitch.min,
                              res::kPitch.max);
            }
        } else if (publish && a == "--thumb-folder") {
            if (!value(opts.thumbFolder)) {
                return "--thumb-folder needs a folder";
            }
        } else if (publish && a == "--size") {
            if (!value(v) || !ParseNumber(v, opts.size) || opts.size < kMinSizeLimit ||
                opts.size > kMaxSizeLimit) {
                return Format("--size needs a whole number from %d to %d", kMinSizeLimit,
                              kMaxSizeLimit);
            }
        } else if (publish && a == "--naming") {
            if (!value(v)) {
                return "--naming needs append, prepend or original";
            }
            if (v == "append") {
                opts.naming = kAppendTn;
            } else if (v == "prepend") {
                opts.naming = kPrependTn;
            } else if (v == "original") {
                opts.naming = kOriginalName;
            } else {
                return "unknown naming '" + v + "' (append, prepend or original)";
            }
        } else if (publish && a == "--page") {
            if (!value(opts.page)) {
                return "--page needs a file";
            }
        } else if (publish && a == "--link") {
            opts.link = true;
        } else if (publish && a == "--table") {
            if (!value(v) || !ParseNumber(v, opts.table) || opts.table < res::kRowCount.min ||
                opts.table > res::kRowCount.max) {
                return Format("--table needs a whole number from %d to %d", res::kRowCount.min,
                              res::kRowCount.max);
            }
        } else if (publish && a == "--yes") {
            opts.yes = true;
        } else if (a == "--help" || a == "-h") {
            return kHelp;
        } else if (a == "--out" && wantOut) {
            if (!value(opts.outDir)) {
                return "--out needs a folder";
            }
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return "unknown option " + a;
        } else if (opts.folder.empty()) {
            opts.folder = a;
        } else {
            return "unexpected argument " + a;
        }
    }
    if (opts.folder.empty()) {
        return "no FOLDER given";
    }
    if (wantOut && opts.outDir.empty()) {
        return "thumbs needs --out DIR";
    }
    if (publish && opts.thumbFolder.empty()) {
        return "publish needs --thumb-folder DIR";
    }
    if (publish && opts.page.empty() && (opts.link || opts.table)) {
        return "--link and --table go with --page";
    }
    // Without --size the limit comes from the pitch, and must meet the same range.
    if (publish && opts.size < 0 && (opts.scan.pitch - 3 < 10 || opts.scan.pitch - 3 > 5000)) {
        return "the size from --pitch " + std::to_string(opts.scan.pitch) +
               " is outside 10 to 5000; give --size";
    }
    return "";
}

bool IsReadableFolder(const std::string& folder) {
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Thumbnail bits (bottom-up BGR, aligned rows) as a top-down RGB PPM.
bool WritePpm(const ThumbRecord& r, const std::string& path) {
    AtomicFile file;
    if (!file.Open(path)) {
        return false;
    }
    std::FILE* fp = file.Stream();
    std::fprintf(fp, "P6\n%u %u\n255\n", r.m_nThumbWidth, r.m_nThumbHeight);
    const uint32_t stride = AlignedRowLength(r.m_nThumbWidth);
    std::vector<uint8_t> row(size_t{r.m_nThumbWidth} * 3);
    for (uint32_t y = 0; y < r.m_nThumbHeight && r.m_pDib && !row.empty(); ++y) {
        const uint8_t* src = r.m_pDib.get() + uint64_t{r.m_nThumbHeight - 1 - y} * stride;
        for (uint32_t x = 0; x < r.m_nThumbWidth; ++x) {
            row[x * 3] = src[x * 3 + 2];
            row[x * 3 + 1] = src[x * 3 + 1];
            row[x * 3 + 2] = src[x * 3];
        }
        std::fwrite(row.data(), 1, row.size(), fp);
    }
    return file.Commit();
}

int CannotRead(std::FILE* err, const std::string& folder) {
    std::fprintf(err, "pixfold-batch: cannot read folder %s\n", folder.c_str());
    return kExitUsage;
}

// Parses the command line and checks the folder (and the one to create);
// returns an exit code, or -1 to go on.
int Prepare(const std::vector<std::string>& args, bool wantOut, bool publish, std::FILE* out,
            std::FILE* err, CatalogOptions& opts) {
    const std::string problem = ParseCatalogOptions(args, 1, wantOut, opts, publish);
    if (problem == kHelp) {
        std::fputs(kUsage, out);
        return kExitOk;
    }
    if (!problem.empty()) {
        return Usage(err, problem);
    }
    if (!IsReadableFolder(opts.folder)) {
        return CannotRead(err, opts.folder);
    }
    const std::string& create = wantOut ? opts.outDir : opts.thumbFolder;
    if ((wantOut || publish) && !MakeDirs(create)) {
        std::fprintf(err, "pixfold-batch: cannot create folder %s\n", create.c_str());
        return kExitUsage;
    }
    return -1;
}

// The thumbnail cache's limit as the program stores it; reading creates nothing.
uint64_t StoredCacheLimit() {
    reg::Registry registry(ConfigDir());
    SettingsStore store(registry);
    store.UseProductKey(reg::HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath);
    return CacheLimitFromSettings(store);
}

// A folder scanned as Open Folder does, its messages on standard error; an
// unreadable folder is left for the caller to report, once.
struct BatchScan {
    BatchScan(const CatalogOptions& opts, std::FILE* err) : shell(err), scope(shell) {
        ScanSettings settings = opts.scan;
        if (!opts.noCache) {
            settings.cacheLimit = StoredCacheLimit();
        }
        ScanHooks hooks;
        hooks.noFilesWhenUnreadable = false;
        readable = OpenFolder(list, opts.folder, settings, hooks).folderReadable;
    }
    StderrShell shell;
    ShellScope scope;
    ThumbCatalog list;
    bool readable = true;
};

// A name as printed: escaped so that it stays on its line, and on a terminal
// so that it cannot send the terminal an escape sequence.
std::string PrintedName(const std::string& name, std::FILE* out) {
    return EscapeControlBytes(name, {true, true, isatty(fileno(out)) == 1});
}

int RunCatalog(const std::vector<std::string>& args, bool thumbs, std::FILE* out, std::FILE* err) {
    CatalogOptions opts;
    if (const int rc = Prepare(args, thumbs, false, out, err, opts); rc >= 0) {
        return rc;
    }
    BatchScan scan(opts, err);
    if (!scan.readable) {
        return CannotRead(err, opts.folder);
    }
    StderrShell& shell = scan.shell;
    const ThumbCatalog& list = scan.list;
    bool writeFailed = false;
    size_t index = 0;
    SyncBatch sync;
    for (const auto& r : list) {
        if (thumbs) {
            const std::string name = r->m_strPath.substr(r->m_strPath.rfind('/') + 1);
            if (r->m_pDib && !WritePpm(*r, opts.outDir + Format("/%04zu.ppm", index))) {
                shell.Message(Format("Cannot write %s/%04zu.ppm", opts.outDir.c_str(), index),
                              MB_OK, kAppTitle, MsgOwner::App);
                writeFailed = true;
            }
            std::fprintf(out, "%zu\t%s\t%s\n", index, PrintedName(name, out).c_str(),
                         r->m_strDim.c_str());
        } else {
            std::fprintf(out, "%s\t%s\t%s\t%s\r\n", PrintedName(r->m_strTitle, out).c_str(),
                         r->m_strSize.c_str(), r->m_strDate.c_str(), r->m_strDim.c_str());
        }
        ++index;
    }
    std::fflush(out);
    return (shell.MessageCount() > 0 || writeFailed) ? kExitMessages : kExitOk;
}

std::string WithoutTrailingSlash(std::string s) {
    while (s.size() > 1 && s.back() == '/') {
        s.pop_back();
    }
    return s;
}

int RunPublish(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    CatalogOptions opts;
    if (const int rc = Prepare(args, false, true, out, err, opts); rc >= 0) {
        return rc;
    }
    if (opts.naming == kOriginalName && IsSameFolder(opts.folder, opts.thumbFolder) && !opts.yes) {
        std::fprintf(err,
                     "pixfold-batch: --naming original into the images' own folder replaces "
                     "the images with their thumbnails; add --yes to do that\n");
        return kExitUsage;
    }
    BatchScan scan(opts, err);
    if (!scan.readable) {
        return CannotRead(err, opts.folder);
    }
    PublishOptions p;
    p.sizeLimit = static_cast<uint32_t>(opts.size > 0 ? opts.size : opts.scan.pitch - 3);
    p.prepend = opts.naming;
    p.html = opts.page.empty() ? 0 : 1;
    p.href = opts.link ? 1 : 0;
    p.htmlPath = opts.page;
    p.doAll = 1;
    p.table = opts.table ? 1 : 0;
    p.rowCount = opts.table ? opts.table : 5;
    p.folder = WithoutTrailingSlash(opts.thumbFolder);
    p.replaceOriginals = opts.yes;
    p.declareWrittenSize = true;
    p.upright = opts.scan.options.upright;
    Publish(scan.list, nullptr, p, std::time(nullptr), {});
    return scan.shell.MessageCount() > 0 ? kExitMessages : kExitOk;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    for (uint8_t b : bytes) {
        s += Format("%02x", b);
    }
    return s;
}

int StoreBusy(std::FILE* err, const reg::Registry& registry) {
    std::fprintf(err,
                 "pixfold-batch: the settings in %s are locked by another program; try again\n",
                 registry.DatabasePath().c_str());
    return kExitMessages;
}

int StoreDamaged(std::FILE* err, const reg::Registry& registry) {
    std::fprintf(err,
                 "pixfold-batch: the settings in %s are damaged and were left as they are; "
                 "defaults are in use\n",
                 registry.DatabasePath().c_str());
    return kExitMessages;
}

// The table's entry for a section and value name (names ignore letter case, as
// the store's do), or null for a setting the program does not use.
const res::Setting* FindSetting(const std::string& section, const std::string& name) {
    for (const res::Setting* setting : res::kAllSettings) {
        if (EqualsNoCase(section, setting->section) && EqualsNoCase(name, setting->name)) {
            return setting;
        }
    }
    return nullptr;
}

std::string DefaultText(const res::Setting& setting) {
    return setting.kind == res::SettingKind::Int ? Format("%d", setting.intDefault)
                                                 : std::string(setting.textDefault);
}

int RunSettings(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    if (args.size() < 2) {
        return Usage(err, "settings needs list, get or set");
    }
    for (size_t i = 1; i < args.size(); ++i) {
        const bool storedText = args[1] == "set" && i == 4;
        if ((args[i] == "--help" || args[i] == "-h") && !storedText) {
            std::fputs(kUsage, out);
            return kExitOk;
        }
    }
    // Values are printed as stored, except that a terminal gets no raw control bytes.
    const bool terminal = isatty(fileno(out)) == 1;
    auto shown = [terminal](const std::string& text) {
        return terminal ? EscapeControlBytes(text, {false, true, true}) : text;
    };
    reg::Registry registry(ConfigDir());
    bool damaged = false;
    registry.SetDamageHandler([&](const std::string& copy) {
        std::fprintf(err,
                     "pixfold-batch: the settings were damaged; the damaged file was kept as %s "
                     "and defaults are in use\n",
                     copy.c_str());
        damaged = true;
    });
    SettingsStore store(registry);
    const std::string& verb = args[1];
    const bool read = verb == "list" || verb == "get";
    {
        // A read opens the store as a start does (the first start copies
        // Pixfold.INI), but never replaces a damaged store.
        reg::HKEY key;
        const reg::LONG rc = registry.OpenKey(reg::HKEY_LOCAL_MACHINE,
                                              SettingsStore::kProductKeyPath, reg::KEY_READ, &key);
        if (rc == reg::ERROR_BUSY) {
            return StoreBusy(err, registry);
        }
        if (rc == reg::ERROR_FILE_CORRUPT && read) {
            damaged = true;
            StoreDamaged(err, registry);
        } else {
            OpenStoreAtStartup(store);
        }
    }
    if (verb == "list" && args.size() == 3 && args[2] == "--known") {
        for (const res::Setting* setting : res::kAllSettings) {
            std::string text;
            const reg::LONG rc = damaged ? reg::ERROR_FILE_NOT_FOUND
                                         : store.QueryText(setting->section, setting->name, &text);
            if (rc == reg::ERROR_BUSY) {
                return StoreBusy(err, registry);
            }
            const bool stored = rc == reg::ERROR_SUCCESS;
            if (!stored) {
                text = DefaultText(*setting);
            }
            std::fprintf(out, "%s\t%s\t%s%s\n", setting->section, setting->name,
                         shown(text).c_str(), stored ? "" : "\t(default)");
        }
        return damaged ? kExitMessages : kExitOk;
    }
    if (verb == "list" && args.size() == 2) {
        reg::HKEY product;
        reg::LONG rc = damaged ? reg::ERROR_FILE_NOT_FOUND
                               : registry.OpenKey(store.RootKey(), store.ProductKeyPath(),
                                                  reg::KEY_READ, &product);
        std::vector<reg::ValueEntry> values;
        if (rc == reg::ERROR_SUCCESS) {
            values = registry.ListValues(product, &rc);
        }
        if (rc == reg::ERROR_BUSY) {
            return StoreBusy(err, registry);
        }
        if (rc == reg::ERROR_FILE_CORRUPT) {
            return StoreDamaged(err, registry);
        }
        for (const reg::ValueEntry& v : values) {
            std::string data;
            if (v.type == reg::REG_SZ) {
                data.assign(v.data.begin(), v.data.end());
                data.resize(std::min(data.size(), data.find('\0')));  // the text without its NUL
            } else {
                data = Hex(v.data);
            }
            std::fprintf(out, "%s\t%s\t%s\t%s\n", shown(v.keyPath).c_str(), shown(v.name).c_str(),
                         v.type == reg::REG_SZ
                             ? "REG_SZ"
                             : (v.type == reg::REG_BINARY ? "REG_BINARY" : "REG_NONE"),
                         shown(data).c_str());
        }
        return damaged ? kExitMessages : kExitOk;
    }
    const bool asInt = verb == "get" && args.size() == 6 && args[2] == "--int";
    if ((verb == "get" && args.size() == 4) || asInt) {
        int def = 0;
        if (asInt && !ParseNumber(args[3], def)) {
            return Usage(err, "--int needs a whole number as its default");
        }
        const std::string& section = args[asInt ? 4 : 2];
        const std::string& name = args[asInt ? 5 : 3];
        std::string text;
        const reg::LONG rc =
            damaged ? reg::ERROR_FILE_NOT_FOUND : store.QueryText(section, name, &text);
        if (rc == reg::ERROR_BUSY) {
            return StoreBusy(err, registry);
        }
        if (rc == reg::ERROR_FILE_CORRUPT) {
            damaged = true;
            StoreDamaged(err, registry);
        }
        int value = def;
        if (rc != reg::ERROR_SUCCESS || (asInt && !ScanInt(text.c_str(), value))) {
            // A setting the program uses answers with its default.
            const res::Setting* known = asInt ? nullptr : FindSetting(section, name);
            text = known ? DefaultText(*known) : std::string();
            value = def;
        }
        if (asInt) {
            std::fprintf(out, "%d\n", value);
        } else {
            std::fprintf(out, "%s\n", shown(text).c_str());
        }
        return damaged ? kExitMessages : kExitOk;
    }
    if (verb == "set" && args.size() == 5) {
        const res::Setting* known = FindSetting(args[2], args[3]);
        int number = 0;
        if (known && known->kind == res::SettingKind::Int &&
            (!ParseNumber(args[4], number) || number < known->min || number > known->max)) {
            return Usage(err, Format("%s takes a whole number from %d to %d", known->name,
                                     known->min, known->max));
        }
        if (!store.SetString(args[2], args[3], args[4])) {
            std::fprintf(err, "pixfold-batch: could not store %s\\%s in %s\n", args[2].c_str(),
                         args[3].c_str(), registry.DatabasePath().c_str());
            return kExitMessages;
        }
        return damaged ? kExitMessages : kExitOk;
    }
    return Usage(err, "wrong settings command");
}

int RunCache(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(kUsage, out);
            return kExitOk;
        }
    }
    if (args.size() != 2 || (args[1] != "stats" && args[1] != "clear")) {
        return Usage(err, "cache needs stats or clear");
    }
    ThumbStore store(CacheDir());
    if (!store.IsOpen()) {
        std::fprintf(err, "pixfold-batch: cannot open the thumbnail cache %s\n",
                     store.DatabasePath().c_str());
        return kExitMessages;
    }
    if (args[1] == "clear") {
        if (!store.Clear()) {
            std::fprintf(err, "pixfold-batch: could not empty the thumbnail cache %s\n",
                         store.DatabasePath().c_str());
            return kExitMessages;
        }
        return kExitOk;
    }
    const ThumbStore::Stats stats = store.GetStats();
    std::fprintf(out, "file\t%s\nentries\t%llu\nbytes\t%llu\nlimit\t%llu\n",
                 store.DatabasePath().c_str(), static_cast<unsigned long long>(stats.entries),
                 static_cast<unsigned long long>(stats.bytes),
                 static_cast<unsigned long long>(StoredCacheLimit()));
    return kExitOk;
}

}  // namespace

int RunGuarded(const std::function<int()>& command, std::FILE* err) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        std::fputs("pixfold-batch: out of memory\n", err);
    } catch (const std::exception& e) {
        std::fprintf(err, "pixfold-batch: %s\n", e.what());
    } catch (...) {
        std::fputs("pixfold-batch: unexpected error\n", err);
    }
    return kExitUsage;
}

int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    if (args.empty()) {
        return Usage(err, "no command given");
    }
    const std::string& cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::fputs(kUsage, out);
        return kExitOk;
    }
    if (cmd == "--version") {
        std::fprintf(out, "pixfold-batch %s\n", ProgramVersion());
        return kExitOk;
    }
    if (cmd == "details") {
        return RunCatalog(args, false, out, err);
    }
    if (cmd == "thumbs") {
        return RunCatalog(args, true, out, err);
    }
    if (cmd == "publish") {
        return RunPublish(args, out, err);
    }
    if (cmd == "settings") {
        return RunSettings(args, out, err);
    }
    if (cmd == "cache") {
        return RunCache(args, out, err);
    }
    return Usage(err, "unknown command " + cmd);
}

}  // namespace pixfold::batch
