#pragma once
// Thumbnails kept between runs: the exact bits of each record's thumbnail,
// used again while the file and the pitch are what they were.

#include <cstdint>
#include <string>

#include "catalog/Thumbnail.h"
#include "platform/SettingsStore.h"
#include "platform/ThumbStore.h"

namespace pixfold {

// Changes whenever the same file at the same pitch would give other pixels
// (a new reduction, or an option such as turning photos upright).
inline constexpr int kThumbPixelsVersion = 1;

// The stored limit in bytes (0: no cache).
uint64_t CacheLimitFromSettings(SettingsStore& store);

class ThumbCache {
  public:
    // `upright`: the thumbnails are turned by their EXIF orientation, and
    // kept apart from the unturned ones.
    ThumbCache(int pitch, uint64_t limitBytes, const std::string& folder, bool upright = false);
    // Drops the least recently used entries beyond the limit.
    ~ThumbCache();
    ThumbCache(const ThumbCache&) = delete;
    ThumbCache& operator=(const ThumbCache&) = delete;

    // The thumbnail of the file as it is now, built as before; false for none.
    bool Find(const std::string& path, BuiltThumbnail* built);
    // Keeps a thumbnail built from the file as it was read.
    void Put(const std::string& path, const BuiltThumbnail& built);

  private:
    ThumbStore::Key KeyOf(const std::string& path) const;

    int m_pitch;
    uint64_t m_limit;
    bool m_upright;
    ThumbStore m_store;
};

}  // namespace pixfold
