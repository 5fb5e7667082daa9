// The splitters between each pane's tree and list: found under the mouse
// on every hit test, shown with the splitter cursor, pressed and dragged
// with the mouse captured. While a drag runs, no refresh replaces the
// stores (the drag's layout reads them through the views).
#include <windows.h>
#include <windowsx.h>

#include "app/frame_layout.h"
#include "app/frame_parts_win32.h"
#include "resource.h"

namespace {

PaneLayout LayoutOf(const Pane& pane) { return PaneLayout{pane.labelRect, pane.treeRect, pane.listRect, pane.split}; }

Pane& HoveredPane(FrameState& frame) { return frame.panes[frame.hover == 2 ? kSystemPane : kPackagePane]; }

void SetDrag(FrameState& frame, SplitterDrag drag) {
  bool wasIdle = frame.drag == SplitterDrag::Idle;
  frame.drag = drag;
  bool idle = drag == SplitterDrag::Idle;
  if (wasIdle && !idle) ModalState_Enter(frame.modal);
  if (!wasIdle && idle) ModalState_Leave(frame.modal);
}

}  // namespace

LRESULT OnNcHitTest(FrameState& frame, WPARAM wParam, LPARAM lParam) {
  LRESULT hit = DefWindowProcA(frame.window, WM_NCHITTEST, wParam, lParam);
  if (hit != HTCLIENT || GetCapture() != nullptr || frame.paneCount < 2) return hit;
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(frame.window, &point);
  RECT client;
  GetClientRect(frame.window, &client);
  frame.hover = SplitterAt(LayoutOf(frame.panes[kPackagePane]), LayoutOf(frame.panes[kSystemPane]), point.x,
                           point.y, client.bottom);
  return hit;
}

bool OnSetCursor(FrameState& frame, HWND window, UINT hitTest) {
  if (frame.busy > 0) {
    // Long work runs: over the frame and its controls alike.
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    return true;
  }
  if (hitTest != HTCLIENT || window != frame.window) return false;
  if (frame.splitterCursor == nullptr) {
    frame.splitterCursor = LoadCursorA(frame.instance, MAKEINTRESOURCEA(IDC_SPLITTER));
  }
  HCURSOR wanted = frame.hover != 0 && frame.splitterCursor != nullptr ? frame.splitterCursor
                                                                       : LoadCursorA(nullptr, IDC_ARROW);
  if (GetCursor() != wanted) SetCursor(wanted);
  return true;
}

void OnLeftButtonDown(FrameState& frame, int32_t x, int32_t y) {
  if (frame.presetDragging || frame.drag != SplitterDrag::Idle) return;
  if (frame.hover == 0) {
    SetFocus(frame.window);
    return;
  }
  SetDrag(frame, SplitterDrag::Pressed);
  frame.press = POINT{x, y};
  SetCapture(frame.window);
}

void OnMouseMove(FrameState& frame, int32_t x, int32_t y) {
  if (frame.presetDragging || GetCapture() != frame.window) return;
  Pane& pane = HoveredPane(frame);
  if (frame.drag == SplitterDrag::Pressed &&
      LeftDragRect(frame.press.x, frame.press.y, x, y, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG),
                   frame.dpi)) {
    SetDrag(frame, SplitterDrag::Dragging);
    frame.splitAtPress = pane.split;
  }
  if (frame.drag != SplitterDrag::Dragging) return;
  int32_t width = pane.paneRect.right - pane.paneRect.left;
  pane.chosenSplit = DraggedSplit(frame.splitAtPress, frame.press.x, x, width, frame.dpi);
  pane.chosenWidth = width;
  LayoutFrame(frame, 0);
  UpdateWindow(frame.window);
}

void OnLeftButtonUp(FrameState& frame) {
  if (frame.presetDragging) return;
  SetDrag(frame, SplitterDrag::Idle);
  if (GetCapture() == frame.window) ReleaseCapture();
}

// A drag whose capture went elsewhere (another window took the mouse)
// ends where it is.
void OnCaptureChanged(FrameState& frame) {
  if (frame.drag != SplitterDrag::Idle) SetDrag(frame, SplitterDrag::Idle);
}
