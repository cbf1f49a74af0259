#pragma once

namespace ui {

// The arithmetic of a horizontal skinned slider, in pixels of the thumb's parent. Positions are
// computed in double precision and truncated toward zero. Degenerate sliders (equal bounds, or
// a track no wider than its thumb) put the thumb at the track's left end and read the minimum.

// The thumb's left edge for a value.
int thumbLeftForValue(int trackLeft, int trackWidth, int thumbWidth, int minimum, int maximum,
                      int value);

// The value for a thumb whose left edge lies `offset` pixels right of the track's left edge.
int valueForThumbOffset(int offset, int trackWidth, int thumbWidth, int minimum, int maximum);

// The thumb's top edge for an alignment mode: -2 on the track, -1 top edges aligned, 0 centred,
// 1 bottom edges aligned, 2 below the track; any other mode keeps `current`.
int thumbTopForAlignment(int alignMode, int trackTop, int trackHeight, int thumbHeight,
                         int current);

// Where a dragged thumb goes when the mouse is at `x` in the track's own coordinates: centred
// under the mouse, kept between the track's ends.
int draggedThumbLeft(int x, int trackLeft, int trackWidth, int thumbWidth);

} // namespace ui
