#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "platform/Memory.h"

using namespace pixfold;

namespace {

// Whether a block of 8 MiB is mapped on its own rather than cut from a heap.
bool LargeBlockIsMapped() {
    const size_t before = mallinfo2().hblkhd;
    void* volatile block = std::malloc(size_t{8} << 20);
    std::memset(block, 1, 4096);
    const bool mapped = mallinfo2().hblkhd > before;
    std::free(block);
    return mapped;
}

}  // namespace

TEST(ScanMemory, LargeBlocksStayInTheHeapWhileAnyScanRuns) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's allocator replaces the one this tunes";
#endif
    {
        ScanMemory scan;
        EXPECT_FALSE(LargeBlockIsMapped());
        {
            ScanMemory nested;  // publishing reloads the folder inside its own
            EXPECT_FALSE(LargeBlockIsMapped());
        }
        EXPECT_FALSE(LargeBlockIsMapped());
    }
    // The heap given back, large blocks are mapped on their own again.
    EXPECT_TRUE(LargeBlockIsMapped());
}
