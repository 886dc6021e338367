#pragma once
// Entropy decoding for thumbnails. At 1/8 scale the library needs only the
// DC coefficient of most blocks, yet it decodes every AC symbol one at a time
// to skip it; this decoder skips several per table lookup. It feeds the
// library's own inverse DCT, upsampling and colour conversion exactly the
// coefficients the library would have decoded, so the pixels are the same.
//
// It handles clean baseline scans only. Anything the library would warn
// about (a bad code, data ending early, stray bytes, a wrong restart marker)
// makes it give up through the library's error exit, and the caller decodes
// the file again the ordinary way, so every message is the library's own.

#include <cstddef>
#include <cstdint>

struct jpeg_decompress_struct;

namespace pixfold {

// Message code passed to the error exit when the decoder gives up.
constexpr int kReducedHuffmanGaveUp = 1001;

// Called after jpeg_start_decompress with the source's unread bytes, which
// must run to the end of the file. Takes over the scan when it is a single
// baseline Huffman scan in which some block needs its DC coefficient only;
// false (nothing changed) otherwise.
bool UseReducedHuffman(jpeg_decompress_struct* cinfo);

// Scans this process has decoded to the end this way: for tests and benchmarks.
uint64_t ReducedHuffmanScans();

}  // namespace pixfold
