#pragma once
// The pseudo-random generator with the arithmetic of the Windows C runtime's
// rand/srand (results 0..32767), and the tick count that seeds it.

#include <cstdint>

namespace pixfold {

class CrtRand {
  public:
    static constexpr int kRandMax = 0x7FFF;

    explicit CrtRand(uint32_t seed = 1) : m_state(seed) {}
    void Seed(uint32_t seed) { m_state = seed; }
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

  private:
    uint32_t m_state;
};

// Milliseconds of a monotonic clock, truncated to 32 bits.
uint32_t GetTickCount();

}  // namespace pixfold
