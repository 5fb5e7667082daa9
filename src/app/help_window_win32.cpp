// The help window: the topics of the program's help in a list, the chosen
// topic's heading and text beside it. A modal dialog owned by the frame,
// which may be resized; its text is a resource (res/help.txt).
#include <windows.h>

#include <vector>

#include "app/app_win32.h"
#include "app/dialog_font_win32.h"
#include "app/frame_parts_win32.h"
#include "app/help_text.h"
#include "kernel/msgbox.h"
#include "resource.h"

namespace {

constexpr int32_t kResourceMissing = static_cast<int32_t>(0x8004E00E);
constexpr int kTabStop = 76;  // dialog units: where a shortcut's meaning starts
constexpr int kTextMargin = 6;

// A control's place, kept from the start so that resizing can move it.
struct Anchor {
  int id;
  bool moveX, moveY, growX, growY;
  RECT start;
};

struct HelpWindow {
  std::vector<HelpTopic> topics;
  ScopedFont headingFont;
  SIZE startClient = {};
  Anchor anchors[4] = {
      {IDC_HELP_TOPICS, false, false, false, true, {}},
      {IDC_HELP_HEADING, false, false, true, false, {}},
      {IDC_HELP_TEXT, false, false, true, true, {}},
      {IDCANCEL, true, true, false, false, {}},
  };
};

int32_t LoadHelp(HINSTANCE instance, std::vector<HelpTopic>* topics) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_HELP_TEXT), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const char* text = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (text == nullptr) return kResourceMissing;
  int32_t status = ParseHelpText(text, SizeofResource(instance, found), topics);
  if (status < 0) return status;
  return topics->empty() ? kResourceMissing : 0;
}

void ShowTopic(HWND dialog, const HelpWindow& help, int index) {
  if (index < 0 || static_cast<size_t>(index) >= help.topics.size()) return;
  SetDlgItemTextA(dialog, IDC_HELP_HEADING, help.topics[index].title.c_str());
  SetDlgItemTextA(dialog, IDC_HELP_TEXT, help.topics[index].text.c_str());
}

void OnInitHelp(HWND dialog, HelpWindow& help) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&help));
  RECT client;
  GetClientRect(dialog, &client);
  help.startClient = {client.right, client.bottom};
  for (Anchor& anchor : help.anchors) {
    GetWindowRect(GetDlgItem(dialog, anchor.id), &anchor.start);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&anchor.start), 2);
  }
  HWND heading = GetDlgItem(dialog, IDC_HELP_HEADING);
  help.headingFont = CreateHeadingFont(heading, 130);
  if (help.headingFont) SendMessageA(heading, WM_SETFONT, reinterpret_cast<WPARAM>(help.headingFont.Get()), FALSE);
  HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
  int tabStop = kTabStop;
  SendMessageA(text, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  RECT margin = {0, 0, kTextMargin, 0};
  MapDialogRect(dialog, &margin);
  SendMessageA(text, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin.right, margin.right));
  HWND list = GetDlgItem(dialog, IDC_HELP_TOPICS);
  for (const HelpTopic& topic : help.topics) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(topic.title.c_str()));
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ShowTopic(dialog, help, 0);
}

void OnSizeHelp(HWND dialog, const HelpWindow& help, int width, int height) {
  int dx = width - help.startClient.cx, dy = height - help.startClient.cy;
  for (const Anchor& anchor : help.anchors) {
    const RECT& r = anchor.start;
    int x = r.left + (anchor.moveX ? dx : 0), y = r.top + (anchor.moveY ? dy : 0);
    int cx = r.right - r.left + (anchor.growX ? dx : 0), cy = r.bottom - r.top + (anchor.growY ? dy : 0);
    SetWindowPos(GetDlgItem(dialog, anchor.id), nullptr, x, y, cx > 0 ? cx : 0, cy > 0 ? cy : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(dialog, nullptr, TRUE);
}

void OnHelpCommand(HWND dialog, const HelpWindow& help, WPARAM wParam) {
  if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
    EndDialog(dialog, IDCANCEL);
  } else if (LOWORD(wParam) == IDC_HELP_TOPICS && HIWORD(wParam) == LBN_SELCHANGE) {
    ShowTopic(dialog, help, static_cast<int>(SendDlgItemMessageA(dialog, IDC_HELP_TOPICS, LB_GETCURSEL, 0, 0)));
  }
}

// The text reads on the window's colour, though it cannot be edited.
INT_PTR OnHelpColour(HWND dialog, HDC dc, HWND control) {
  if (control != GetDlgItem(dialog, IDC_HELP_TEXT)) return FALSE;
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

INT_PTR CALLBACK HelpProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    OnInitHelp(dialog, *reinterpret_cast<HelpWindow*>(lParam));
    return TRUE;
  }
  auto* help = reinterpret_cast<HelpWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (help == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      OnHelpCommand(dialog, *help, wParam);
      return TRUE;
    case WM_SIZE:
      OnSizeHelp(dialog, *help, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnHelpColour(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
      return FALSE;
  }
}

}  // namespace

void ShowHelp(FrameState& frame) {
  HelpWindow help;
  int32_t status = LoadHelp(frame.instance, &help.topics);
  ModalScope modal(frame.modal);
  if (status < 0) {
    VtErrorHandler_MsgBox(frame.window, MB_OK | MB_ICONEXCLAMATION, kOperationGeneral, status, nullptr, false);
    return;
  }
  DialogBoxParamA(frame.instance, MAKEINTRESOURCEA(IDD_HELP), frame.window, HelpProc,
                  reinterpret_cast<LPARAM>(&help));
}
