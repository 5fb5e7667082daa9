#include "app/dialog_font_win32.h"

ScopedFont CreateHeadingFont(HWND control, int percent) {
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA font = {};
  if (GetObjectA(base != nullptr ? base : GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) == 0) {
    return ScopedFont();
  }
  font.lfWeight = FW_BOLD;
  font.lfHeight = MulDiv(font.lfHeight, percent, 100);
  return ScopedFont(CreateFontIndirectA(&font));
}
