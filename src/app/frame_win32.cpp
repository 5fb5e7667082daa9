// The frame window: its class, creation and destruction in the order the
// program depends on, and a window procedure that hands each message to a
// named handler.
#include "app/frame_win32.h"

#include <windowsx.h>

#include <new>

#include "app/drag_drop_win32.h"
#include "app/frame_layout.h"
#include "app/frame_parts_win32.h"
#include "app/package_open_win32.h"
#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "kernel/window_placement_win32.h"
#include "resource.h"
#include "store/system_loader.h"
#include "views/preset_list_win32.h"
#include "views/store_tree_win32.h"

namespace {

constexpr int32_t kPlacementMetric = 100;

// The document named on the command line, or an untitled one when it
// cannot be opened.
void OpenStartDocument(FrameState& frame) {
  DocumentRecord named = frame.document;
  Document_SetUntitled(&frame.document);
  if ((named.flags & kDocUntitled) != 0 || named.path[0] == '\0') return;
  if (OpenPackage(frame, named.path, (named.flags & kDocReadOnly) != 0) < 0) {
    Document_SetUntitled(&frame.document);
    frame.stores.package = {};
  }
}

void PostDeferredRefresh(void* context) {
  PostMessageA(static_cast<FrameState*>(context)->window, kMsgDeferredRefresh, 0, 0);
}

LRESULT OnCreate(FrameState& frame) {
  frame.modal.refreshDue = PostDeferredRefresh;
  frame.modal.context = &frame;
  frame.history.guard = &frame.journal;
  HDC screen = GetDC(nullptr);
  frame.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  // A pane that could not be created has said so; the frame goes on
  // without filling its panes.
  int32_t panes = CreatePanes(frame);
  frame.accelerators.Reset(CreateFrameAccelerators());
  CreateToolbar(frame);
  frame.stores = {};
  if (panes < 0) return 0;
  RefreshSystemStore(frame.stores, frame.cache.get());
  RebuildStoreTree(frame.panes[kSystemPane], nullptr);
  OpenStartDocument(frame);
  RebuildStoreTree(frame.panes[kPackagePane], frame.document.path);
  return 0;
}

void OnDestroy(FrameState& frame) {
  CancelDrag(frame);
  VtWindowPlacement(frame.window, frame.settings, kPlacementMetric, VtPlacementMode::Save);
  RecentFiles_Save(frame.recent, frame.settings);
  SaveSplitPositions(frame);
  for (Pane& pane : frame.panes) {
    pane.treeImages.Reset();
    pane.listImages.Reset();
  }
  frame.stores = {};
  DestroyToolbar(frame);
  ClearUndo(frame.history);
  ClearRedo(frame.history);
  PostQuitMessage(0);
}

void OnSize(FrameState& frame, UINT how, int32_t width) {
  if (how != SIZE_MINIMIZED) LayoutFrame(frame, width);
}

void OnSetFocus(FrameState& frame) {
  HWND tree = frame.panes[frame.activePane].tree;
  if (tree != nullptr) SetFocus(tree);
}

// Etched lines above and below the toolbar.
void OnPaint(FrameState& frame) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(frame.window, &paint);
  if (frame.toolbar != nullptr) {
    RECT bar;
    GetWindowRect(frame.toolbar, &bar);
    MapWindowPoints(nullptr, frame.window, reinterpret_cast<POINT*>(&bar), 2);
    VtRect band = EtchedBand(VtRect{bar.left, bar.top, bar.right, bar.bottom}, frame.dpi);
    RECT edges = {band.left, band.top, band.right, band.bottom};
    DrawEdge(dc, &edges, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
  }
  EndPaint(frame.window, &paint);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* frame = static_cast<FrameState*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    frame->window = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
  }
  FrameState* frame = FrameOf(window);
  if (frame == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(*frame);
    case WM_DESTROY:
      OnDestroy(*frame);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      frame->window = nullptr;
      break;
    case WM_SIZE:
      OnSize(*frame, static_cast<UINT>(wParam), GET_X_LPARAM(lParam));
      return 0;
    case WM_SETFOCUS:
      OnSetFocus(*frame);
      return 0;
    case WM_PAINT:
      OnPaint(*frame);
      return 0;
    case WM_ACTIVATEAPP:
      OnActivateApp(*frame, wParam != 0);
      return 0;
    case WM_ENABLE:
      OnEnable(*frame, wParam != 0);
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(*frame, reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
      break;
    case WM_NOTIFY:
      return OnNotify(*frame, reinterpret_cast<NMHDR*>(lParam));
    case WM_NCHITTEST:
      return OnNcHitTest(*frame, wParam, lParam);
    case WM_COMMAND:
      if (OnCommand(*frame, LOWORD(wParam))) return 0;
      break;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lParam)) OnInitMenuPopup(*frame, reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_CLOSE:
      OnClose(*frame);
      return 0;
    case WM_DROPFILES:
      OpenDroppedFile(*frame, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDown(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (frame->presetDragging) {
        MoveDrag(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      } else {
        OnMouseMove(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      }
      return 0;
    case WM_LBUTTONUP:
      if (frame->presetDragging) {
        Drop(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      } else {
        OnLeftButtonUp(*frame);
      }
      return 0;
    case WM_CAPTURECHANGED:
      OnDragCaptureChanged(*frame, reinterpret_cast<HWND>(lParam));
      OnCaptureChanged(*frame);
      return 0;
    case kMsgDeferredRefresh:
      RunDeferredRefresh(*frame);
      return 0;
    case kMsgRefillPresetList:
      if (wParam < 2) RefreshPresetList(frame->panes[wParam]);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

FrameState* FrameOf(HWND window) { return reinterpret_cast<FrameState*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ORDALIS));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ORDALIS), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFrameClassName;
  return RegisterClassExA(&wc) != 0;
}

void UnregisterFrameClass(HINSTANCE instance) { UnregisterClassA(kFrameClassName, instance); }

int32_t CreateFrame(const FrameSetup& setup, std::unique_ptr<FrameState>* out) {
  std::unique_ptr<FrameState> frame(new (std::nothrow) FrameState);
  if (!frame) return E_OUTOFMEMORY;
  frame->instance = setup.instance;
  frame->settings = setup.settings;
  frame->strings = setup.strings;
  frame->document = setup.document;
  frame->cache = SystemStoreCache_Create();
  RecentFiles_Load(&frame->recent, setup.settings);
  HMENU menu = CreateFrameMenu(setup.strings);
  // Start-up applies the stored placement afterwards.
  HWND window = CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClassName, setup.caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, setup.instance,
                                frame.get());
  if (window == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return kWindowCreateFailed;
  }
  *out = std::move(frame);
  return 0;
}

int32_t ShowFrameBox(FrameState& frame, uint32_t flags, uint32_t textId, const char* argument) {
  ModalScope modal(frame.modal);
  return VtMsgBoxId(frame.strings, frame.window, flags, textId, argument);
}

void ShowFrameError(FrameState& frame, uint32_t operationId, int32_t status, const char* argument) {
  char operation[512];
  VtLoadString(frame.strings, operationId, operation, sizeof(operation));
  ModalScope modal(frame.modal);
  VtErrorHandler_MsgBox(frame.window, MB_OK | MB_ICONEXCLAMATION, VtOperationText(operation), status, argument,
                        false);
}

void UpdateFrameTitle(FrameState& frame) {
  char title[kTitleSize];
  Document_FormatTitle(&frame.document, frame.strings, title, sizeof(title));
  SetWindowTextA(frame.window, title);
}

FocusKind GetFocusKind(const FrameState& frame) {
  HWND focus = GetFocus();
  const Pane& pane = frame.panes[frame.activePane];
  if (focus != nullptr && focus == pane.tree) return FocusKind::Tree;
  if (focus != nullptr && focus == pane.list) return FocusKind::List;
  return FocusKind::None;
}

void MarkPackageModified(FrameState& frame) {
  frame.document.flags |= kDocModified;
  UpdateFrameTitle(frame);
  UpdateToolbar(frame);
}

void RefreshStorePane(FrameState& frame, StoreId store) {
  if (frame.paneCount < 2) return;
  bool package = store == StoreId::Package;
  Pane& pane = frame.panes[package ? kPackagePane : kSystemPane];
  RebuildStoreTree(pane, package ? frame.document.path : nullptr);
  pane.selectedKind = GetNodeInfo(pane, GetSelectedNode(pane), nullptr, 0, nullptr, 0);
  RefreshPresetList(pane);
  if (package) {
    MarkPackageModified(frame);
  } else {
    UpdateToolbar(frame);
  }
}
