// The two panes: their caption labels, trees and lists with their images
// and font, their split positions, and the frame's layout.
#include <windows.h>
#include <commctrl.h>

#include "app/app_win32.h"
#include "app/find_box_win32.h"
#include "app/frame_images.h"
#include "app/frame_layout.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/metrics.h"
#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "resource.h"
#include "views/pane_caption_win32.h"

namespace {

constexpr int32_t kNodeImageCount = 6;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

constexpr DWORD kTreeStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_INFOTIP;
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_LIST | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_EDITLABELS;

int32_t SplitMetric(int pane) { return pane == kPackagePane ? kPackageSplitMetric : kSystemSplitMetric; }

ScopedImageList LoadNodeImages(const FrameState& frame) {
  ImageSet set = ChooseImageSet(frame.dpi);
  ScopedImageList images(ImageList_Create(set.nodeSize, set.nodeSize, ILC_COLOR24 | ILC_MASK, kNodeImageCount, 12));
  ScopedBitmap bitmap(static_cast<HBITMAP>(
      LoadImageA(frame.instance, MAKEINTRESOURCEA(set.nodesBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (images && bitmap) ImageList_AddMasked(images.Get(), bitmap.Get(), kTransparent);
  return images;
}

HWND CreateChild(const FrameState& frame, DWORD exStyle, const char* className, const char* text, DWORD style,
                 int id) {
  HWND child = CreateWindowExA(exStyle, className, text, style, 0, 0, 0, 0, frame.window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), frame.instance, nullptr);
  if (child != nullptr && frame.font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(frame.font.Get()), 0);
  return child;
}

// The message font of the system, scaled for the screen already.
ScopedFont CreateUiFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return ScopedFont();
  return ScopedFont(CreateFontIndirectA(&metrics.lfMessageFont));
}

int32_t CreatePane(FrameState& frame, Pane& pane, int index) {
  pane.index = index;
  pane.store = index == kPackagePane ? StoreId::Package : StoreId::System;
  pane.parent = frame.window;
  pane.stores = &frame.stores;
  pane.modal = &frame.modal;
  pane.strings = frame.strings;

  char caption[128];
  VtLoadString(frame.strings, index == kPackagePane ? IDS_PACKAGE_PANE : IDS_SYSTEM_PANE, caption, sizeof(caption));
  pane.label = CreateChild(frame, 0, "STATIC", caption, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, PaneLabelId(index));
  if (pane.label == nullptr) return kWindowCreateFailed;
  pane.tree = CreateChild(frame, WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", kTreeStyle, PaneTreeId(index));
  if (pane.tree == nullptr) return kWindowCreateFailed;
  SendMessageA(pane.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  pane.treeImages = LoadNodeImages(frame);
  SendMessageA(pane.tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(pane.treeImages.Get()));
  pane.list = CreateChild(frame, WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", kListStyle, PaneListId(index));
  if (pane.list == nullptr) return kWindowCreateFailed;
  // Tips for names the list cuts short and for entries of the same name.
  SendMessageA(pane.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
  pane.listImages = LoadNodeImages(frame);
  SendMessageA(pane.list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(pane.listImages.Get()));
  SendMessageA(pane.list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pane.listImages.Get()));
  int32_t stored = VtGetMetricEx(frame.settings, SplitMetric(index), 0, kMaxStoredSplit, kDefaultSplit);
  pane.split = pane.chosenSplit = SplitFromSetting(stored, frame.dpi);
  return 0;
}

RECT ToRect(const VtRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void LayoutPaneWindows(FrameState& frame, Pane& pane, const VtRect& rect) {
  SIZE label = MeasurePaneLabel(pane);
  int32_t split = ProportionalSplit(pane.chosenSplit, pane.chosenWidth, rect.right - rect.left);
  PaneLayout layout = LayoutPane(rect, label.cx, label.cy, split, frame.dpi);
  pane.paneRect = rect;
  pane.split = layout.split;
  pane.labelRect = layout.label;
  pane.treeRect = layout.tree;
  pane.listRect = layout.list;
  HDWP batch = BeginDeferWindowPos(3);
  struct Placed {
    HWND window;
    VtRect rect;
    HWND after;
    UINT flags;
  } placed[] = {{pane.label, layout.label, HWND_BOTTOM, SWP_NOACTIVATE},
                {pane.tree, layout.tree, nullptr, SWP_NOACTIVATE | SWP_NOZORDER},
                {pane.list, layout.list, nullptr, SWP_NOACTIVATE | SWP_NOZORDER}};
  for (const Placed& p : placed) {
    RECT r = ToRect(p.rect);
    if (batch != nullptr) {
      batch = DeferWindowPos(batch, p.window, p.after, r.left, r.top, r.right - r.left, r.bottom - r.top, p.flags);
    }
  }
  if (batch != nullptr) EndDeferWindowPos(batch);
  // The caption is not always drawn again where it was moved to.
  InvalidateRect(pane.label, nullptr, TRUE);
}

}  // namespace

int32_t CreatePanes(FrameState& frame) {
  frame.font = CreateUiFont();
  for (int index = kPackagePane; index <= kSystemPane; ++index) {
    int32_t status = CreatePane(frame, frame.panes[index], index);
    if (status < 0) {
      ModalScope modal(frame.modal);
      VtErrorHandler_MsgBox(frame.window, MB_OK | MB_ICONINFORMATION, kOperationStartup, status, nullptr, false);
      return status;
    }
    frame.paneCount = index + 1;
  }
  return 0;
}

void LayoutFrame(FrameState& frame, int32_t sizeWidth) {
  RECT client;
  GetClientRect(frame.window, &client);
  if (frame.toolbar != nullptr) {
    SIZE most = {0, 0};
    SendMessageA(frame.toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&most));
    VtRect bar = PlaceToolbar(client.right, sizeWidth, most.cy, frame.dpi);
    SetWindowPos(frame.toolbar, nullptr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutFindBox(frame, RECT{bar.left, bar.top, bar.right, bar.bottom});
  }
  VtRect rects[2];
  PlacePanes(client.right, client.bottom, frame.dpi, &rects[kPackagePane], &rects[kSystemPane]);
  for (int index = 0; index < frame.paneCount; ++index) LayoutPaneWindows(frame, frame.panes[index], rects[index]);
}

// Only what the user chose is kept, not what a small window made of it.
void SaveSplitPositions(const FrameState& frame) {
  for (int index = 0; index < frame.paneCount; ++index) {
    VtSetMetric(frame.settings, SplitMetric(index), SplitToSetting(frame.panes[index].chosenSplit, frame.dpi));
  }
}

void AnchorSplits(FrameState& frame) {
  for (int index = 0; index < frame.paneCount; ++index) {
    Pane& pane = frame.panes[index];
    int32_t width = pane.paneRect.right - pane.paneRect.left;
    if (pane.chosenWidth == 0 && width > 0) pane.chosenWidth = width;
  }
}
