#include "catalog/ThumbCache.h"

#include "catalog/ViewPrefs.h"
#include "jpeg/JpegFile.h"
#include "res/Settings.h"

namespace pixfold {

uint64_t CacheLimitFromSettings(SettingsStore& store) {
    const int mib = store.Get(res::kCacheSize);
    return mib > 0 ? uint64_t(mib) << 20 : 0;
}

ThumbCache::ThumbCache(int pitch, uint64_t limitBytes, const std::string& folder, bool upright)
    : m_pitch(pitch), m_limit(limitBytes), m_upright(upright), m_store(folder) {}

ThumbCache::~ThumbCache() {
    m_store.Flush(m_limit);
}

ThumbStore::Key ThumbCache::KeyOf(const std::string& path) const {
    // A new release of the decoder may round its reduced pictures otherwise.
    // Turned thumbnails are other pixels: a version of their own.
    const int64_t turned = m_upright ? int64_t{1} << 40 : 0;
    return {path, m_pitch,
            turned + int64_t{kThumbPixelsVersion} * 100000000 + JpegFile::DecoderRelease()};
}

bool ThumbCache::Find(const std::string& path, BuiltThumbnail* built) {
    FileStamp stamp;
    ThumbStore::Entry e;
    if (!m_store.IsOpen() || !StampOfPath(path, &stamp) || !m_store.Find(KeyOf(path), stamp, &e)) {
        return false;
    }
    // An entry that does not describe a thumbnail of this pitch is not used.
    const uint32_t thumbMax = ThumbMaxForPitch(m_pitch);
    if (e.thumbWidth > thumbMax || e.thumbHeight > thumbMax ||
        e.bitsLength != uint64_t{AlignedRowLength(e.thumbWidth)} * e.thumbHeight) {
        return false;
    }
    built->outcome = BuiltThumbnail::Built;
    built->imageWidth = e.imageWidth;
    built->imageHeight = e.imageHeight;
    built->scale = ChooseDecoderScale(e.imageWidth, e.imageHeight,
                                      m_pitch > 0 ? static_cast<uint32_t>(m_pitch) : 0, thumbMax);
    built->thumbWidth = e.thumbWidth;
    built->thumbHeight = e.thumbHeight;
    built->bits = std::move(e.bits);
    built->stamp = stamp;
    built->stable = true;
    return true;
}

void ThumbCache::Put(const std::string& path, const BuiltThumbnail& built) {
    if (!m_store.IsOpen() || built.outcome != BuiltThumbnail::Built || !built.stable) {
        return;
    }
    ThumbStore::Entry e;
    e.stamp = built.stamp;
    e.imageWidth = built.imageWidth;
    e.imageHeight = built.imageHeight;
    e.thumbWidth = built.thumbWidth;
    e.thumbHeight = built.thumbHeight;
    e.bitsLength = uint64_t{AlignedRowLength(built.thumbWidth)} * built.thumbHeight;
    m_store.Put(KeyOf(path), e, built.bits.get());
}

}  // namespace pixfold
