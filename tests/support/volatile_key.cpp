#include "support/volatile_key.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/registry.h"
#include "platform/registry_memory.h"
#endif

bool CreateVolatileKey(const std::string& path) {
#ifdef _WIN32
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
#else
  return MemoryRegistry_CreateVolatileKey(RegRoot::CurrentUser, path.c_str()) == 0;
#endif
}
