#pragma once
// Fixtures shared by the core tests: temporary folders, synthetic pictures
// written through the program's own encoder, and the test images in the tree.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/RecordingShell.h"

namespace pixfold::test {

// A fresh folder under /tmp, removed with everything in it at destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

// A w x h picture in decoded form whose pixels follow a smooth pattern.
std::vector<uint8_t> Pattern(uint32_t w, uint32_t h, uint32_t seed = 0);

// Writes a JPEG of the pattern (quality 90) and returns its path.
std::string MakeJpeg(const std::string& path, uint32_t w, uint32_t h, uint32_t seed = 0);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// Sets a file's modification time from local calendar fields.
void SetLocalMTime(const std::string& path, int year, int month, int day, int hour, int minute,
                   int second = 0);

// Path of a file in tests/images; a missing file fails the test with its path.
std::string TestImage(const std::string& name);
// A JPEG of components without colour meaning: component c holds 200 - 50 c
// everywhere. With more than four only the first four scans are kept (the
// decoder takes at most four components in a scan).
void MakeComponentsJpeg(const std::string& path, int components, uint32_t w, uint32_t h);
// Every JPEG in tests/images, good and bad, by name.
std::vector<std::string> AllTestImages();

}  // namespace pixfold::test
