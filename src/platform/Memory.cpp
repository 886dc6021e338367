#include "platform/Memory.h"

#include <malloc.h>

#include <mutex>

namespace pixfold {

namespace {

std::mutex g_lock;
int g_scans = 0;

// Blocks up to the largest a thread's heap can hold, kept through a scan.
constexpr int kScanMapThreshold = 32 << 20;
constexpr int kScanTrimThreshold = 512 << 20;
// The allocator's own starting values, fixed from then on.
constexpr int kMapThreshold = 128 << 10;
constexpr int kTrimThreshold = 128 << 10;

}  // namespace

ScanMemory::ScanMemory() {
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_scans++ == 0) {
        mallopt(M_MMAP_THRESHOLD, kScanMapThreshold);
        mallopt(M_TRIM_THRESHOLD, kScanTrimThreshold);
    }
}

void ScanMemory::End() {
    const std::lock_guard<std::mutex> hold(g_lock);
    if (m_held && --g_scans == 0) {
        mallopt(M_MMAP_THRESHOLD, kMapThreshold);
        mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
    }
    m_held = false;
}

ScanMemory::~ScanMemory() {
    End();
    const std::lock_guard<std::mutex> hold(g_lock);
    if (g_scans == 0) {
        malloc_trim(0);  // every thread's heap
    }
}

}  // namespace pixfold
