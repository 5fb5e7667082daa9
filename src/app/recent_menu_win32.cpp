// The recent files at the end of the File menu, rebuilt each time the menu
// opens: below a separator, "&1 path" to "&5 path".
#include <windows.h>

#include "app/frame_parts_win32.h"
#include "kernel/strings.h"
#include "resource.h"

namespace {

// The identifiers the recent files may have had, a few beyond the five.
constexpr int32_t kRecentIdLast = ID_FILE_MRU_FIRST + 8;

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_SEPARATOR) != 0;
}

// Removes separators that begin or end the menu or follow another one.
void TidySeparators(HMENU menu) {
  for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
    if (!IsSeparator(menu, position)) continue;
    int count = GetMenuItemCount(menu);
    if (position == 0 || position == count - 1 || IsSeparator(menu, position - 1)) {
      DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
  }
}

}  // namespace

void RebuildRecentFileMenu(const FrameState& frame, HMENU fileMenu) {
  for (int32_t id = ID_FILE_MRU_FIRST; id <= kRecentIdLast; ++id) DeleteMenu(fileMenu, id, MF_BYCOMMAND);
  TidySeparators(fileMenu);
  char readOnlyMark[32];
  VtLoadString(frame.strings, IDS_RECENT_READ_ONLY, readOnlyMark, sizeof(readOnlyMark));
  for (int32_t i = 0; i < frame.recent.count && frame.recent.entries[i].path[0] != '\0'; ++i) {
    if (i == 0) AppendMenuA(fileMenu, MF_SEPARATOR, 0, nullptr);
    char text[kRecentMenuTextSize];
    RecentFiles_MenuText(frame.recent, i, readOnlyMark, text, sizeof(text));
    AppendMenuA(fileMenu, MF_STRING, static_cast<UINT_PTR>(ID_FILE_MRU_FIRST + i), text);
  }
}
