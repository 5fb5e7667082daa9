// Watches over the memory registry. Its last-write times come from one
// counter that every change advances, so the newest time below a key
// changes whenever anything below it does; a watch compares that time.
#include <new>
#include <string>

#include "platform/registry_changes.h"

struct RegWatchRecord {
  RegKey key;      // owned
  uint64_t newest; // newest last-write time below the key when the watch started
};

namespace {

// Newest last-write time of `key` and every key below it; false when the
// key is gone.
bool NewestTime(RegKey key, uint64_t* newest) {
  RegKeyInfo info;
  if (Reg_QueryInfo(key, &info) != 0) return false;
  if (info.lastWriteTime > *newest) *newest = info.lastWriteTime;
  std::string name(info.maxSubKeyLength + 1, '\0');
  for (uint32_t i = 0; i < info.subKeyCount; ++i) {
    uint32_t size = static_cast<uint32_t>(name.size());
    if (Reg_EnumKey(key, i, name.data(), &size) != 0) return false;
    ScopedRegKey sub;
    if (Reg_OpenKey(key, name.c_str(), RegAccess::Read, sub.Out()) != 0 || !NewestTime(sub.Get(), newest)) {
      return false;
    }
  }
  return true;
}

}  // namespace

int32_t Reg_EnumKeyWithTime(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint64_t* lastWriteTime) {
  int32_t status = Reg_EnumKey(key, index, name, nameSize);
  if (status != 0) return status;
  ScopedRegKey sub;
  status = Reg_OpenKey(key, name, RegAccess::Read, sub.Out());
  RegKeyInfo info;
  if (status == 0) status = Reg_QueryInfo(sub.Get(), &info);
  if (status == 0) *lastWriteTime = info.lastWriteTime;
  return status;
}

int32_t RegWatch_Start(RegKey parent, const char* path, RegWatch* out) {
  *out = nullptr;
  RegKey key = nullptr;
  int32_t status = Reg_OpenKey(parent, path, RegAccess::Read, &key);
  if (status != 0) return status;
  uint64_t newest = 0;
  RegWatchRecord* watch = NewestTime(key, &newest) ? new (std::nothrow) RegWatchRecord{key, newest} : nullptr;
  if (watch == nullptr) {
    Reg_CloseKey(key);
    return kErrorKeyDeleted;
  }
  *out = watch;
  return 0;
}

bool RegWatch_Fired(RegWatch watch) {
  if (watch == nullptr) return true;
  uint64_t newest = 0;
  return !NewestTime(watch->key, &newest) || newest != watch->newest;
}

void RegWatch_Stop(RegWatch watch) {
  if (watch == nullptr) return;
  Reg_CloseKey(watch->key);
  delete watch;
}
