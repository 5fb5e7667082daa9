// The rules of a drag between the panes that need no window: which part of
// which pane lies under a point, where the drag image's hotspot goes, the
// outline image of several list items, and the node the target pane shows
// once the dragged records have arrived.
#pragma once

#include <cstdint>
#include <span>

#include "kernel/placement_geometry.h"
#include "model/node_kind.h"

enum class PanePart { None = 0, Tree = 1, List = 2 };

struct PaneHit {
  int pane = -1;  // kPackagePane, kSystemPane, or -1 for neither
  PanePart part = PanePart::None;
};

// The client rectangles of a pane's tree and list, in screen coordinates.
struct PaneScreenRects {
  VtRect tree;
  VtRect list;
};

// Right and bottom edges are outside.
bool RectHolds(const VtRect& rect, int32_t x, int32_t y);

// The pane part under (x, y), the package pane (index 0) tried first and a
// pane's list before its tree.
PaneHit HitTestPanes(std::span<const PaneScreenRects, 2> panes, int32_t x, int32_t y);

// A drag from one pane drops on the other one only.
constexpr int DropTargetPane(int sourcePane) { return 1 - sourcePane; }

// Where the drag image is held, relative to its top left corner. A list
// item is held right of its icon (or where it was grabbed, further right)
// with the image above the cursor; several items by their middle. The
// image's left edge lies at `imageLeft` in the list, so an item of a
// column further right is held the same way.
struct DragHotspot {
  int32_t x, y;
};
DragHotspot ListDragHotspot(int32_t grabX, int32_t iconRight, int32_t imageLeft, int32_t itemHeight,
                            int32_t imageHeight, int32_t selectedCount);
// A tree node is held where it was grabbed, less the indentation of its
// `depth` (1 for a top-level node), with the image above the cursor.
DragHotspot TreeDragHotspot(int32_t grabX, int32_t indent, int32_t depth, int32_t textHeight);

// The outline image of several selected list items: a frame where each
// icon is and a stroke through the middle of each label, in a picture as
// large as the items together.
struct ItemRects {
  VtRect icon;
  VtRect label;
};
struct OutlineStroke {
  VtRect icon;  // relative to the picture's top left corner
  int32_t lineLeft, lineRight, lineY;
};
// The union of every item's icon and label (list client coordinates);
// empty for no items.
VtRect OutlineBounds(std::span<const ItemRects> items);
// What is drawn for `item` in a picture covering `bounds`.
OutlineStroke OutlineStrokeOf(const ItemRects& item, const VtRect& bounds);

// The node the target pane selects after a drop on its list, as labels
// below its group parent (the package root in the package pane, the top
// level in the system pane). `sourceKind` and `sourceLabel` are the source
// tree's selected node when the drag began; `copiedPresets` tells whether
// presets arrived. A dragged package root shows "FX Plug-Ins" when presets
// arrived, else "FX Chains". Empty (depth 0) when no node stands for it.
struct NodePath {
  int32_t depth = 0;
  const char* labels[2] = {};
};
NodePath CorrespondingNodePath(NodeKind sourceKind, const char* sourceLabel, bool copiedPresets);
