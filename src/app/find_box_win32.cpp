// The find box: an edit control over the toolbar's row, subclassed for the
// keys that act on the panes (Escape, Enter, Ctrl+Tab), and the narrowing of
// both panes as its text changes.
#include "app/find_box_win32.h"

#include <commctrl.h>

#include "app/find_box_layout.h"
#include "app/frame_layout.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/strings.h"
#include "model/names.h"
#include "model/record_filter.h"
#include "platform/text.h"
#include "resource.h"
#include "views/preset_list_win32.h"
#include "views/store_tree_win32.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int32_t kBoxPadding = 8;  // 96-DPI pixels added to the height of its text

const char* PackagePathOf(const FrameState& frame, const Pane& pane) {
  return pane.store == StoreId::Package ? frame.document.path : nullptr;
}

HTREEITEM GetNextNode(const Pane& pane, HTREEITEM node, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(pane.tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
}

bool IsCtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// Keys the frame's accelerators do not see while the box has the focus.
bool OnBoxKey(FrameState& frame, HWND box, WPARAM key) {
  switch (key) {
    case VK_ESCAPE:
      if (GetWindowTextLengthA(box) > 0) SetWindowTextA(box, "");
      return true;
    case VK_RETURN:
      FocusFirstMatch(frame);
      return true;
    case VK_TAB:
      if (!IsCtrlDown()) return false;
      MoveFocus(frame, (GetKeyState(VK_SHIFT) & 0x8000) == 0);
      return true;
    case 'F':
    case 'E':
      if (!IsCtrlDown()) return false;
      SendMessageA(box, EM_SETSEL, 0, -1);
      return true;
    default:
      return false;
  }
}

// The characters of the keys above would only make the box beep.
bool IsSwallowedCharacter(WPARAM character) {
  return character == '\r' || character == '\n' || character == 0x1B || character == '\t' || character == 0x05 ||
         character == 0x06;
}

LRESULT CALLBACK FindBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  FrameState& frame = *reinterpret_cast<FrameState*>(data);
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (OnBoxKey(frame, box, wParam)) return 0;
      break;
    case WM_CHAR:
      if (IsSwallowedCharacter(wParam)) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, FindBoxProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// The box is as high as its font's text with room above and below.
int32_t BoxHeight(const FrameState& frame) {
  HDC dc = GetDC(frame.findBox);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(frame.findBox, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(frame.findBox, dc);
  return metrics.tmHeight + ScalePixels(kBoxPadding, frame.dpi);
}

// The tree and list of one pane brought in line with the find: a pane
// leaving its whole view remembers its selection first, and gets it back
// when it is whole again.
void NarrowPane(FrameState& frame, Pane& pane, bool wasActive) {
  PaneSelectionMemory& memory = frame.beforeFind[pane.index];
  if (!wasActive && frame.find.IsActive()) RememberSelection(pane, &memory);
  RebuildStoreTree(pane, PackagePathOf(frame, pane));
  pane.selectedKind = GetNodeInfo(pane, GetSelectedNode(pane), nullptr, 0, nullptr, 0);
  RefreshPresetList(pane);
  if (!frame.find.IsActive()) RestoreSelection(pane, &memory);
}

// The selected node shows nothing: the first plug-in holding a match is
// selected instead, or else the chains.
void SelectFirstMatchNode(Pane& pane) {
  HTREEITEM top = pane.store == StoreId::Package ? GetNextNode(pane, nullptr, TVGN_ROOT) : nullptr;
  if (pane.store == StoreId::Package && top == nullptr) return;
  HTREEITEM group = FindChildNode(pane, top, kPlugInGroupLabel);
  HTREEITEM node = group != nullptr ? GetNextNode(pane, group, TVGN_CHILD) : nullptr;
  if (node == nullptr) node = FindChildNode(pane, top, kChainGroupLabel);
  if (node != nullptr) SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

}  // namespace

int32_t CreateFindBox(FrameState& frame) {
  frame.findBox = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                  frame.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFindBoxId)),
                                  frame.instance, nullptr);
  if (frame.findBox == nullptr) return kWindowCreateFailed;
  if (frame.font) SendMessageA(frame.findBox, WM_SETFONT, reinterpret_cast<WPARAM>(frame.font.Get()), 0);
  SendMessageA(frame.findBox, EM_LIMITTEXT, kNameChars, 0);
  char cue[128];
  VtLoadString(frame.strings, IDS_FIND_CUE, cue, sizeof(cue));
  char16_t wide[128];
  Text_ToUtf16(cue, wide, sizeof(wide) / sizeof(wide[0]));
  SendMessageA(frame.findBox, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(wide));
  SetWindowSubclass(frame.findBox, FindBoxProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&frame));
  for (Pane& pane : frame.panes) pane.filter = &frame.find;
  return 0;
}

void LayoutFindBox(FrameState& frame, const RECT& toolbar) {
  if (frame.findBox == nullptr) return;
  SIZE buttons = {0, 0};
  if (frame.toolbar != nullptr) SendMessageA(frame.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&buttons));
  VtRect box = PlaceFindBox(VtRect{toolbar.left, toolbar.top, toolbar.right, toolbar.bottom}, buttons.cx,
                            BoxHeight(frame), frame.dpi);
  bool shown = box.right > box.left;
  SetWindowPos(frame.findBox, HWND_TOP, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void FocusFindBox(FrameState& frame) {
  if (frame.findBox == nullptr || !IsWindowVisible(frame.findBox)) return;
  SetFocus(frame.findBox);
  SendMessageA(frame.findBox, EM_SETSEL, 0, -1);
}

void OnFindTextChanged(FrameState& frame) {
  if (frame.paneCount < 2) return;
  char text[kNameSize * 2] = {};
  GetWindowTextA(frame.findBox, text, sizeof(text));
  bool wasActive = frame.find.IsActive();
  // Short of memory, the panes are shown whole rather than wrongly narrowed.
  if (frame.find.SetText(text) != 0) frame.find.Clear();
  if (!wasActive && !frame.find.IsActive()) return;
  for (Pane& pane : frame.panes) NarrowPane(frame, pane, wasActive);
  UpdateToolbar(frame);
}

void FocusFirstMatch(FrameState& frame) {
  if (frame.paneCount < 2) return;
  for (Pane& pane : frame.panes) {
    if (CountKeptItems(pane.Records(), frame.find).kept == 0) continue;
    if (SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0) == 0) SelectFirstMatchNode(pane);
    if (SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0) == 0) {
      SetFocus(pane.tree);
      return;
    }
    if (SendMessageA(pane.list, LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
      LVITEMA state = {};
      state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageA(pane.list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    SetFocus(pane.list);
    return;
  }
}

bool FindBoxHasFocus(const FrameState& frame) { return frame.findBox != nullptr && GetFocus() == frame.findBox; }
