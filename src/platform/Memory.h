#pragma once
// Keeping a scan's working memory from staying resident after it is freed.

namespace pixfold {

// Large pixel buffers (decoded pictures, the decoder's work areas) are mapped
// and unmapped on their own rather than carved from the heap, where freed
// holes between the small thumbnails that stay would never go back to the
// system. Runs once; later calls do nothing.
void KeepLargeBuffersOffTheHeap();

// Gives free heap pages back to the system (after a scan).
void ReleaseFreeMemory();

}  // namespace pixfold
