#include "support/wine_host.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>

bool RunsUnderWineAsRoot() {
  // Wine's ntdll exports wine_get_version; Windows' does not. Under Wine the
  // user name is the Unix login name.
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) return false;
  char name[64] = {};
  DWORD size = sizeof(name);
  return GetUserNameA(name, &size) != 0 && strcmp(name, "root") == 0;
}
#else
bool RunsUnderWineAsRoot() { return false; }
#endif
