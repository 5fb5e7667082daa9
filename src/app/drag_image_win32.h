// The images a drag between the panes shows: the tree's own for a node,
// the list's own for one item, an outline of several items, each with the
// point at which the cursor holds it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "app/drop_rules.h"

struct DragImage {
  HIMAGELIST images = nullptr;  // owned by the caller; null when none could be made
  DragHotspot hotspot = {};
};

// The outline of the list's selected items: a frame where each icon is and
// a stroke through each label, transparent elsewhere; as large as the items
// together, its lines as thick as the screen's scale makes one pixel.
// Null when nothing is selected.
HIMAGELIST CreateSelectionDragImage(HWND list, int32_t dpi);

// The image of a list drag grabbed at `grab` (list client coordinates).
DragImage CreateListDragImage(HWND list, POINT grab, int32_t dpi);

// The image of a drag of `node` grabbed at `grab` (tree client coordinates).
DragImage CreateTreeDragImage(HWND tree, HTREEITEM node, POINT grab);
