// The registry seam over the real registry ("A" calls, so names and texts are
// in the process's code page).
#include <windows.h>

#include "platform/registry.h"

namespace {

HKEY H(RegKey key) { return reinterpret_cast<HKEY>(key); }

REGSAM Sam(RegAccess access) {
  switch (access) {
    case RegAccess::Read: return KEY_READ;
    case RegAccess::Write: return KEY_WRITE;
    case RegAccess::All: break;
  }
  return KEY_ALL_ACCESS;
}

bool IsRoot(HKEY key) {
  return key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT || key == HKEY_LOCAL_MACHINE;
}

}  // namespace

RegKey Reg_Root(RegRoot root) {
  switch (root) {
    case RegRoot::CurrentUser: return reinterpret_cast<RegKey>(HKEY_CURRENT_USER);
    case RegRoot::ClassesRoot: return reinterpret_cast<RegKey>(HKEY_CLASSES_ROOT);
    case RegRoot::LocalMachine: break;
  }
  return reinterpret_cast<RegKey>(HKEY_LOCAL_MACHINE);
}

int32_t Reg_OpenKey(RegKey parent, const char* path, RegAccess access, RegKey* out) {
  return Reg_OpenKeyInView(parent, path, access, RegView::Own, out);
}

int32_t Reg_OpenKeyInView(RegKey parent, const char* path, RegAccess access, RegView view, RegKey* out) {
  // Without WOW64 (32-bit Windows) both flags are ignored, so Other is Own.
  REGSAM other = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(H(parent), path, 0, Sam(access) | (view == RegView::Other ? other : 0), &key);
  *out = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(key) : nullptr;
  return status;
}

int32_t Reg_CreateKey(RegKey parent, const char* path, RegAccess access, RegKey* out) {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExA(H(parent), path, 0, nullptr, REG_OPTION_NON_VOLATILE, Sam(access), nullptr, &key,
                                nullptr);
  *out = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(key) : nullptr;
  return status;
}

void Reg_CloseKey(RegKey key) {
  if (key != nullptr && !IsRoot(H(key))) RegCloseKey(H(key));
}

int32_t Reg_EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameSize) {
  DWORD size = *nameSize;
  LONG status = RegEnumKeyExA(H(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) *nameSize = size;
  return status;
}

int32_t Reg_EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint32_t* type, void* data,
                      uint32_t* dataSize) {
  DWORD size = *nameSize;
  DWORD valueType = 0;
  DWORD bytes = dataSize != nullptr ? *dataSize : 0;
  LONG status = RegEnumValueA(H(key), index, name, &size, nullptr, &valueType, static_cast<BYTE*>(data),
                              dataSize != nullptr ? &bytes : nullptr);
  if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (type != nullptr) *type = valueType;
    if (dataSize != nullptr) *dataSize = bytes;
  }
  if (status == ERROR_SUCCESS) *nameSize = size;
  return status;
}

int32_t Reg_QueryInfo(RegKey key, RegKeyInfo* info) {
  DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValue = 0;
  FILETIME written = {};
  LONG status = RegQueryInfoKeyA(H(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values,
                                 &maxValueName, &maxValue, nullptr, &written);
  if (status != ERROR_SUCCESS) return status;
  info->subKeyCount = subKeys;
  info->maxSubKeyLength = maxSubKey;
  info->valueCount = values;
  info->maxValueNameLength = maxValueName;
  info->maxValueSize = maxValue;
  info->lastWriteTime = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return 0;
}

int32_t Reg_QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* dataSize) {
  DWORD valueType = 0;
  DWORD bytes = dataSize != nullptr ? *dataSize : 0;
  LONG status = RegQueryValueExA(H(key), name, nullptr, &valueType, static_cast<BYTE*>(data),
                                 dataSize != nullptr ? &bytes : nullptr);
  if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    if (type != nullptr) *type = valueType;
    if (dataSize != nullptr) *dataSize = bytes;
  }
  return status;
}

int32_t Reg_SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) {
  return RegSetValueExA(H(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

int32_t Reg_DeleteValue(RegKey key, const char* name) { return RegDeleteValueA(H(key), name); }

int32_t Reg_DeleteKey(RegKey parent, const char* path) { return RegDeleteKeyA(H(parent), path); }

int32_t Reg_DeleteTree(RegKey parent, const char* path) {
  // RegDeleteTree empties a key but keeps it; the key itself goes after.
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(H(parent), path, 0, KEY_ALL_ACCESS, &key);
  if (status != ERROR_SUCCESS) return status;
  status = RegDeleteTreeA(key, nullptr);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteKeyA(H(parent), path);
}
