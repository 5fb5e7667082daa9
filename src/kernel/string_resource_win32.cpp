#include <windows.h>

#include <cstring>

#include "kernel/string_resource.h"
#include "platform/text.h"

namespace {

HMODULE ModuleOf(VtModule module) {
  return module != nullptr ? static_cast<HMODULE>(module) : GetModuleHandleA(nullptr);
}

// A string table block holds 16 strings, each a length-prefixed run of
// UTF-16 units. Gives the string's units and its length, or null.
const WCHAR* FindString(HMODULE module, uint32_t language, uint32_t id, size_t* units) {
  LPCSTR block = MAKEINTRESOURCEA((id >> 4) + 1);
  HRSRC resource = language != 0 ? FindResourceExA(module, MAKEINTRESOURCEA(6), block, static_cast<WORD>(language))
                                 : FindResourceA(module, block, MAKEINTRESOURCEA(6));
  if (resource == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  const WCHAR* p = loaded != nullptr ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
  if (p == nullptr) return nullptr;
  const WCHAR* end = p + SizeofResource(module, resource) / sizeof(WCHAR);
  for (uint32_t i = 0; i < (id & 15); ++i) {
    if (p >= end) return nullptr;
    p += 1 + *p;
  }
  if (p >= end || *p == 0 || p + 1 + *p > end) return nullptr;
  *units = *p;
  return p + 1;
}

}  // namespace

int32_t VtResource_LoadString(VtModule module, uint32_t language, uint32_t id, char* buffer, size_t size) {
  if (size > 0) buffer[0] = '\0';
  size_t units = 0;
  const WCHAR* text = FindString(ModuleOf(module), language, id, &units);
  if (text == nullptr) return -1;
  return static_cast<int32_t>(Text_FromUtf16(reinterpret_cast<const char16_t*>(text), units, buffer, size));
}

VtModule VtResource_OpenLanguageModule(VtModule module) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(ModuleOf(module), path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return nullptr;
  char* dot = strrchr(path, '.');
  char* slash = strrchr(path, '\\');
  if (dot == nullptr || (slash != nullptr && dot < slash)) return nullptr;
  if (static_cast<size_t>(dot - path) + 5 > sizeof(path)) return nullptr;
  memcpy(dot, ".LNG", 5);
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void VtResource_CloseModule(VtModule module) {
  if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}
