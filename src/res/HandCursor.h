#pragma once
// Cursor 119: a pointing hand, 32 x 32, hot spot at (0, 0) (the fingertip).
// '#' black, '.' white, ' ' transparent.

namespace pixfold::res {

inline constexpr int kHandCursorSize = 32;
inline constexpr const char* kHandCursor[32] = {
    "..                              ", ".#.                             ",
    ".##.                            ", " .##.                           ",
    "  .##.                          ", "   .##.......                   ",
    "    .##.#.#.#.                  ", "    .##.#.#.#..                 ",
    " ....##.#.#.#.#.                ", ".##.##########.#.               ",
    ".###.#########.#.               ", " .#############.#.              ",
    "  .############.#.              ", "   .#############.              ",
    "    .############.              ", "     .##########.               ",
    "      .#########.               ", "       .#######.                ",
    "       ........                 ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
    "                                ", "                                ",
};

}  // namespace pixfold::res
