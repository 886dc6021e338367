#include "platform/Memory.h"

#include <malloc.h>

namespace pixfold {

void KeepLargeBuffersOffTheHeap() {
    static const bool done = [] {
        // A fixed threshold also stops the allocator from raising it after the
        // first large free, which would send every later picture to the heap.
        mallopt(M_MMAP_THRESHOLD, 64 * 1024);
        return true;
    }();
    (void)done;
}

void ReleaseFreeMemory() {
    malloc_trim(0);
}

}  // namespace pixfold
