// The about box: the program's icon, name, version and build, and where it
// keeps the presets of this computer and its own settings.
#include <windows.h>

#include "app/dialog_font_win32.h"
#include "app/frame_parts_win32.h"
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
