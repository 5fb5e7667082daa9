// The frame's geometry, kept apart from the windows: where the toolbar and
// the two panes go, how a pane divides between its label, tree and list,
// the splitter between tree and list and how far it may be dragged. Every
// figure is a 96-DPI pixel count scaled to the screen's DPI.
#pragma once

#include <cstdint>

#include "kernel/placement_geometry.h"

constexpr int32_t kBaseDpi = 96;

constexpr int32_t kToolbarLeft = 3;     // the toolbar's place and the width it leaves
constexpr int32_t kToolbarTop = 2;
constexpr int32_t kToolbarPadding = 2;  // added to the height of its tallest button
constexpr int32_t kToolbarArea = 42;    // height above the panes that holds the toolbar
constexpr int32_t kFrameMargin = 6;     // around the panes and between them
constexpr int32_t kSplitterWidth = 6;   // between a pane's tree and list
constexpr int32_t kMinListWidth = 10;   // what the list keeps when the window narrows
constexpr int32_t kMinTreeWidth = 10;   // how narrow a drag may make the tree
constexpr int32_t kSplitRightMargin = 16;  // how close to the pane's right edge a drag may go
constexpr int32_t kEtchedGrowth = 2;    // the etched lines' distance from the toolbar

constexpr int32_t kDefaultSplit = 300;  // tree width, stored as 96-DPI pixels
constexpr int32_t kMaxStoredSplit = 16384;

constexpr int32_t kDefaultFrameWidth = 800;  // at 96 DPI
constexpr int32_t kDefaultFrameHeight = 600;

// `pixels` at 96 DPI as pixels at `dpi`, rounded to the nearest.
int32_t ScalePixels(int32_t pixels, int32_t dpi);

// The frame's first size, scaled to `dpi` and no larger than the work area,
// at the work area's top left corner (in the work area's coordinates).
VtRect DefaultFrameRect(int32_t dpi, const VtRect& work);

// The toolbar's rectangle: at (3, 2), as wide as the client area less 3 (or
// the width WM_SIZE gave, if larger), its tallest button and 2 more high.
VtRect PlaceToolbar(int32_t clientWidth, int32_t sizeWidth, int32_t toolbarHeight, int32_t dpi);

// The band whose top and bottom edges carry the etched lines.
VtRect EtchedBand(const VtRect& toolbar, int32_t dpi);

// The two panes' rectangles in the client area: inset by the margin on the
// left, right and bottom; the package pane from below the toolbar area down
// to the middle, the system pane from the middle down, the gap between them
// around the middle.
void PlacePanes(int32_t clientWidth, int32_t clientHeight, int32_t dpi, VtRect* packagePane, VtRect* systemPane);

struct PaneLayout {
  VtRect label;
  VtRect tree;
  VtRect list;
  int32_t split;  // the tree's width, reduced when the list would be narrower than its minimum
};

// Divides a pane: the label (of the measured text size) on top, the tree
// `split` wide below it, the splitter, the list to the right edge.
PaneLayout LayoutPane(const VtRect& pane, int32_t labelWidth, int32_t labelHeight, int32_t split, int32_t dpi);

// Which splitter the point (client coordinates) is on: 1 the package
// pane's, 2 the system pane's, 0 none. The lower half of the client area
// belongs to the system pane.
int32_t SplitterAt(const PaneLayout& package, const PaneLayout& system, int32_t x, int32_t y, int32_t clientHeight);

// Whether the mouse has left the rectangle around the press point in which
// a press is still a click (`dragWidth` and `dragHeight` as the system
// gives them, at 96 DPI).
bool LeftDragRect(int32_t pressX, int32_t pressY, int32_t x, int32_t y, int32_t dragWidth, int32_t dragHeight,
                  int32_t dpi);

// The split during a drag: the split at the press moved with the mouse,
// at least the tree's minimum and otherwise at most the pane's width less
// the right margin.
int32_t DraggedSplit(int32_t splitAtPress, int32_t pressX, int32_t x, int32_t paneWidth, int32_t dpi);

// The split for a pane `paneWidth` wide, given the split `chosen` at the
// width `chosenWidth`: the same proportion of the pane, or `chosen` itself
// when no width is known (0).
int32_t ProportionalSplit(int32_t chosen, int32_t chosenWidth, int32_t paneWidth);

// A split position as stored (96-DPI pixels, held to 0..16384) and as laid
// out at `dpi`.
int32_t SplitFromSetting(int32_t stored, int32_t dpi);
int32_t SplitToSetting(int32_t split, int32_t dpi);
