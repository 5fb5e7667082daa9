// The Windows message boxes: the system's box placed over its owner, and the
// custom box built from an in-memory dialog template.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "kernel/kernel.h"
#include "kernel/msgbox_backend.h"
#include "kernel/window_placement_win32.h"
#include "platform/text.h"

namespace {

HWND ResolveOwner(VtWindow owner, VtWindow defaultOwner) {
  if (owner == VtOwnerNone()) return nullptr;
  if (owner != kVtOwnerDefault) return static_cast<HWND>(owner);
  HWND fallback = static_cast<HWND>(defaultOwner);
  return fallback != nullptr && IsWindow(fallback) ? GetLastActivePopup(fallback) : nullptr;
}

// Centres `box` over its owner, a third of the way down (over the screen
// when the owner is missing or minimised), inside its monitor's work area.
void PlaceOverOwner(HWND box, HWND owner) {
  RECT ownerRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner != nullptr && IsWindow(owner) && !IsIconic(owner)) GetWindowRect(owner, &ownerRect);
  RECT boxRect;
  GetWindowRect(box, &boxRect);
  VtRect over = {ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom};
  VtRect placed = VtGeometry_PlaceOver(over, boxRect.right - boxRect.left, boxRect.bottom - boxRect.top);
  placed = VtGeometry_ForceOnto(placed, VtWorkAreaFor(placed), 0, 0);
  SetWindowPos(box, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system box is found when it activates: a dialog whose text is our
// caption. The hook lives for one MessageBox call on this thread.
struct SystemBoxPlacement {
  HHOOK hook;
  HWND owner;
  const char* caption;
  bool placed;
};
thread_local SystemBoxPlacement* t_placement = nullptr;

LRESULT CALLBACK PlaceSystemBox(int code, WPARAM wParam, LPARAM lParam) {
  SystemBoxPlacement* p = t_placement;
  if (p == nullptr) return 0;
  if (code == HCBT_ACTIVATE && !p->placed) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[16], text[kVtCaptionSize];
    if (GetClassNameA(box, className, sizeof(className)) > 0 && strcmp(className, "#32770") == 0 &&
        GetWindowTextA(box, text, sizeof(text)) >= 0 && strcmp(text, p->caption) == 0) {
      p->placed = true;
      PlaceOverOwner(box, p->owner);
    }
  }
  return CallNextHookEx(p->hook, code, wParam, lParam);
}

// An in-memory dialog template: a DLGTEMPLATE and its items, each item on a
// four-byte boundary. The texts are set when the dialog starts, so the
// template stays small and of bounded size.
class DialogTemplate {
 public:
  void Header(DWORD style, WORD itemCount) {
    Dword(style);
    Dword(0);  // extended style
    Word(itemCount);
    for (int i = 0; i < 4; ++i) Word(0);  // position and size: set at start
    Word(0);                               // no menu
    Word(0);                               // the standard dialog class
    Word(0);                               // no title yet
    Word(8);                               // the default dialog font, 8 points
    String(L"MS Shell Dlg");
  }
  void Item(DWORD style, WORD id, WORD classAtom) {
    if (used_ % 2 != 0) Word(0);
    Dword(style | WS_CHILD);
    Dword(0);
    for (int i = 0; i < 4; ++i) Word(0);
    Word(id);
    Word(0xFFFF);
    Word(classAtom);
    Word(0);  // no title
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_); }

 private:
  void Word(WORD w) {
    if (used_ < kCapacity) words_[used_++] = w;
  }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void String(const wchar_t* s) {
    do {
      Word(static_cast<WORD>(*s));
    } while (*s++ != 0);
  }

  static constexpr size_t kCapacity = 256;  // a header and ten items need about 130
  alignas(4) WORD words_[kCapacity] = {};
  size_t used_ = 0;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct CustomBox {
  const VtMsgBoxQuestion* question;
  HWND owner;
  bool hasCancelButton;
  bool detailsShown;
  int32_t collapsedHeight;  // window heights with the details hidden and shown
  int32_t expandedHeight;
};

LPCSTR IconFor(uint32_t flags) {
  switch (flags & kVtMbIconMask) {
    case kVtMbIconHand: return IDI_HAND;
    case kVtMbIconQuestion: return IDI_QUESTION;
    case kVtMbIconExclamation: return IDI_EXCLAMATION;
    case kVtMbIconAsterisk: return IDI_ASTERISK;
    default: return nullptr;
  }
}

int32_t TextWidth(HDC dc, const char* text) {
  RECT r = {0, 0, 0, 0};
  DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

RECT DialogUnits(HWND dialog, int32_t x, int32_t y) {
  RECT r = {0, 0, x, y};
  MapDialogRect(dialog, &r);
  return r;
}

// Sizes and places every control from the font's measurements.
void Layout(HWND dialog, CustomBox* box) {
  const VtMsgBoxQuestion& q = *box->question;
  HDC dc = GetDC(dialog);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));

