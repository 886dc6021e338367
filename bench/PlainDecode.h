#pragma once
// The floor the benchmarks compare against: plain libjpeg calls decoding a
// file at 1/denom into a packed buffer, with no wrapper around them.

#include <cstdint>
#include <string>

namespace pixfold::bench {

// Returns decoded bytes (0 on failure).
uint64_t PlainDecode(const std::string& path, unsigned denom, uint64_t* checksum);

}  // namespace pixfold::bench
