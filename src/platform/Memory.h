#pragma once
// Keeping a scan's working memory from staying resident after it is freed.

namespace pixfold {

// Gives free heap pages back to the system, in every thread's heap (once,
// after a scan: the decoders' buffers are reused from file to file meanwhile).
void ReleaseFreeMemory();

}  // namespace pixfold
