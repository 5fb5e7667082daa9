#include "store/chain_store.h"

#include <cstdio>
#include <cstring>

#include "model/key_names.h"
#include "platform/text.h"
#include "store/chain_writer.h"
#include "store/tracked_write.h"

namespace {

bool KeyNameTaken(const char* keyName, const void* context) {
  const SystemIndex& index = *static_cast<const SystemIndex*>(context);
  return index.FindChainKey(keyName) != nullptr || ChainKeyExists(keyName);
}

// The key name the chain is written under: the key of the chain of that
// name it replaces (`replacedKey`), so that overwriting a chain never moves
// it; else its own, unless a key of that name holds something other than a
// chain of this name.
int32_t ChooseKeyName(Stores& stores, const ChainRecord& chain, const char* replacedKey, char* keyName, size_t size,
                      StoreFailure* failure) {
  const char* wanted = replacedKey != nullptr ? replacedKey : chain.keyName;
  const SystemIndex::ChainKey* held = stores.systemIndex.FindChainKey(wanted);
  if (replacedKey != nullptr || (held == nullptr && !ChainKeyExists(wanted)) ||
      (held != nullptr && held->isChain && Text_EqualNoCase(held->chainName.c_str(), chain.name))) {
    Text_Copy(keyName, size, wanted);
    return 0;
  }
  return MakeFreeChainKeyName(stores, chain.keyName, keyName, size, failure);
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

// Deletes a chain's key, with its file when the store owns it.
int32_t DeleteKey(Stores& stores, const char* keyName, StoreFailure* failure) {
  std::unique_ptr<ChainRecord> key = ChainRecord::Create();
  if (!key) return E_OUTOFMEMORY;
  key->SetKeyName(keyName);
  SystemWrite write;
  write.index = &stores.systemIndex;
  write.failure = failure;
  int32_t status = DeleteSystemChain(*key, &write);
  if (status == 0) {
    stores.systemIndex.RemoveChainKey(keyName);
    stores.chainKeyNames.Release(keyName);
  }
  return status;
}

// Writes the chain into the system store: into the key of the chain it
// replaces (`replacedKey`, when there is one), else under a key name of its
// own. Gives the key name it took.
int32_t WriteToSystem(Stores& stores, const ChainRecord& chain, const char* replacedKey, const StoreChange* change,
                      char* keyName, size_t size) {
  TrackedWrite write(stores, change);
  StoreFailure* failure = write.Failure();
  int32_t status = write.CheckBytes(chain.stream.Empty(), "a chain without a stream");
  if (status == 0) status = ChooseKeyName(stores, chain, replacedKey, keyName, size, failure);
  if (status != 0) return write.Finish(status);
  std::unique_ptr<ChainRecord> renamed;
  const ChainRecord* written = &chain;
  if (strcmp(keyName, chain.keyName) != 0) {
    renamed = Renamed(chain, keyName);
    if (!renamed) return write.Finish(E_OUTOFMEMORY);
    written = renamed.get();
  }
  status = write.Finish(WriteSystemChain(*written, write.Get()));
  if (status == 0) {
    stores.systemIndex.SetChainKey(IndexEntry(chain, keyName, write.Get()->written, !chain.stream.Empty()));
  } else {
    stores.chainKeyNames.Release(keyName);  // a name made for it and not taken
  }
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

int32_t MakeFreeChainKeyName(Stores& stores, const char* keyName, char* out, size_t size, StoreFailure* failure) {
  KeyNameCounter::Result result =
      stores.chainKeyNames.Next(keyName, kKeyChars, KeyNameTaken, &stores.systemIndex, out, size);
  if (result == KeyNameCounter::Result::Made) return 0;
  int32_t status = result == KeyNameCounter::Result::NoMemory ? E_OUTOFMEMORY : StatusFromError(kErrorAlreadyExists);
  return FailWith(failure, status, "no free key name could be made from \"%s\": %s", keyName,
                  KeyNameCounterProblem(result));
}

int32_t PutChain(Stores& stores, const ChainRecord& chain, StoreId store, const StoreChange* change) {
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains == nullptr) return E_OUTOFMEMORY;
  ChainRecord* found = chains->FindChainByName(chain.name);
  char keyName[kKeySize];
  Text_Copy(keyName, sizeof(keyName), found != nullptr ? found->keyName : chain.keyName);
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
