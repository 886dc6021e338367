#include "jpeg/ReducedHuffman.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
// clang-format off
#include <cstdio>
#define JPEG_INTERNALS
#include <jpeglib.h>
// clang-format on

namespace pixfold {

namespace {

std::atomic<uint64_t> g_scans{0};

constexpr int kLook = 11;  // bits one table lookup sees
constexpr unsigned kLookMask = (1u << kLook) - 1;

// Zigzag to natural order, with the library's extra entries for runs that
// overshoot the block in damaged data.
constexpr int kNatural[64 + 16] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                   12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                   35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                   58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
                                   63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

// One Huffman table, decoded by the library's rules: the largest code of
// each length, and lookups for codes of up to kLook bits.
struct Table {
    int32_t maxcode[18];
    int32_t valoffset[18];
    const UINT8* huffval;
    // (length << 8) | symbol for the code the next kLook bits start with;
    // 0 when that code is longer.
    uint16_t code[1u << kLook];
    // For skipping AC coefficients: as many whole symbols (code and value
    // bits) as the next kLook bits hold. Bits 0-3: bits used (0: none whole);
    // 4-10: coefficients they need left in the block; 12-19: how far they
    // move through it (64 more after an end of block).
    uint32_t skip[1u << kLook];
    bool built;
    bool skipBuilt;
};

struct BlockPlan {
    Table* dc;
    Table* ac;
    int component;  // index in the scan
    bool dcNeeded;
    bool acNeeded;
};

struct Decoder {
    jpeg_entropy_decoder pub;  // first: the library sees only this
    const uint8_t* p;          // next byte to load
    const uint8_t* end;        // end of the file's bytes
    uint64_t bits;             // unread bits, first at the top
    int count;                 // how many; below 0 once past the data
    bool atMarker;             // no more data in this segment
    bool atEnd;                // ... because the file ended
    const uint8_t* markerStart;
    int markerCode;
    int lastDc[MAX_COMPS_IN_SCAN];
    unsigned restartsToGo;
    int nextRestart;
    uint64_t mcusLeft;
    int blocks;
    BlockPlan plan[D_MAX_BLOCKS_IN_MCU];
    Table dcTables[NUM_HUFF_TBLS];
    Table acTables[NUM_HUFF_TBLS];
};

[[noreturn]] void GiveUp(j_decompress_ptr cinfo) {
    cinfo->err->msg_code = kReducedHuffmanGaveUp;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
    // error_exit never returns; this keeps the promise should one do so.
    std::abort();
}

void BuildTable(Table& t, const JHUFF_TBL& h) {
    // Canonical codes as the library assigns them (it has checked the table).
    int p = 0;
    int32_t code = 0;
    for (int l = 1; l <= 16; ++l) {
        const int n = h.bits[l];
        if (n > 0) {
            t.valoffset[l] = p - code;
            code += n;
            p += n;
            t.maxcode[l] = code - 1;
        } else {
            t.maxcode[l] = -1;
            t.valoffset[l] = 0;
        }
        code <<= 1;
    }
    t.maxcode[17] = 0x7FFFFFFF;
    t.valoffset[17] = 0;
    t.huffval = h.huffval;
    for (unsigned look = 0; look <= kLookMask; ++look) {
        t.code[look] = 0;
        for (int l = 1; l <= kLook; ++l) {
            const auto c = static_cast<int32_t>(look >> (kLook - l));
            if (c <= t.maxcode[l]) {
                t.code[look] =
                    static_cast<uint16_t>((l << 8) | t.huffval[(c + t.valoffset[l]) & 0xFF]);
                break;
            }
        }
    }
    t.built = true;
}

void BuildSkip(Table& t) {
    for (unsigned look = 0; look <= kLookMask; ++look) {
        int used = 0;
        int moved = 0;
        int eob = 0;
        while (used < kLook) {
            const unsigned e = t.code[(look << used) & kLookMask];
            const int len = static_cast<int>(e >> 8);
            const int rest = kLook - used;
            if (len == 0 || len > rest) {
                break;
            }
            const int r = static_cast<int>(e >> 4) & 15;
            const int s = static_cast<int>(e) & 15;
            if (s == 0 && r != 15) {
                used += len;
                eob = 1;
                break;
            }
            const int step = s != 0 ? r + 1 : 16;
            if (len + s > rest || moved + step > 64) {
                break;
            }
            used += len + s;
            moved += step;
        }
        t.skip[look] =
            used == 0 ? 0u
                      : static_cast<uint32_t>(used | (moved + eob) << 4 | (moved + 64 * eob) << 12);
    }
    t.skipBuilt = true;
}

inline bool HasFF(uint64_t w) {
    const uint64_t v = ~w;
    return ((v - 0x0101010101010101ull) & ~v & 0x8080808080808080ull) != 0;
}

// Byte by byte, as the library reads: FF 00 (after any FF fill) is a data
// FF; FF and anything else is a marker, where the data ends.
[[gnu::noinline]] void RefillSlow(Decoder& d) {
    while (d.count <= 56 && !d.atMarker) {
        if (d.p >= d.end) {
            d.atMarker = d.atEnd = true;
            break;
        }
        unsigned c = *d.p;
        if (c == 0xFF) {
            const uint8_t* q = d.p + 1;
            while (q < d.end && *q == 0xFF) {
                ++q;
            }
            if (q >= d.end || *q != 0) {
                d.atMarker = true;
                d.atEnd = q >= d.end;
                d.markerStart = d.p;
                d.markerCode = q < d.end ? *q : 0;
                break;
            }
            d.p = q + 1;
        } else {
            ++d.p;
        }
        d.bits |= uint64_t{c} << (56 - d.count);
        d.count += 8;
    }
}

// At least 32 bits unless the data has ended. Eight bytes at a time while
// none is FF; the bits it loads beyond `count` are those of the next byte,
// loaded again in the same place later, so they never disagree.
inline void Refill(Decoder& d) {
    if (d.count >= 32 || d.atMarker) {
        return;
    }
    if (d.end - d.p >= 8) {
        uint64_t w;
        std::memcpy(&w, d.p, 8);
        if (!HasFF(w)) {
            d.bits |= __builtin_bswap64(w) >> d.count;
            const int bytes = (63 - d.count) >> 3;
            d.p += bytes;
            d.count += bytes * 8;
            return;
        }
    }
    RefillSlow(d);
}

inline unsigned Peek(const Decoder& d, int n) {
    return static_cast<unsigned>(d.bits >> (64 - n));
}

inline void Drop(Decoder& d, int n) {
    d.bits <<= n;
    d.count -= n;
}

inline int Extend(unsigned x, int s) {
    const int v = static_cast<int>(x);
    return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v;
}

// One symbol, with at least 32 bits loaded (or the data ended).
inline int DecodeSymbol(j_decompress_ptr cinfo, Decoder& d, const Table& t) {
    const unsigned e = t.code[Peek(d, kLook)];
    if (e != 0) {
        Drop(d, static_cast<int>(e >> 8));
        return static_cast<int>(e & 0xFF);
    }
    int l = kLook + 1;
    auto c = static_cast<int32_t>(Peek(d, l));
    while (c > t.maxcode[l]) {
        ++l;
        c = static_cast<int32_t>(Peek(d, l));
    }
    if (l > 16) {
        GiveUp(cinfo);  // the library would report a bad code
    }
    Drop(d, l);
    return t.huffval[(c + t.valoffset[l]) & 0xFF];
}

inline int ReceiveExtend(Decoder& d, int s) {
    const int v = Extend(Peek(d, s), s);
    Drop(d, s);
    return v;
}

void SkipAc(j_decompress_ptr cinfo, Decoder& d, const Table& t) {
    int k = 1;
    do {
        Refill(d);
        const uint32_t e = t.skip[Peek(d, kLook)];
        const auto need = static_cast<int>((e >> 4) & 127);
        if ((e & 15) != 0 && k + need <= 64) {
            Drop(d, static_cast<int>(e & 15));
            k += static_cast<int>(e >> 12);
            continue;
        }
        const int sym = DecodeSymbol(cinfo, d, t);
        const int r = sym >> 4;
        const int s = sym & 15;
        if (s != 0) {
            Drop(d, s);
            k += r + 1;
        } else if (r == 15) {
            k += 16;
        } else {
            break;
        }
    } while (k < 64);
}

void DecodeAc(j_decompress_ptr cinfo, Decoder& d, const Table& t, JBLOCKROW block) {
    for (int k = 1; k < 64; ++k) {
        Refill(d);
        const int sym = DecodeSymbol(cinfo, d, t);
        const int r = sym >> 4;
        const int s = sym & 15;
        if (s != 0) {
            k += r;
            (*block)[kNatural[k]] = static_cast<JCOEF>(ReceiveExtend(d, s));
        } else {
            if (r != 15) {
                break;
            }
            k += 15;
        }
    }
}

// Where a segment of data ends, the library reads on without a word only
// when no whole byte is left unread before the marker (FF fill aside).
bool SegmentEndsCleanly(Decoder& d) {
    if (d.count < 0 || d.count >= 8) {
        return false;
    }
    if (!d.atMarker) {
        const uint8_t* q = d.p;
        if (q >= d.end || *q != 0xFF) {
            return false;
        }
        while (q < d.end && *q == 0xFF) {
            ++q;
        }
        if (q >= d.end || *q == 0) {
            return false;
        }
        d.markerStart = d.p;
        d.markerCode = *q;
        return true;
    }
    return !d.atEnd;
}

void Restart(j_decompress_ptr cinfo, Decoder& d) {
    if (!SegmentEndsCleanly(d) || d.markerCode != JPEG_RST0 + d.nextRestart) {
        GiveUp(cinfo);
    }
    d.p = d.markerStart;
    while (*d.p == 0xFF) {
        ++d.p;
    }
    ++d.p;  // the marker's code
    d.bits = 0;
    d.count = 0;
    d.atMarker = false;
    std::memset(d.lastDc, 0, sizeof d.lastDc);
    d.nextRestart = (d.nextRestart + 1) & 7;
    d.restartsToGo = cinfo->restart_interval;
}

extern "C" boolean DecodeMcu(j_decompress_ptr cinfo, JBLOCKROW* data) {
    auto& d = *reinterpret_cast<Decoder*>(cinfo->entropy);
    if (cinfo->restart_interval != 0) {
        if (d.restartsToGo == 0) {
            Restart(cinfo, d);
        }
        --d.restartsToGo;
    }
    for (int b = 0; b < d.blocks; ++b) {
        const BlockPlan& plan = d.plan[b];
        JBLOCKROW block = data != nullptr ? data[b] : nullptr;
        Refill(d);
        const int s = DecodeSymbol(cinfo, d, *plan.dc);
        const int diff = s != 0 ? ReceiveExtend(d, s) : 0;
        if (plan.dcNeeded) {
            // Wraps as the library's sum does in damaged data.
            int& last = d.lastDc[plan.component];
            last = static_cast<int>(static_cast<unsigned>(last) + static_cast<unsigned>(diff));
            if (block != nullptr) {
                (*block)[0] = static_cast<JCOEF>(last);
            }
        }
        if (plan.acNeeded && block != nullptr) {
            DecodeAc(cinfo, d, *plan.ac, block);
        } else {
            SkipAc(cinfo, d, *plan.ac);
        }
    }
    if (d.count < 0) {
        GiveUp(cinfo);  // the library would report data ending early
    }
    if (--d.mcusLeft == 0) {
        // Hand the library the marker after the scan, as its reader would.
        if (!SegmentEndsCleanly(d)) {
            GiveUp(cinfo);
        }
        cinfo->src->next_input_byte = d.markerStart;
        cinfo->src->bytes_in_buffer = static_cast<size_t>(d.end - d.markerStart);
        g_scans.fetch_add(1, std::memory_order_relaxed);
    }
    return TRUE;
}

extern "C" void StartPassAgain(j_decompress_ptr cinfo) {
    GiveUp(cinfo);  // a single scan has one pass
}

}  // namespace

bool UseReducedHuffman(j_decompress_ptr cinfo) {
    if (cinfo->progressive_mode || cinfo->arith_code || cinfo->buffered_image ||
        jpeg_has_multiple_scans(cinfo) || cinfo->data_precision != 8 || cinfo->comps_in_scan < 1 ||
        cinfo->comps_in_scan > MAX_COMPS_IN_SCAN || cinfo->blocks_in_MCU < 1 ||
        cinfo->blocks_in_MCU > D_MAX_BLOCKS_IN_MCU || cinfo->Ss != 0 || cinfo->Se != DCTSIZE2 - 1 ||
        cinfo->Ah != 0 || cinfo->Al != 0 || cinfo->unread_marker != 0 ||
        cinfo->entropy == nullptr || cinfo->src == nullptr || cinfo->output_scanline != 0) {
        return false;
    }
    bool dcOnly = false;
    for (int b = 0; b < cinfo->blocks_in_MCU; ++b) {
        const int ci = cinfo->MCU_membership[b];
        if (ci < 0 || ci >= cinfo->comps_in_scan) {
            return false;
        }
        const jpeg_component_info* comp = cinfo->cur_comp_info[ci];
        if (comp->dc_tbl_no < 0 || comp->dc_tbl_no >= NUM_HUFF_TBLS || comp->ac_tbl_no < 0 ||
            comp->ac_tbl_no >= NUM_HUFF_TBLS || !cinfo->dc_huff_tbl_ptrs[comp->dc_tbl_no] ||
            !cinfo->ac_huff_tbl_ptrs[comp->ac_tbl_no]) {
            return false;
        }
        dcOnly = dcOnly || (comp->component_needed && comp->DCT_scaled_size <= 1);
    }
    const uint64_t mcus = uint64_t{cinfo->MCUs_per_row} * cinfo->MCU_rows_in_scan;
    if (!dcOnly || mcus == 0) {
        return false;  // the library's own decoder is as quick for whole blocks
    }

    auto* d = static_cast<Decoder*>((*cinfo->mem->alloc_large)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, sizeof(Decoder)));
    d->pub.start_pass = StartPassAgain;
    d->pub.decode_mcu = DecodeMcu;
    d->pub.insufficient_data = FALSE;
    d->p = cinfo->src->next_input_byte;
    d->end = d->p + cinfo->src->bytes_in_buffer;
    d->bits = 0;
    d->count = 0;
    d->atMarker = d->atEnd = false;
    d->markerStart = d->end;
    d->markerCode = 0;
    std::memset(d->lastDc, 0, sizeof d->lastDc);
    d->restartsToGo = cinfo->restart_interval;
    d->nextRestart = 0;
    d->mcusLeft = mcus;
    d->blocks = cinfo->blocks_in_MCU;
    for (int n = 0; n < NUM_HUFF_TBLS; ++n) {
        d->dcTables[n].built = d->dcTables[n].skipBuilt = false;
        d->acTables[n].built = d->acTables[n].skipBuilt = false;
    }
    for (int b = 0; b < d->blocks; ++b) {
        const int ci = cinfo->MCU_membership[b];
        const jpeg_component_info* comp = cinfo->cur_comp_info[ci];
        BlockPlan& plan = d->plan[b];
        plan.dc = &d->dcTables[comp->dc_tbl_no];
        plan.ac = &d->acTables[comp->ac_tbl_no];
        plan.component = ci;
        plan.dcNeeded = comp->component_needed != 0;
        plan.acNeeded = comp->component_needed && comp->DCT_scaled_size > 1;
        if (!plan.dc->built) {
            BuildTable(*plan.dc, *cinfo->dc_huff_tbl_ptrs[comp->dc_tbl_no]);
        }
        if (!plan.ac->built) {
            BuildTable(*plan.ac, *cinfo->ac_huff_tbl_ptrs[comp->ac_tbl_no]);
        }
        if (!plan.acNeeded && !plan.ac->skipBuilt) {
            BuildSkip(*plan.ac);
        }
    }
    cinfo->entropy = &d->pub;
    return true;
}

uint64_t ReducedHuffmanScans() {
    return g_scans.load(std::memory_order_relaxed);
}

}  // namespace pixfold
