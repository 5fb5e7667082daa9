// The frame window: its class, creation and destruction in the order the
// program depends on, and a window procedure that hands each message to a
// named handler.
#include "app/frame_win32.h"

#include <windowsx.h>

#include <new>

#include "app/frame_layout.h"
#include "app/frame_parts_win32.h"
#include "app/package_open_win32.h"
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
  HDC screen = GetDC(nullptr);
  frame.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  // A pane that could not be created has said so; the frame goes on
  // without filling its panes.
  int32_t panes = CreatePanes(frame);
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
  VtWindowPlacement(frame.window, frame.settings, kPlacementMetric, VtPlacementMode::Save);
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDown(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(*frame, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(*frame);
      return 0;
    case WM_CAPTURECHANGED:
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
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINFRAME);
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
  // Start-up applies the stored placement afterwards.
  HWND window = CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClassName, setup.caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, setup.instance,
                                frame.get());
  if (window == nullptr) return kWindowCreateFailed;
  *out = std::move(frame);
  return 0;
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
