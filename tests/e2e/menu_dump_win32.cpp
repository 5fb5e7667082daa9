// e2e_menu.dll: loaded into the running program by e2e_probe, writes the
// frame's menu as the program holds it (Wine keeps menus in their process,
// so another process cannot read them by handle) to %TEMP%\ordalis-e2e-menu.txt:
// one line per command, "ID enabled|grayed TEXT", the pop-ups' items in order.
#include <windows.h>

#include <cstdio>

namespace {

constexpr size_t kTextSize = 512;

void WriteItems(FILE* out, HMENU menu) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[kTextSize] = {};
    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if (item.hSubMenu != nullptr) {
      WriteItems(out, item.hSubMenu);
    } else if ((item.fType & MFT_SEPARATOR) == 0) {
      fprintf(out, "%u %s %s\n", item.wID, (item.fState & MFS_GRAYED) != 0 ? "grayed" : "enabled", text);
    }
  }
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI DumpMenu(LPVOID) {
  HWND frame = FindWindowA("Ordalis.Class.Frame", nullptr);
  HMENU menu = frame != nullptr ? GetMenu(frame) : nullptr;
  char folder[MAX_PATH], part[MAX_PATH + 32], path[MAX_PATH + 32];
  DWORD length = GetTempPathA(MAX_PATH, folder);
  if (menu == nullptr || length == 0 || length >= MAX_PATH) return 1;
  snprintf(part, sizeof(part), "%sordalis-e2e-menu.part", folder);
  snprintf(path, sizeof(path), "%sordalis-e2e-menu.txt", folder);
  FILE* out = fopen(part, "w");
  if (out == nullptr) return 1;
  WriteItems(out, menu);
  fclose(out);
  // Whole or not at all, for the probe that waits for it.
  return MoveFileExA(part, path, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
