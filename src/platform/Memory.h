#pragma once
// Keeping a scan's working memory from staying resident after it is freed.

namespace pixfold {

// Held for the length of a scan. Meanwhile the large blocks a decoder frees
// (a progressive photo's coefficients, tens of MiB) stay in the heap of the
// thread that freed them, for its next photo, instead of being unmapped and
// faulted in afresh page by page. Ending it brings back the allocator's
// ordinary limits; end it before freeing the workers' own buffers, so that
// their heaps shrink as those go. Free memory is given back once at the end.
class ScanMemory {
  public:
    ScanMemory();
    ~ScanMemory();
    ScanMemory(const ScanMemory&) = delete;
    ScanMemory& operator=(const ScanMemory&) = delete;

    void End();

  private:
    bool m_held = true;
};

}  // namespace pixfold