  RECT margin = DialogUnits(dialog, 7, 7);
  RECT button = DialogUnits(dialog, 50, 14);
  RECT gap = DialogUnits(dialog, 4, 4);
  RECT textLimit = DialogUnits(dialog, 260, 60);
  int32_t buttonWidth = button.right;
  for (int32_t i = 0; i < q.buttons.count; ++i) {
    buttonWidth = std::max<int32_t>(buttonWidth, TextWidth(dc, VtKernel_Text(q.buttons.textIds[i])) + 2 * margin.right);
  }
  bool details = q.details != nullptr;
  if (details) buttonWidth = std::max<int32_t>(buttonWidth, TextWidth(dc, VtKernel_Text(kVtTextDetailsHide)) + 2 * margin.right);
  RECT text = {0, 0, textLimit.right, 0};
  DrawTextA(dc, q.text, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, oldFont);
  ReleaseDC(dialog, dc);

  bool hasIcon = IconFor(q.flags) != nullptr;
  int32_t iconSize = hasIcon ? GetSystemMetrics(SM_CXICON) : 0;
  int32_t iconSpace = hasIcon ? iconSize + margin.right : 0;
  int32_t buttonCount = q.buttons.count + (details ? 1 : 0);
  int32_t rowWidth = buttonCount * buttonWidth + (buttonCount - 1) * gap.right;
  int32_t clientWidth = 2 * margin.right + std::max<int32_t>(iconSpace + text.right, rowWidth);
  int32_t topHeight = std::max<int32_t>(iconSize, text.bottom);
  int32_t buttonsTop = margin.bottom + topHeight + margin.bottom;
  int32_t clientHeight = buttonsTop + button.bottom + margin.bottom;

  HWND icon = GetDlgItem(dialog, kVtIdMessageIcon);
  MoveWindow(icon, margin.right, margin.bottom, iconSize, iconSize, FALSE);
  ShowWindow(icon, hasIcon ? SW_SHOW : SW_HIDE);
  MoveWindow(GetDlgItem(dialog, kVtIdMessageText), margin.right + iconSpace, margin.bottom, text.right, text.bottom,
             FALSE);
  int32_t x = (clientWidth - rowWidth) / 2;
  for (int32_t i = 0; i < buttonCount; ++i) {
    int32_t id = i < q.buttons.count ? q.buttons.ids[i] : kVtIdDetails;
    MoveWindow(GetDlgItem(dialog, id), x, buttonsTop, buttonWidth, button.bottom, FALSE);
    x += buttonWidth + gap.right;
  }
  int32_t detailsHeight = details ? DialogUnits(dialog, 0, 60).bottom : 0;
  if (details) {
    MoveWindow(GetDlgItem(dialog, kVtIdDetailsText), margin.right, clientHeight, clientWidth - 2 * margin.right,
               detailsHeight, FALSE);
  }

  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
  RECT frame = {0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  box->collapsedHeight = frame.bottom - frame.top;
  box->expandedHeight = box->collapsedHeight + detailsHeight + margin.bottom;
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, box->collapsedHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToggleDetails(HWND dialog, CustomBox* box) {
  box->detailsShown = !box->detailsShown;
  ShowWindow(GetDlgItem(dialog, kVtIdDetailsText), box->detailsShown ? SW_SHOW : SW_HIDE);
  SetDlgItemTextA(dialog, kVtIdDetails, VtKernel_Text(box->detailsShown ? kVtTextDetailsHide : kVtTextDetailsShow));
  RECT r;
  GetWindowRect(dialog, &r);
  SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, box->detailsShown ? box->expandedHeight : box->collapsedHeight,
               SWP_NOMOVE | SWP_NOZORDER);
}

BOOL OnInitDialog(HWND dialog, CustomBox* box) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
  const VtMsgBoxQuestion& q = *box->question;
  SetWindowTextA(dialog, q.caption);
  SetDlgItemTextA(dialog, kVtIdMessageText, q.text);
  LPCSTR icon = IconFor(q.flags);
  if (icon != nullptr) {
    SendDlgItemMessageA(dialog, kVtIdMessageIcon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
  for (int32_t i = 0; i < q.buttons.count; ++i) {
    SetDlgItemTextA(dialog, q.buttons.ids[i], VtKernel_Text(q.buttons.textIds[i]));
    box->hasCancelButton |= q.buttons.ids[i] == kVtIdCancel;
  }
  if (q.details != nullptr) {
    SetDlgItemTextA(dialog, kVtIdDetails, VtKernel_Text(kVtTextDetailsShow));
    SetDlgItemTextA(dialog, kVtIdDetailsText, q.details);
  }
  if (q.buttons.escapeAnswer == 0) {
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }
  Layout(dialog, box);
  PlaceOverOwner(dialog, box->owner);
  SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(q.buttons.defaultAnswer), 0);
  SetFocus(GetDlgItem(dialog, q.buttons.defaultAnswer));
  return FALSE;  // the focus is set
}

// Escape, the close box and IDCANCEL from the keyboard all arrive here.
void OnCancel(HWND dialog, const CustomBox* box) {
  if (box->hasCancelButton) {
    EndDialog(dialog, kVtIdCancel);
  } else if (box->question->buttons.escapeAnswer != 0) {
    EndDialog(dialog, box->question->buttons.escapeAnswer);
  }
}

void OnCommand(HWND dialog, CustomBox* box, int32_t id) {
  if (id == kVtIdDetails && box->question->details != nullptr) {
    ToggleDetails(dialog, box);
    return;
  }
  if (id == kVtIdCancel) {
    OnCancel(dialog, box);
    return;
  }
  const VtMsgBoxButtons& buttons = box->question->buttons;
  for (int32_t i = 0; i < buttons.count; ++i) {
    if (buttons.ids[i] == id) EndDialog(dialog, id);
  }
}

INT_PTR CALLBACK CustomBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CustomBox* box = reinterpret_cast<CustomBox*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<CustomBox*>(lParam));
    case WM_COMMAND:
      if (box != nullptr && HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, box, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      if (box != nullptr) OnCancel(dialog, box);
      return TRUE;
    default:
      return FALSE;
  }
}

