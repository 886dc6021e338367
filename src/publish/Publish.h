#pragma once
// Publishing a folder: a reduced JPEG copy of each image in a thumbnail
// folder, and an HTML page showing them, optionally linked to the images.

#include <ctime>
#include <functional>
#include <string>

#include "app/SettingsStore.h"
#include "catalog/ThumbCatalog.h"

namespace pixfold {

enum NamingMode { kAppendTn = 0, kPrependTn = 1, kOriginalName = 2 };

struct PublishOptions {
    uint32_t sizeLimit = 100;
    int html = 0;
    int prepend = kAppendTn;
    int href = 0;
    std::string htmlPath;
    int doAll = 1;
    int rowCount = 5;
    int table = 0;
    std::string folder;  // thumbnail folder, no trailing separator
};

// Reads the stored options ("Folder" defaults to the images' folder without
// its trailing separator); the size limit is not stored and is left as given.
PublishOptions LoadPublishOptions(SettingsStore& store, const std::string& imagesFolder,
                                  uint32_t sizeLimit);
// Writes the eight options in their order.
void StorePublishOptions(SettingsStore& store, const PublishOptions& options);

// photo.jpg -> photo_tn.jpg, tn_photo.jpg or photo.jpg.
std::string ThumbFileName(const std::string& title, const std::string& ext, int mode);

// Writes one thumbnail file (quality 100), recording its path and name in the
// record even when the decode fails. Reports failures through the shell.
void MakeThumbFile(ThumbRecord& record, uint32_t sizeLimit, int mode, const std::string& folder);

// Whether the page refers to files by absolute URLs: its folder (up to the
// last separator) differs, letter case included, from the images' folder.
bool UseAbsoluteRefs(const std::string& pagePath, const std::string& imagesFolder);

// The page cell of a record: its image element, in a link when asked, with
// every name escaped and every reference a valid URL.
std::string FormatThumbCell(const ThumbRecord& record, bool link, bool absolute);

// "file://" and the absolute path, percent-encoded.
std::string FileUrl(const std::string& path);
// A file name as a relative URL: percent-encoded, and "./" in front when it
// would otherwise read as a scheme ("javascript:x.jpg").
std::string RelativeUrl(const std::string& name);
std::string HtmlEscape(const std::string& text);

// The long local date and time of the page: "Monday, December 7, 2026, 14:05:09".
std::string LongDateTime(std::time_t when);

// The page text with "\n" line ends (written as CR LF).
std::string BuildPage(const ThumbCatalog& list, const ThumbRecord* selected,
                      const PublishOptions& options, const std::string& dateText);

// Writes the page through a temporary file; false (after a message naming
// the path) when it cannot be written.
bool WritePage(const ThumbCatalog& list, const ThumbRecord* selected, const PublishOptions& options,
               std::time_t when);

// The whole command after the dialog: every thumbnail (or the selected one),
// then the page; `reload` runs after naming mode 2.
void Publish(ThumbCatalog& list, ThumbRecord* selected, const PublishOptions& options,
             std::time_t when, const std::function<void()>& reload);

}  // namespace pixfold
