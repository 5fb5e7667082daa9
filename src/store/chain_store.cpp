#include "store/chain_store.h"

#include <cstdio>
#include <cstring>

#include "platform/file.h"
#include "platform/text.h"
#include "store/chain_writer.h"
#include "store/tracked_write.h"

namespace {

constexpr unsigned kMaxKeyNumber = 9999;

// The key name the chain is written under: its own, unless a key of that
// name holds something other than a chain of this name. `*isNew` tells
// whether the key is yet to be made.
int32_t ChooseKeyName(const Stores& stores, const ChainRecord& chain, char* keyName, size_t size, bool* isNew,
                      StoreFailure* failure) {
  const SystemIndex::ChainKey* held = stores.systemIndex.FindChainKey(chain.keyName);
  *isNew = held == nullptr && !ChainKeyExists(chain.keyName);
  if (*isNew || (held != nullptr && held->isChain && Text_EqualNoCase(held->chainName.c_str(), chain.name))) {
    Text_Copy(keyName, size, chain.keyName);
    return 0;
  }
  *isNew = true;
  if (MakeFreeChainKeyName(stores.systemIndex, chain.keyName, keyName, size)) return 0;
  return FailWith(failure, E_FAIL, "no free key name could be made from \"%s\"", chain.keyName);
}

// A copy of the chain under another key name, for the writer.
std::unique_ptr<ChainRecord> Renamed(const ChainRecord& chain, const char* keyName) {
  std::unique_ptr<ChainRecord> copy = ChainRecord::CopyOf(chain);
  if (copy) copy->SetKeyName(keyName);
  return copy;
}

SystemIndex::ChainKey IndexEntry(const ChainRecord& chain, const char* keyName, const char* file, bool read) {
  return SystemIndex::ChainKey{keyName, chain.name, file, chain.flags, chain.type, true, read};
}

// Deletes a chain's key, and its file when the store owns it.
int32_t DeleteKey(Stores& stores, const char* keyName, StoreFailure* failure) {
  std::unique_ptr<ChainRecord> key = ChainRecord::Create();
  if (!key) return E_OUTOFMEMORY;
  key->SetKeyName(keyName);
  SystemWrite write;
  write.index = &stores.systemIndex;
  write.failure = failure;
  int32_t status = DeleteSystemChain(*key, &write);
  if (status == 0) stores.systemIndex.RemoveChainKey(keyName);
  return status;
}

// Writes the chain into the system store under a key name of its own and
// deletes the key of the chain it replaces (`replacedKey`, when another).
// Gives the key name it took.
int32_t WriteToSystem(Stores& stores, const ChainRecord& chain, const char* replacedKey, const StoreChange* change,
                      char* keyName, size_t size) {
  TrackedWrite write(stores, change);
  StoreFailure* failure = write.Failure();
  int32_t status = write.CheckBytes(chain.stream.Empty(), "a chain without a stream");
  bool isNew = false;
  if (status == 0) status = ChooseKeyName(stores, chain, keyName, size, &isNew, failure);
  if (status != 0) return status;
  std::unique_ptr<ChainRecord> renamed;
  const ChainRecord* written = &chain;
  if (strcmp(keyName, chain.keyName) != 0) {
    renamed = Renamed(chain, keyName);
    if (!renamed) return E_OUTOFMEMORY;
    written = renamed.get();
  }
  status = WriteSystemChain(*written, write.Get());
  if (status == 0 && replacedKey != nullptr && !Text_EqualNoCase(replacedKey, keyName)) {
    status = DeleteKey(stores, replacedKey, failure);
    // Without the other key gone the chain would be there twice: the new
    // key goes again, with the file made for it.
    const char* made = write.Get()->written;
    const char* file = write.Get()->file;
    if (status != 0 && isNew) {
      DeleteSystemChain(*written, nullptr);
      if (made[0] != '\0' && (file == nullptr || !Text_EqualNoCase(file, made))) File_Delete(made);
    }
  }
  status = write.Finish(status);
  if (status == 0) stores.systemIndex.SetChainKey(IndexEntry(chain, keyName, write.Get()->written, !chain.stream.Empty()));
  return status;
}

}  // namespace

int32_t RewriteSystemChain(Stores& stores, const ChainRecord& chain, const StoreChange* change) {
  TrackedWrite write(stores, change);
  int32_t status = write.CheckBytes(chain.stream.Empty(), "a chain without a stream");
  if (status == 0) status = WriteSystemChain(chain, write.Get());
  status = write.Finish(status);
  if (status == 0) stores.systemIndex.SetChainKey(IndexEntry(chain, chain.keyName, write.Get()->written, true));
  return status;
}

bool MakeFreeChainKeyName(const SystemIndex& index, const char* keyName, char* out, size_t size) {
  for (unsigned number = 2; number <= kMaxKeyNumber; ++number) {
    char suffix[16];
    snprintf(suffix, sizeof(suffix), " (%u)", number);
    size_t room = size < kKeySize ? size : kKeySize;
    if (room <= strlen(suffix)) return false;
    char base[kKeySize];
    Text_Copy(base, room - strlen(suffix), keyName);
    Text_Copy(out, size, base);
    Text_Append(out, size, suffix);
    if (index.FindChainKey(out) == nullptr && !ChainKeyExists(out)) return true;
  }
  return false;
}

int32_t PutChain(Stores& stores, const ChainRecord& chain, StoreId store, const StoreChange* change) {
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains == nullptr) return E_OUTOFMEMORY;
  ChainRecord* found = chains->FindChainByName(chain.name);
  char keyName[kKeySize];
  Text_Copy(keyName, sizeof(keyName), chain.keyName);
  if (store == StoreId::System) {
    const char* replacedKey = found != nullptr ? found->keyName : nullptr;
    const SystemIndex::ChainKey* unreadChain = found == nullptr ? stores.systemIndex.FindUnreadChain(chain.name) : nullptr;
    char unreadKey[kKeySize] = {};
    if (unreadChain != nullptr) {
      Text_Copy(unreadKey, sizeof(unreadKey), unreadChain->keyName.c_str());
      replacedKey = unreadKey;
    }
    int32_t status = WriteToSystem(stores, chain, replacedKey, change, keyName, sizeof(keyName));
    if (status != 0) return status;
    if (chain.stream.Empty()) {
      // A chain whose stream could not be read comes back: its key is
      // there again, and the collection shows no chain for it.
      if (found != nullptr) chains->Remove(found);
      return 0;
    }
  }
  if (found == nullptr) {
    std::unique_ptr<ChainRecord> copy = ChainRecord::CopyOf(chain);
    if (copy) copy->SetKeyName(keyName);
    return chains->Append(std::move(copy));
  }
  int32_t status = found->CopyFrom(chain);
  if (status == 0) found->SetKeyName(keyName);
  return status;
}

int32_t RemoveChain(Stores& stores, const ChainRecord& chain, StoreId store, const StoreChange* change) {
  ChainCollection* chains = GetChainCollection(stores, store);
  ChainRecord* found = chains != nullptr ? chains->FindChainByName(chain.name) : nullptr;
  if (store == StoreId::System) {
    // The key the store's record names; without a record, the chain's own
    // key when it holds a chain of that name.
    const char* keyName = found != nullptr ? found->keyName : nullptr;
    if (keyName == nullptr && ChainKeyHolds(chain.keyName, chain.name)) keyName = chain.keyName;
    if (keyName != nullptr) {
      int32_t status = DeleteKey(stores, keyName, change != nullptr ? change->failure : nullptr);
      if (status != 0) return status;
    }
  }
  if (found != nullptr) chains->Remove(found);
  return 0;
}
