#include "app/drag_drop_win32.h"

#include "app/drag_image_win32.h"
#include "app/frame_win32.h"
#include "app/selection_commands_win32.h"
#include "views/preset_list_win32.h"
#include "views/store_tree_win32.h"

namespace {

// A point of the frame's client area in the coordinates of its whole
// window, where the drag image is drawn.
POINT ClientToWindow(HWND window, POINT point) {
  RECT outer;
  GetWindowRect(window, &outer);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  return POINT{point.x + origin.x - outer.left, point.y + origin.y - outer.top};
}

VtRect ScreenClientRect(HWND control) {
  RECT rect = {};
  if (control != nullptr && GetClientRect(control, &rect)) {
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  }
  return VtRect{rect.left, rect.top, rect.right, rect.bottom};
}

void BeginDrag(FrameState& frame, Pane& source, FocusKind focus, DragImage image) {
  PresetDrag& drag = frame.presetDrag;
  drag.overTarget = false;
  drag.image.Reset(image.images);
  drag.sourcePane = source.index;
  drag.sourceFocus = focus;
  drag.sourceLabel[0] = '\0';
  drag.sourceKind = GetNodeInfo(source, GetSelectedNode(source), drag.sourceLabel, sizeof(drag.sourceLabel), nullptr, 0);

  ImageList_BeginDrag(drag.image.Get(), 0, image.hotspot.x, image.hotspot.y);
  DWORD at = GetMessagePos();
  POINT cursor = {static_cast<SHORT>(LOWORD(at)), static_cast<SHORT>(HIWORD(at))};
  ScreenToClient(frame.window, &cursor);
  POINT drawn = ClientToWindow(frame.window, cursor);
  ImageList_DragEnter(frame.window, drawn.x, drawn.y);

  drag.noDropCursor = LoadCursorA(nullptr, IDC_NO);
  drag.dropCursor = LoadCursorA(nullptr, IDC_ARROW);
  drag.previousCursor = SetCursor(drag.noDropCursor);
  // A refresh on activation would replace the records the drop copies.
  ModalState_Enter(frame.modal);
  frame.presetDragging = true;
  SetCapture(frame.window);
}

// Takes the image away, gives the mouse back and shows the cursor of
// before. The drag counts as over from here, so the capture change that
// releasing the mouse reports is not taken for a cancel.
void EndDragFeedback(FrameState& frame) {
  PresetDrag& drag = frame.presetDrag;
  frame.presetDragging = false;
  ImageList_DragLeave(frame.window);
  ImageList_EndDrag();
  drag.image.Reset();
  if (GetCapture() == frame.window) ReleaseCapture();
  SetCursor(drag.previousCursor != nullptr ? drag.previousCursor : drag.dropCursor);
}

void FinishDrag(FrameState& frame) {
  PresetDrag& drag = frame.presetDrag;
  drag.overTarget = false;
  drag.sourceFocus = FocusKind::None;
  drag.sourceKind = NodeKind::None;
  drag.sourceLabel[0] = '\0';
  drag.noDropCursor = drag.dropCursor = drag.previousCursor = nullptr;
  ModalState_Leave(frame.modal);
  UpdateToolbar(frame);
}

// After a drop on the target's list or on its tree's empty area: its tree selects the node that stands
// for the dragged one, scrolled to the top (selecting refills the list), or
// loses its selection when none does.
void ShowArrivedNode(Pane& target, HTREEITEM node) {
  if (node != nullptr && node == GetSelectedNode(target)) {
    FillPresetList(target, node);
    return;
  }
  if (node != nullptr) SendMessageA(target.tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(node));
  SendMessageA(target.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

// Whether a screen point lies on the row of a node of the pane's tree
// rather than on its empty area below the nodes.
bool IsOnTreeNode(const Pane& pane, POINT screen) {
  TVHITTESTINFO hit = {};
  hit.pt = screen;
  ScreenToClient(pane.tree, &hit.pt);
  return SendMessageA(pane.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) != 0;
}

}  // namespace

void BeginTreeDrag(FrameState& frame, Pane& pane, HTREEITEM node, POINT grab) {
  if (frame.presetDragging || node == nullptr) return;
  if (GetFocus() != pane.tree) SetFocus(pane.tree);
  SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
  BeginDrag(frame, pane, FocusKind::Tree, CreateTreeDragImage(pane.tree, node, grab));
}

void BeginListDrag(FrameState& frame, Pane& pane, POINT grab) {
  if (frame.presetDragging) return;
  if (GetFocus() != pane.list) SetFocus(pane.list);
  BeginDrag(frame, pane, FocusKind::List, CreateListDragImage(pane.list, grab, frame.dpi));
}

void MoveDrag(FrameState& frame, int32_t x, int32_t y) {
  if (!frame.presetDragging) return;
  PresetDrag& drag = frame.presetDrag;
  POINT screen = {x, y};
  ClientToScreen(frame.window, &screen);
  bool over = IsOverDropTarget(frame, DropTargetPane(drag.sourcePane), screen);
  if (over != drag.overTarget) {
    drag.overTarget = over;
    SetCursor(over ? drag.dropCursor : drag.noDropCursor);
  }
  POINT drawn = ClientToWindow(frame.window, POINT{x, y});
  ImageList_DragMove(drawn.x, drawn.y);
}

void Drop(FrameState& frame, int32_t x, int32_t y) {
  if (!frame.presetDragging) return;
  PresetDrag& drag = frame.presetDrag;
  int target = DropTargetPane(drag.sourcePane);
  POINT screen = {x, y};
  ClientToScreen(frame.window, &screen);
  bool over = IsOverDropTarget(frame, target, screen);
  PaneHit hit = HitTestPanes(frame, screen);
  EndDragFeedback(frame);
  if (over) {
    // The overwrite questions are asked from here, with the mouse free.
    PaneCopyResult copied = CopyPaneSelection(frame, frame.panes[drag.sourcePane], drag.sourceFocus);
    Pane& pane = frame.panes[target];
    if (hit.part == PanePart::List || !IsOnTreeNode(pane, screen)) {
      ShowArrivedNode(pane, FindCorrespondingNode(pane, drag.sourceKind, drag.sourceLabel, copied.copiedPresets));
    } else {
      FillPresetList(pane, GetSelectedNode(pane));
    }
  }
  FinishDrag(frame);
}

void CancelDrag(FrameState& frame) {
  if (!frame.presetDragging) return;
  EndDragFeedback(frame);
  FinishDrag(frame);
}

void OnDragCaptureChanged(FrameState& frame, HWND taker) {
  if (taker != frame.window) CancelDrag(frame);
}

PaneHit HitTestPanes(const FrameState& frame, POINT screen) {
  if (frame.paneCount < 2) return PaneHit{};
  PaneScreenRects rects[2];
  for (int index = 0; index < 2; ++index) {
    rects[index] = PaneScreenRects{ScreenClientRect(frame.panes[index].tree), ScreenClientRect(frame.panes[index].list)};
  }
  return HitTestPanes(rects, screen.x, screen.y);
}

bool IsOverDropTarget(const FrameState& frame, int target, POINT screen) {
  HWND under = WindowFromPoint(screen);
  PaneHit hit = HitTestPanes(frame, screen);
  if (under == nullptr || hit.pane != target) return false;
  const Pane& pane = frame.panes[target];
  HWND control = hit.part == PanePart::List ? pane.list : pane.tree;
  return under == control || IsChild(control, under);
}

HTREEITEM FindCorrespondingNode(Pane& target, NodeKind sourceKind, const char* sourceLabel, bool copiedPresets) {
  NodePath path = CorrespondingNodePath(sourceKind, sourceLabel, copiedPresets);
  if (path.depth == 0) return nullptr;
  // The package pane's groups lie below its root; the system pane's at the top.
  HTREEITEM node = nullptr;
  if (target.store == StoreId::Package) {
    node = reinterpret_cast<HTREEITEM>(SendMessageA(target.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (node == nullptr) return nullptr;
  }
  for (int32_t level = 0; level < path.depth; ++level) {
    node = FindChildNode(target, node, path.labels[level]);
    if (node == nullptr) return nullptr;
  }
  return node;
}
