// The toolbar: its buttons, its three image lists cut from the rows of the
// toolbar bitmap (normal, hot, disabled), its tooltips and its states.
#include <windows.h>
#include <commctrl.h>

#include "app/command_table.h"
#include "app/frame_images.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"

namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kToolbarRows = 3;

constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_LIST |
                                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE;

// Row `row` of the bitmap, copied into a screen-compatible bitmap, as an
// image list. Every drawing of the toolbar holds three rows of images.
ScopedImageList LoadToolbarRow(HBITMAP sheet, const BITMAP& size, int row) {
  int width = size.bmWidth / kToolbarImageCount;
  int height = size.bmHeight / kToolbarRows;
  ScopedImageList images(ImageList_Create(width, height, ILC_COLORDDB | ILC_MASK, kToolbarImageCount, 0));
  if (!images) return images;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  ScopedBitmap strip(CreateCompatibleBitmap(screen, size.bmWidth, height));
  if (source != nullptr && target != nullptr && strip) {
    HGDIOBJ oldSource = SelectObject(source, sheet);
    HGDIOBJ oldTarget = SelectObject(target, strip.Get());
    BitBlt(target, 0, 0, size.bmWidth, height, source, 0, row * height, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    ImageList_AddMasked(images.Get(), strip.Get(), kTransparent);
  }
  if (target != nullptr) DeleteDC(target);
  if (source != nullptr) DeleteDC(source);
  ReleaseDC(nullptr, screen);
  return images;
}

void LoadToolbarImages(FrameState& frame) {
  ScopedBitmap sheet(static_cast<HBITMAP>(LoadImageA(frame.instance,
                                                      MAKEINTRESOURCEA(ChooseImageSet(frame.dpi).toolbarBitmap),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP size = {};
  if (!sheet || GetObjectA(sheet.Get(), sizeof(size), &size) == 0) return;
  frame.toolbarNormal = LoadToolbarRow(sheet.Get(), size, 0);
  frame.toolbarHot = LoadToolbarRow(sheet.Get(), size, 1);
  frame.toolbarDisabled = LoadToolbarRow(sheet.Get(), size, 2);
}

void EnableButton(const FrameState& frame, int command, bool enabled) {
  SendMessageA(frame.toolbar, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

}  // namespace

int32_t CreateToolbar(FrameState& frame) {
  frame.toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", kToolbarStyle, 0, 0, 0, 0, frame.window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), frame.instance, nullptr);
  if (frame.toolbar == nullptr) return kWindowCreateFailed;
  SendMessageA(frame.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(frame.toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  LoadToolbarImages(frame);
  SendMessageA(frame.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(frame.toolbarNormal.Get()));
  SendMessageA(frame.toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(frame.toolbarHot.Get()));
  SendMessageA(frame.toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(frame.toolbarDisabled.Get()));
  TBBUTTON buttons[kToolbarButtonCount] = {};
  for (size_t i = 0; i < kToolbarButtonCount; ++i) {
    const ToolbarButton& button = kToolbarButtons[i];
    buttons[i].idCommand = button.command;
    buttons[i].iBitmap = button.command != 0 ? button.image : 0;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = button.command != 0 ? BTNS_AUTOSIZE : BTNS_SEP;
    buttons[i].iString = -1;
  }
  SendMessageA(frame.toolbar, TB_ADDBUTTONSA, kToolbarButtonCount, reinterpret_cast<LPARAM>(buttons));
  SendMessageA(frame.toolbar, TB_AUTOSIZE, 0, 0);
  ShowWindow(frame.toolbar, SW_SHOW);
  return 0;
}

void DestroyToolbar(FrameState& frame) {
  if (frame.toolbar != nullptr) {
    SendMessageA(frame.toolbar, TB_SETIMAGELIST, 0, 0);
    SendMessageA(frame.toolbar, TB_SETHOTIMAGELIST, 0, 0);
    SendMessageA(frame.toolbar, TB_SETDISABLEDIMAGELIST, 0, 0);
    DestroyWindow(frame.toolbar);
    frame.toolbar = nullptr;
  }
  frame.toolbarNormal.Reset();
  frame.toolbarHot.Reset();
  frame.toolbarDisabled.Reset();
}

// The enabling rules of the other commands come with them; until then
// Undo and Redo follow the history.
void UpdateToolbar(FrameState& frame) {
  if (frame.toolbar == nullptr) return;
  EnableButton(frame, ID_EDIT_UNDO, GetUndoCount(frame.history) > 0);
  EnableButton(frame, ID_EDIT_REDO, GetRedoCount(frame.history) > 0);
}

LRESULT OnToolbarTooltip(FrameState& frame, NMHDR* header) {
  uint32_t text = ToolbarTooltip(static_cast<int32_t>(header->idFrom));
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->hinst = nullptr;
    info->lpszText = info->szText;
    info->szText[0] = '\0';
    if (text != 0) VtLoadString(frame.strings, text, info->szText, sizeof(info->szText));
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    char narrow[80] = {};
    if (text != 0) VtLoadString(frame.strings, text, narrow, sizeof(narrow));
    info->hinst = nullptr;
    info->lpszText = info->szText;
    Text_ToUtf16(narrow, reinterpret_cast<char16_t*>(info->szText), sizeof(info->szText) / sizeof(info->szText[0]));
  }
  return 0;
}
