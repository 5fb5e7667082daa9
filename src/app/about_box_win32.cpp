// The about box: the program's icon, name, version and build, and where it
// keeps the presets of this computer and its own settings.
#include <windows.h>

#include "app/dialog_font_win32.h"
#include "app/frame_parts_win32.h"
#include "app/text_stack.h"
#include "kernel/format.h"
#include "kernel/metrics.h"
#include "kernel/product.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"
#include "store/store_layout.h"

namespace {

constexpr const char* kUserHive = "HKEY_CURRENT_USER\\";

struct AboutBox {
  const FrameState* frame;
  ScopedFont nameFont;
};

// The texts in the order they stand, top to bottom.
constexpr int kStackedTexts[] = {IDC_ABOUT_NAME,           IDC_ABOUT_VERSION, IDC_ABOUT_STORE_INTRO, IDC_ABOUT_STORE,
                                 IDC_ABOUT_SETTINGS_INTRO, IDC_ABOUT_SETTINGS};
constexpr size_t kStackedCount = sizeof(kStackedTexts) / sizeof(kStackedTexts[0]);

RECT RectInDialog(HWND dialog, HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The height the static's text takes, wrapped at the static's width in its font.
int32_t TextHeight(HWND control) {
  char text[1024];
  int length = GetWindowTextA(control, text, sizeof(text));
  RECT r = {};
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  DrawTextA(dc, length > 0 ? text : " ", length > 0 ? length : 1, &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.bottom - r.top;
}

// The texts' lengths and wrapping depend on the font the screen's DPI gives;
// each one gets the lines it needs, and the button and the box move down
// by what the texts grew.
void LayoutAboutTexts(HWND dialog) {
  StackedBox boxes[kStackedCount];
  int32_t needed[kStackedCount];
  HWND controls[kStackedCount];
  for (size_t i = 0; i < kStackedCount; ++i) {
    controls[i] = GetDlgItem(dialog, kStackedTexts[i]);
    if (controls[i] == nullptr) return;
    RECT r = RectInDialog(dialog, controls[i]);
    boxes[i] = StackedBox{r.top, r.bottom - r.top};
    needed[i] = TextHeight(controls[i]);
  }
  int32_t grown = StackBoxes(boxes, needed, kStackedCount);
  for (size_t i = 0; i < kStackedCount; ++i) {
    RECT r = RectInDialog(dialog, controls[i]);
    SetWindowPos(controls[i], nullptr, r.left, boxes[i].top, r.right - r.left, boxes[i].height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (grown <= 0) return;
  HWND ok = GetDlgItem(dialog, IDOK);
  if (ok != nullptr) {
    RECT r = RectInDialog(dialog, ok);
    SetWindowPos(ok, nullptr, r.left, r.top + grown, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  }
  RECT box = {};
  GetWindowRect(dialog, &box);
  SetWindowPos(dialog, nullptr, 0, 0, box.right - box.left, box.bottom - box.top + grown,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void OnInitAbout(HWND dialog, AboutBox& about) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&about));
  const FrameState& frame = *about.frame;
  HWND name = GetDlgItem(dialog, IDC_ABOUT_NAME);
  about.nameFont = CreateHeadingFont(name, 120);
  if (about.nameFont) SendMessageA(name, WM_SETFONT, reinterpret_cast<WPARAM>(about.nameFont.Get()), FALSE);
  SetWindowTextA(name, kProductFullName);

  char format[128], version[128];
  VtLoadString(frame.strings, IDS_ABOUT_VERSION, format, sizeof(format));
  VtSnPrintF(version, sizeof(version), format, kProductVersion >> 24, (kProductVersion >> 16) & 0xFF,
             kProductVersion & 0xFFFF);
  SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version);

  char keys[512] = {};
  for (const char* key : {kDirectShowPresetsKey, kEditorPresetsKey, kChainsKey}) {
    if (keys[0] != '\0') Text_Append(keys, sizeof(keys), "\r\n");
    Text_Append(keys, sizeof(keys), kUserHive);
    Text_Append(keys, sizeof(keys), key);
  }
  SetDlgItemTextA(dialog, IDC_ABOUT_STORE, keys);
  char settings[512];
  Text_Copy(settings, sizeof(settings), kUserHive);
  Text_Append(settings, sizeof(settings), VtMetric_KeyPath(frame.settings));
  SetDlgItemTextA(dialog, IDC_ABOUT_SETTINGS, settings);
  LayoutAboutTexts(dialog);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitAbout(dialog, *reinterpret_cast<AboutBox*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAbout(FrameState& frame) {
  AboutBox about = {&frame, ScopedFont()};
  ModalScope modal(frame.modal);
  DialogBoxParamA(frame.instance, MAKEINTRESOURCEA(IDD_ABOUT), frame.window, AboutProc,
                  reinterpret_cast<LPARAM>(&about));
}
