#include "app/unix_path_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/text.h"

namespace {

// Wine's export: gives a path allocated on the process heap, or null.
using WineDosName = WCHAR*(CDECL*)(const char* unixPath);

WineDosName FindWineMapping() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return nullptr;
  return reinterpret_cast<WineDosName>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
}

struct HeapText {
  WCHAR* text;
  ~HeapText() {
    if (text != nullptr) HeapFree(GetProcessHeap(), 0, text);
  }
};

}  // namespace

bool MapUnixPath(const char* unixPath, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  static const WineDosName map = FindWineMapping();
  if (map == nullptr || unixPath == nullptr || unixPath[0] != '/') return false;
  HeapText dos = {map(unixPath)};
  if (dos.text == nullptr) return false;
  const WCHAR* path = dos.text;
  // Wine writes a path no drive covers as "\\?\unix\...", which the program's
  // file functions do not take; a drive path may come with the same prefix.
  if (wcsncmp(path, L"\\\\?\\", 4) == 0) path += 4;
  bool drivePath = path[0] != L'\0' && path[1] == L':' && path[2] == L'\\';
  if (!drivePath) return false;
  static_assert(sizeof(WCHAR) == sizeof(char16_t));
  // Converted with room to spare: a path cut short would name another file.
  char whole[4 * MAX_PATH];
  size_t written = Text_FromUtf16(reinterpret_cast<const char16_t*>(path), wcslen(path), whole, sizeof(whole));
  if (written + 1 >= sizeof(whole) || written >= size) return false;
  memcpy(out, whole, written + 1);
  return true;
}
