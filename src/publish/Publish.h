#pragma once
// Publishing a folder: a reduced JPEG copy of each image in a thumbnail
// folder, and an HTML page showing them, optionally linked to the images.

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalog/ThumbCatalog.h"
#include "catalog/Thumbnail.h"
#include "platform/SameFolder.h"
#include "platform/SettingsStore.h"
#include "res/Settings.h"

namespace pixfold {

enum NamingMode { kAppendTn = 0, kPrependTn = 1, kOriginalName = 2 };

// The largest side a published thumbnail may be given (not stored: it starts
// at the grid's thumbnail size every time).
inline constexpr int kMinSizeLimit = 10;
inline constexpr int kMaxSizeLimit = 5000;

struct PublishOptions {
    uint32_t sizeLimit = 100;
    int html = res::kHtml.intDefault;
    int prepend = res::kPrepend.intDefault;
    int href = res::kHref.intDefault;
    std::string htmlPath = res::kHtmlFile.textDefault;
    int doAll = res::kDoAll.intDefault;
    int rowCount = res::kRowCount.intDefault;
    int table = res::kTable.intDefault;
    std::string folder;  // thumbnail folder, no trailing separator
    // Original names into the images' own folder were approved: each image
    // may be replaced by its own thumbnail (and by nothing else).
    bool replaceOriginals = false;
    // The page declares the size of the files written rather than the grid's.
    bool declareWrittenSize = false;
    // Thumbnails turned by the records' EXIF orientation.
    bool upright = false;
};

// Reads the stored options ("Folder" defaults to the images' folder without
// its trailing separator); the size limit is not stored and is left as given.
PublishOptions LoadPublishOptions(SettingsStore& store, const std::string& imagesFolder,
                                  uint32_t sizeLimit);
// Writes the eight options in their order.
void StorePublishOptions(SettingsStore& store, const PublishOptions& options);

// photo.jpg -> photo_tn.jpg, tn_photo.jpg or photo.jpg.
std::string ThumbFileName(const std::string& title, const std::string& ext, int mode);

// The catalogue's image files, by device and inode. A thumbnail is never
// written over one of them, except an image's own thumbnail over the image
// itself when that was approved.
class ImageFiles {
  public:
    ImageFiles(const ThumbCatalog& list, bool replaceOwn);
    // Whether writing the record's thumbnail at the path would destroy a photo.
    bool Protects(const ThumbRecord& record, const std::string& target) const;

  private:
    std::set<std::pair<dev_t, ino_t>> m_files;
    bool m_replaceOwn;
};

// Writes one thumbnail file (quality 100), recording its path and name in the
// record even when the decode fails, and returns the size written (0 x 0 for
// none). A target among `images` gets the "Can't open" message. Reports
// failures through the shell.
ThumbSize MakeThumbFile(ThumbRecord& record, uint32_t sizeLimit, int mode,
                        const std::string& folder, const ImageFiles* images = nullptr);

// The same without touching the record, for a worker thread: what to record
// in it and the size written. `input` is the thread's buffer for the image.
struct ThumbFileResult {
    bool named = false;  // the names below belong in the record
    std::string name;
    std::string path;
    ThumbSize size;
};
// With `upright` the thumbnail is turned by the record's EXIF orientation.
ThumbFileResult WriteThumbFile(const ThumbRecord& record, uint32_t sizeLimit, int mode,
                               const std::string& folder, const ImageFiles* images,
                               std::vector<uint8_t>& input, bool upright = false);

// Which references a page can make relative: those to files in its own folder
// (asked of the file system); all others are absolute file URLs.
class PageFolder {
  public:
    explicit PageFolder(const std::string& pagePath);
    bool Holds(const std::string& folder);

  private:
    FileIdentity m_page;
    std::unordered_map<std::string, bool> m_known;
};

// The page cell of a record: its image element, in a link when asked, with
// every name escaped and every reference a valid URL. The size declared is
// the grid thumbnail's unless another is given.
std::string FormatThumbCell(const ThumbRecord& record, bool link, bool absoluteThumb,
                            bool absoluteImage, const ThumbSize* declared = nullptr);

// "file://" and the absolute path, percent-encoded.
std::string FileUrl(const std::string& path);
// A file name as a relative URL: percent-encoded, and "./" in front when it
// would otherwise read as a scheme ("javascript:x.jpg").
std::string RelativeUrl(const std::string& name);
std::string HtmlEscape(const std::string& text);

// The long local date and time of the page: "Monday, December 7, 2026, 14:05:09".
std::string LongDateTime(std::time_t when);

// Sizes of the thumbnail files a run wrote.
using WrittenSizes = std::unordered_map<const ThumbRecord*, ThumbSize>;

// The page text with "\n" line ends (written as CR LF).
std::string BuildPage(const ThumbCatalog& list, const ThumbRecord* selected,
                      const PublishOptions& options, const std::string& dateText,
                      const WrittenSizes* written = nullptr);

// Writes the page through a temporary file; false (after a message naming
// the path) when it cannot be written.
bool WritePage(const ThumbCatalog& list, const ThumbRecord* selected, const PublishOptions& options,
               std::time_t when, const WrittenSizes* written = nullptr);

// The whole command after the dialog: every thumbnail (or the selected one),
// made on one thread per core and taken in catalogue order with their
// messages; then the page; `reload` runs after naming mode 2.
void Publish(ThumbCatalog& list, ThumbRecord* selected, const PublishOptions& options,
             std::time_t when, const std::function<void()>& reload);

}  // namespace pixfold
