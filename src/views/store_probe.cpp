#include "views/store_probe.h"

#include <cstdio>

#include "model/names.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "store/store_layout.h"

namespace {

int32_t OpenItemKey(const char* storePath, const char* itemKeyName, ScopedRegKey* key) {
  char path[kStorePathSize];
  int length = snprintf(path, sizeof(path), "%s\\%s", storePath, itemKeyName);
  if (length < 0 || static_cast<size_t>(length) >= sizeof(path)) return E_FAIL;
  return Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), path, RegAccess::Read, key->Out());
}

}  // namespace

bool IsPresetStored(const PlugInEntry& entry, const char* presetName) {
  ScopedRegKey key;
  int32_t status = entry.IsEditor() ? OpenItemKey(kEditorPresetsKey, entry.name, &key)
                                    : OpenItemKey(kDirectShowPresetsKey, entry.classKey, &key);
  return status == 0 && Reg_QueryValue(key.Get(), presetName, nullptr, nullptr, nullptr) == 0;
}

int32_t ReadStoredChainName(const char* keyName, char* name, size_t size) {
  ScopedRegKey key;
  int32_t status = OpenItemKey(kChainsKey, keyName, &key);
  if (status != 0) return status;
  return Reg_QueryText(key.Get(), kChainNameValue, name, static_cast<uint32_t>(size));
}

bool IsChainNameStored(const char* chainName, const char* exceptKey) {
  ScopedRegKey chains;
  if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), kChainsKey, RegAccess::Read, chains.Out()) != 0) return false;
  for (uint32_t index = 0;; ++index) {
    char keyName[kKeySize];
    uint32_t size = sizeof(keyName);
    int32_t status = Reg_EnumKey(chains.Get(), index, keyName, &size);
    if (status == kErrorMoreData) continue;
    if (status != 0) return false;
    char name[kNameSize];
    if (!Text_EqualNoCase(keyName, exceptKey) && ReadStoredChainName(keyName, name, sizeof(name)) == 0 &&
        Text_EqualNoCase(name, chainName)) {
      return true;
    }
  }
}
