#include "store/chain_writer.h"

#include "model/key_names.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "store/store_files.h"
#include "store/store_layout.h"

namespace {

// Deletes a chain key below the chains key, and the file its Stream names.
int32_t DeleteChainKey(RegKey chainsKey, const char* keyName) {
  ScopedRegKey key;
  int32_t status = Reg_OpenKey(chainsKey, keyName, RegAccess::All, key.Out());
  if (status != 0) return status;
  DeleteValueFile(key.Get(), kChainStreamValue);
  key.Reset();
  return Reg_DeleteKey(chainsKey, keyName);
}

bool HoldsChainNamed(RegKey chainsKey, const char* keyName, const char* chainName) {
  ScopedRegKey key;
  if (Reg_OpenKey(chainsKey, keyName, RegAccess::Read, key.Out()) != 0) return false;
  char name[kNameSize];
  uint32_t type = 0;
  return Reg_QueryText(key.Get(), kChainNameValue, name, sizeof(name), &type) == 0 && type == kRegSz &&
         Text_EqualNoCase(name, chainName);
}

void RemoveOtherChainsNamed(RegKey chainsKey, const ChainRecord& chain) {
  uint32_t index = 0;
  for (;;) {
    char keyName[kKeySize];
    uint32_t size = sizeof(keyName);
    int32_t status = Reg_EnumKey(chainsKey, index, keyName, &size);
    if (status == kErrorMoreData) {
      ++index;
      continue;
    }
    if (status != 0) break;
    // After a deletion the next key takes this index.
    bool removed = !Text_EqualNoCase(keyName, chain.keyName) && HoldsChainNamed(chainsKey, keyName, chain.name) &&
                   DeleteChainKey(chainsKey, keyName) == 0;
    if (!removed) ++index;
  }
}

}  // namespace

int32_t WriteSystemChain(const ChainRecord& chain) {
  if (!IsSafeKeyName(chain.keyName)) return E_FAIL;
  ScopedRegKey chains, key;
  int32_t status = CreateItemKey(kChainsKey, kChainsFolder, chain.keyName, &chains, &key);
  if (status != 0) return status;
  int32_t fields = Reg_SetDword(key.Get(), kChainFlagsValue, chain.flags);
  if (fields == 0) fields = Reg_SetText(key.Get(), kChainNameValue, chain.name);
  if (fields == 0) fields = Reg_SetDword(key.Get(), kChainTypeValue, chain.type);
  status = WriteItemValue(chains.Get(), key.Get(), chain.keyName, kChainStreamValue, chain.name,
                          kChainFileExtension, chain.stream.Bytes(), chain.stream.Size());
  if (status != 0) return status;
  if (fields != 0) return fields;
  key.Reset();
  RemoveOtherChainsNamed(chains.Get(), chain);
  return 0;
}

int32_t DeleteSystemChain(const ChainRecord& chain) {
  if (!IsSafeKeyName(chain.keyName)) return E_FAIL;
  ScopedRegKey chains;
  int32_t status = Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), kChainsKey, RegAccess::All, chains.Out());
  if (status != 0) return status;
  return DeleteChainKey(chains.Get(), chain.keyName);
}
