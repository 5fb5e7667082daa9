#include "store/registered_name.h"

#include <cstdio>

#include "model/plugin_collection.h"
#include "platform/registry.h"

namespace {

int32_t ReadRegisteredName(const char* path, RegView view, char* buffer, size_t size) {
  ScopedRegKey key;
  int32_t status = Reg_OpenKeyInView(Reg_Root(RegRoot::ClassesRoot), path, RegAccess::Read, view, key.Out());
  if (status != 0) return status;
  uint32_t type = 0;
  status = Reg_QueryText(key.Get(), "", buffer, size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size), &type);
  if (status == 0 && type != kRegSz) {
    buffer[0] = '\0';
    return kErrorInvalidData;
  }
  return status;
}

}  // namespace

int32_t LookupRegisteredName(const char* classKey, char* buffer, size_t size) {
  if (size < 40) return kErrorMoreData;
  char path[64];
  int length = snprintf(path, sizeof(path), "CLSID\\%s", classKey);
  if (length < 0 || static_cast<size_t>(length) >= sizeof(path)) return kErrorFileNotFound;
  int32_t status = ReadRegisteredName(path, RegView::Own, buffer, size);
  if (status == 0 || ReadRegisteredName(path, RegView::Other, buffer, size) == 0) return 0;
  buffer[0] = '\0';
  return status;
}

void ApplyRegisteredNames(PlugInCollection& plugIns) {
  for (const std::unique_ptr<PlugInEntry>& entry : plugIns.Entries()) {
    if (entry->IsEditor()) continue;
    char registered[kNameSize];
    if (LookupRegisteredName(entry->classKey, registered, sizeof(registered)) == 0 && registered[0] != '\0') {
      entry->SetName(registered);
    }
  }
  plugIns.NamesChanged();
}
