// Where the find box goes: at the right end of the toolbar's row, as wide
// as a long name needs, never over the toolbar's buttons. Figures are
// 96-DPI pixels scaled to the screen's DPI, as the rest of the layout.
#pragma once

#include <cstdint>

#include "kernel/placement_geometry.h"

constexpr int32_t kFindBoxWidth = 220;  // the box's width when the row has room
constexpr int32_t kFindBoxGap = 8;      // kept free after the last button
constexpr int32_t kFindBoxMinWidth = 40;  // narrower than this, the box is not shown

// The box's rectangle in the toolbar's row (`toolbar` as PlaceToolbar gave
// it), for buttons `buttonsWidth` wide and a box `boxHeight` high, centred
// in the row. Empty (zero width) when the row has no room left for it.
VtRect PlaceFindBox(const VtRect& toolbar, int32_t buttonsWidth, int32_t boxHeight, int32_t dpi);
