#pragma once
// The program's icon, drawn at any size: a dark rounded tile holding a
// two-by-two grid of small photographs, the selected one framed in red.

#include <cstdint>
#include <vector>

namespace pixfold {

// size x size pixels, row-major, each 0xAARRGGBB.
std::vector<uint32_t> RenderAppIcon(int size);

}  // namespace pixfold
