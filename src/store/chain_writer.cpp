#include "store/chain_writer.h"

#include <cstdio>

#include "model/key_names.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "store/store_layout.h"

namespace {

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

int32_t FormChainKeyPath(const char* keyName, char* path, size_t size) {
  if (!IsSafeKeyName(keyName)) return E_FAIL;
  int length = snprintf(path, size, "%s\\%s", kChainsKey, keyName);
  return length >= 0 && static_cast<size_t>(length) < size ? 0 : E_FAIL;
}

int32_t RefuseKeyName(const char* keyName, SystemWrite* write) {
  return FailWith(write->failure, E_FAIL, "the key name \"%s\" cannot name a key of the store", keyName);
}

}  // namespace

bool ChainKeyExists(const char* keyName) {
  char path[kStorePathSize];
  ScopedRegKey key;
  return FormChainKeyPath(keyName, path, sizeof(path)) == 0 &&
         Reg_OpenKey(User(), path, RegAccess::Read, key.Out()) == 0;
}

bool ChainKeyHolds(const char* keyName, const char* chainName) {
  char path[kStorePathSize];
  ScopedRegKey key;
  if (FormChainKeyPath(keyName, path, sizeof(path)) != 0 || Reg_OpenKey(User(), path, RegAccess::Read, key.Out()) != 0) {
    return false;
  }
  char name[kNameSize];
  uint32_t type = 0;
  return Reg_QueryText(key.Get(), kChainNameValue, name, sizeof(name), &type) == 0 && type == kRegSz &&
         Text_EqualNoCase(name, chainName);
}

int32_t WriteSystemChain(const ChainRecord& chain, SystemWrite* write) {
  SystemWrite none;
  if (write == nullptr) write = &none;
  char itemPath[kStorePathSize];
  if (FormChainKeyPath(chain.keyName, itemPath, sizeof(itemPath)) != 0) return RefuseKeyName(chain.keyName, write);
  ScopedRegKey key;
  int32_t status = CreateItemKey(kChainStore, chain.keyName, &key, write);
  if (status != 0) return status;
  const SystemIndex::ChainKey* known = write->index != nullptr ? write->index->FindChainKey(chain.keyName) : nullptr;
  ItemValue item{&kChainStore,
                 itemPath,
                 chain.keyName,
                 kChainStreamValue,
                 chain.name,
                 kChainFileExtension,
                 chain.stream.Bytes(),
                 chain.stream.Size(),
                 false,
                 known != nullptr ? known->file.c_str() : nullptr,
                 known != nullptr && known->read};
  PreparedValue prepared;
  status = PrepareItemValue(key.Get(), item, write, &prepared);
  if (status != 0) return status;
  const char* failed = nullptr;
  status = Reg_SetDword(key.Get(), kChainFlagsValue, chain.flags);
  if (status != 0) failed = kChainFlagsValue;
  if (status == 0 && (status = Reg_SetText(key.Get(), kChainNameValue, chain.name)) != 0) failed = kChainNameValue;
  if (status == 0 && (status = Reg_SetDword(key.Get(), kChainTypeValue, chain.type)) != 0) failed = kChainTypeValue;
  if (status != 0) {
    DropPreparedValue(&prepared);
    char name[kStorePathSize];
    NameUserKey(itemPath, name, sizeof(name));
    return FailWith(write->failure, StatusFromError(status), "the value \"%s\" of %s could not be set", failed, name);
  }
  return SetItemValue(key.Get(), item, &prepared, write);
}

int32_t DeleteSystemChain(const ChainRecord& chain, SystemWrite* write) {
  SystemWrite none;
  if (write == nullptr) write = &none;
  char path[kStorePathSize];
  if (FormChainKeyPath(chain.keyName, path, sizeof(path)) != 0) return RefuseKeyName(chain.keyName, write);
  char name[kStorePathSize];
  NameUserKey(path, name, sizeof(name));
  char current[kStorePathSize] = {};
  {
    ScopedRegKey key;
    int32_t status = Reg_OpenKey(User(), path, RegAccess::Read, key.Out());
    if (status == kErrorFileNotFound) return 0;  // already gone
    if (status != 0) return FailWith(write->failure, StatusFromError(status), "the key %s could not be opened", name);
    ReadValueFile(key.Get(), kChainStreamValue, current, sizeof(current));
  }
  int32_t status = Reg_DeleteKey(User(), path);
  if (status == kErrorFileNotFound) return 0;
  if (status != 0) return FailWith(write->failure, StatusFromError(status), "the key %s could not be deleted", name);
  const SystemIndex::ChainKey* known = write->index != nullptr ? write->index->FindChainKey(chain.keyName) : nullptr;
  if (current[0] != '\0') {
    DeleteItemFile(kChainStore, chain.keyName, current,
                   IsKnownRead(current, known != nullptr ? known->file.c_str() : nullptr, known != nullptr && known->read),
                   write);
  }
  return 0;
}
