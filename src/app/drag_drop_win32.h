// Dragging a tree node or the selected list items of one pane and dropping
// them anywhere on the other pane's tree or list: the records are copied as
// by the copy commands, and the other pane then shows where they arrived.
// The frame owns the mouse for the drag; Escape, or another window taking
// the mouse, ends it without a copy.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "app/drop_rules.h"
#include "app/frame_state_win32.h"

// TVN_BEGINDRAG from the pane's tree: `node` becomes the tree's selection
// and is dragged. `grab` is in the tree's client coordinates.
void BeginTreeDrag(FrameState& frame, Pane& pane, HTREEITEM node, POINT grab);
// LVN_BEGINDRAG from the pane's list: its selected items are dragged.
// `grab` is in the list's client coordinates.
void BeginListDrag(FrameState& frame, Pane& pane, POINT grab);

// The frame's mouse moves and button release during a drag, in its client
// coordinates.
void MoveDrag(FrameState& frame, int32_t x, int32_t y);
void Drop(FrameState& frame, int32_t x, int32_t y);
// Ends a drag without a copy (Escape, or the mouse went elsewhere); does
// nothing without one.
void CancelDrag(FrameState& frame);
// WM_CAPTURECHANGED: `taker` has the mouse now.
void OnDragCaptureChanged(FrameState& frame, HWND taker);

// The pane part under a screen point.
PaneHit HitTestPanes(const FrameState& frame, POINT screen);
// The screen point lies on pane `target`'s tree or list, not hidden there
// by another window.
bool IsOverDropTarget(const FrameState& frame, int target, POINT screen);
// The node of `target`'s tree that stands for the dragged node (see
// CorrespondingNodePath), or null.
HTREEITEM FindCorrespondingNode(Pane& target, NodeKind sourceKind, const char* sourceLabel, bool copiedPresets);