void BuildTemplate(const VtMsgBoxQuestion& q, DialogTemplate* t) {
  bool details = q.details != nullptr;
  WORD items = static_cast<WORD>(2 + q.buttons.count + (details ? 2 : 0));
  t->Header(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, items);
  t->Item(WS_VISIBLE | SS_ICON, kVtIdMessageIcon, kStaticClass);
  t->Item(WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kVtIdMessageText, kStaticClass);
  for (int32_t i = 0; i < q.buttons.count; ++i) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0);
    style |= q.buttons.ids[i] == q.buttons.defaultAnswer ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    t->Item(style, static_cast<WORD>(q.buttons.ids[i]), kButtonClass);
  }
  if (details) {
    t->Item(WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kVtIdDetails, kButtonClass);
    t->Item(WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kVtIdDetailsText, kEditClass);
  }
}

HINSTANCE InstanceOf(const VtMsgBoxSettings& settings) {
  return settings.instance != nullptr ? static_cast<HINSTANCE>(settings.instance) : GetModuleHandleA(nullptr);
}

}  // namespace

int32_t VtMsgBoxShowSystem(const VtMsgBoxSettings& settings, const VtMsgBoxQuestion& question) {
  HWND owner = ResolveOwner(question.owner, settings.defaultOwner);
  if (question.flags == (MB_SYSTEMMODAL | MB_ICONHAND)) {
    return MessageBoxA(owner, question.text, question.caption, question.flags);
  }
  SystemBoxPlacement placement = {nullptr, owner, question.caption, false};
  placement.hook = SetWindowsHookExA(WH_CBT, PlaceSystemBox, nullptr, GetCurrentThreadId());
  SystemBoxPlacement* outer = t_placement;
  t_placement = &placement;
  int answer = MessageBoxA(owner, question.text, question.caption, question.flags);
  t_placement = outer;
  if (placement.hook != nullptr) UnhookWindowsHookEx(placement.hook);
  return answer;
}

int32_t VtMsgBoxShowCustom(const VtMsgBoxSettings& settings, const VtMsgBoxQuestion& question) {
  DialogTemplate t;
  BuildTemplate(question, &t);
  CustomBox box = {&question, ResolveOwner(question.owner, settings.defaultOwner), false, false, 0, 0};
  INT_PTR answer = DialogBoxIndirectParamA(InstanceOf(settings), t.Get(), box.owner, CustomBoxProc,
                                           reinterpret_cast<LPARAM>(&box));
  return answer < 0 ? 0 : static_cast<int32_t>(answer);
}
