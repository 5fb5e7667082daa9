#include "views/pane_caption_win32.h"

#include <cstring>

#include "kernel/format.h"
#include "kernel/strings.h"
#include "model/record_filter.h"
#include "platform/text.h"
#include "resource.h"

SIZE MeasurePaneLabel(const Pane& pane) {
  SIZE size = {0, 0};
  char text[256];
  int length = GetWindowTextA(pane.label, text, sizeof(text));
  HDC dc = GetDC(pane.label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(pane.label, WM_GETFONT, 0, 0)));
  GetTextExtentPoint32A(dc, text, length, &size);
  SelectObject(dc, old);
  ReleaseDC(pane.label, dc);
  return size;
}

void UpdatePaneCaption(Pane& pane) {
  if (pane.label == nullptr) return;
  char name[128];
  VtLoadString(pane.strings, pane.index == kPackagePane ? IDS_PACKAGE_PANE : IDS_SYSTEM_PANE, name, sizeof(name));
  char caption[256];
  if (pane.filter != nullptr && pane.filter->IsActive()) {
    KeptCount count = CountKeptItems(pane.Records(), *pane.filter);
    char format[128];
    VtLoadString(pane.strings, IDS_FIND_CAPTION, format, sizeof(format));
    VtSnPrintF(caption, sizeof(caption), format, name, count.kept, count.total);
  } else {
    Text_Copy(caption, sizeof(caption), name);
  }
  char shown[256];
  GetWindowTextA(pane.label, shown, sizeof(shown));
  if (strcmp(shown, caption) == 0) return;
  SetWindowTextA(pane.label, caption);
  // The layout gave the label the width of its text: it follows the text,
  // from where it stands.
  if (pane.labelRect.right <= pane.labelRect.left) return;
  // A shorter caption leaves the frame's background to paint again.
  RECT old = {pane.labelRect.left, pane.labelRect.top, pane.labelRect.right, pane.labelRect.bottom};
  SIZE size = MeasurePaneLabel(pane);
  pane.labelRect.right = pane.labelRect.left + size.cx;
  SetWindowPos(pane.label, nullptr, 0, 0, size.cx, pane.labelRect.bottom - pane.labelRect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(pane.parent, &old, TRUE);
}
