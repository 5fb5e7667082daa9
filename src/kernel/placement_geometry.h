// The geometry behind window placement, kept apart from the windowing calls
// so that it can be checked with made-up monitor layouts.
#pragma once

#include <cstddef>
#include <cstdint>

struct VtRect {
  int32_t left, top, right, bottom;
};

struct VtMonitor {
  VtRect bounds;  // the whole monitor
  VtRect work;    // without task bars
};

// Whether the caption strip of `rect` (its top edge, `captionHeight` high)
// shows on some monitor by at least max(captionHeight / 2, 3) pixels in
// each direction.
bool VtGeometry_IsCaptionVisible(const VtRect& rect, int32_t captionHeight, const VtMonitor* monitors, size_t count);

// The monitor that `rect` overlaps most; the first (the primary) when it
// overlaps none. `count` must be at least 1.
size_t VtGeometry_BestMonitor(const VtRect& rect, const VtMonitor* monitors, size_t count);

// Moves `rect` so that its edges keep the margins inside `work`: right when
// its left edge is too far left, else left when its right edge is too far
// right; the same vertically.
VtRect VtGeometry_ForceOnto(const VtRect& rect, const VtRect& work, int32_t horizontalMargin, int32_t verticalMargin);

// The default normal rectangle: `work` shrunk by a sixteenth of its width
// and height on each side.
VtRect VtGeometry_DefaultRect(const VtRect& work);

// Where a box of the given size goes: horizontally centred over `owner`, its
// top a third of the owner's height below the owner's top.
VtRect VtGeometry_PlaceOver(const VtRect& owner, int32_t width, int32_t height);
