#pragma once
// The program's icon, drawn at any size: a dark rounded tile holding a
// two-by-two grid of small photographs, the selected one framed in red.

#include <cstdint>
#include <vector>

namespace pixfold {

// size x size pixels, row-major, each 0xAARRGGBB.
std::vector<uint32_t> RenderAppIcon(int size);

// The Start Slide Show tool: a play triangle in a screen's frame, drawn in
// the dark grey of the desktop's other tool icons so that it does not look
// disabled beside them.
std::vector<uint32_t> RenderSlideShowTool(int size);

}  // namespace pixfold
