#include "store/chain_store.h"

#include "platform/text.h"
#include "store/chain_writer.h"

int32_t PutChain(Stores& stores, const ChainRecord& chain, uint32_t store) {
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains == nullptr) return E_OUTOFMEMORY;
  int32_t found = chains->FindChainByName(chain.name);
  int32_t status = IsSystemStore(store) ? WriteSystemChain(chain) : 0;
  if (StatusFailed(status)) return status;
  if (found < 0) {
    ChainRecord* copy = ChainRecord::Create();
    int32_t copied = copy != nullptr ? copy->CopyFrom(chain) : E_OUTOFMEMORY;
    if (copied == 0) copied = chains->Append(copy);
    if (copied != 0) {
      DestroyModelObject(copy);
      return copied;
    }
    return status;
  }
  int32_t copied = chains->Get(found)->CopyFrom(chain);
  if (copied != 0) return copied;
  if (IsSystemStore(store) && status == 0) {
    // The writer removed the other keys holding a chain of this name. The
    // name is kept apart: `chain` may be one of the records removed.
    char name[kNameSize];
    Text_Copy(name, sizeof(name), chain.name);
    for (int32_t i = chains->GetChainCount() - 1; i > found; --i) {
      if (Text_EqualNoCase(chains->Get(i)->name, name)) chains->RemoveAt(i);
    }
  }
  return status;
}

int32_t RemoveChain(Stores& stores, const ChainRecord& chain, uint32_t store) {
  int32_t status = IsSystemStore(store) ? DeleteSystemChain(chain) : 0;
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains != nullptr) chains->RemoveAt(chains->FindChainByName(chain.name));
  return status;
}
