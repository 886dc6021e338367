#pragma once
// The grid's keyboard: which cell a key selects, the scroll position that
// brings a cell into view, and the thumbnail size steps.

namespace pixfold {

enum class GridKey { Left, Right, Up, Down, Home, End, PageUp, PageDown };

// The index a key selects among `count` cells in `cols` columns, from
// `current` (-1: none, when every key but End starts at the first cell);
// `pageRows` is how many whole rows a page holds. -1 for an empty grid.
long GridKeyTarget(GridKey key, long current, long count, int cols, int pageRows);

// The scroll position nearest to `position` at which the band from `top`
// to `top + height` is in a client of `client` pixels, within 0..total-client.
int ScrollToShow(int position, int top, int height, int client, int total);

// The slider position `steps` size steps (negative: smaller) from `pitch`,
// within min..max; `pitch` itself when the bounds leave no room.
int SteppedPitch(int pitch, int steps, int minPitch, int maxPitch);

}  // namespace pixfold
