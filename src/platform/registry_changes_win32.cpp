// Watches over RegNotifyChangeKeyValue. The notification is tied to the
// thread that asks for it, which is the program's one thread.
#include <windows.h>

#include <new>

#include "platform/registry_changes.h"
#include "platform/win32_handle.h"

struct RegWatchRecord {
  ScopedRegKey key;
  ScopedHandle event;  // manual reset: once signalled it stays so
};

namespace {

HKEY H(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

int32_t Reg_EnumKeyWithTime(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint64_t* lastWriteTime) {
  DWORD size = *nameSize;
  FILETIME written = {};
  LONG status = RegEnumKeyExA(H(key), index, name, &size, nullptr, nullptr, nullptr, &written);
  if (status != ERROR_SUCCESS) return status;
  *nameSize = size;
  *lastWriteTime = (static_cast<uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return 0;
}

int32_t RegWatch_Start(RegKey parent, const char* path, RegWatch* out) {
  *out = nullptr;
  RegWatchRecord* watch = new (std::nothrow) RegWatchRecord;
  if (watch == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(H(parent), path, 0, KEY_NOTIFY | KEY_QUERY_VALUE, &key);
  watch->key.Reset(reinterpret_cast<RegKey>(key));
  if (status == ERROR_SUCCESS) {
    watch->event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!watch->event) status = static_cast<LONG>(GetLastError());
  }
  if (status == ERROR_SUCCESS) {
    status = RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                     watch->event.Get(), TRUE);
  }
  if (status != ERROR_SUCCESS) {
    delete watch;
    return status;
  }
  *out = watch;
  return 0;
}

bool RegWatch_Fired(RegWatch watch) {
  if (watch == nullptr) return true;
  if (WaitForSingleObject(watch->event.Get(), 0) != WAIT_TIMEOUT) return true;
  // Deleting the watched key itself does not signal every system's
  // notification; a deleted key fails every query.
  return RegQueryInfoKeyA(H(watch->key.Get()), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) != ERROR_SUCCESS;
}

void RegWatch_Stop(RegWatch watch) { delete watch; }
