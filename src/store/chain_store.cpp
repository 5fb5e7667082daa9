#include "store/chain_store.h"

#include "platform/text.h"
#include "store/chain_writer.h"

int32_t PutChain(Stores& stores, const ChainRecord& chain, StoreId store) {
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains == nullptr) return E_OUTOFMEMORY;
  ChainRecord* found = chains->FindChainByName(chain.name);
  int32_t status = store == StoreId::System ? WriteSystemChain(chain) : 0;
  if (StatusFailed(status)) return status;
  if (found == nullptr) {
    int32_t appended = chains->Append(ChainRecord::CopyOf(chain));
    return appended != 0 ? appended : status;
  }
  int32_t copied = found->CopyFrom(chain);
  if (copied != 0) return copied;
  if (store == StoreId::System && status == 0) {
    // The writer removed the other keys holding a chain of this name. The
    // name is kept apart: `chain` may be one of the records removed.
    char name[kNameSize];
    Text_Copy(name, sizeof(name), chain.name);
    for (int32_t i = chains->GetChainCount() - 1; i >= 0; --i) {
      ChainRecord* other = chains->Get(i);
      if (other != found && Text_EqualNoCase(other->name, name)) chains->Remove(other);
    }
  }
  return status;
}

int32_t RemoveChain(Stores& stores, const ChainRecord& chain, StoreId store) {
  int32_t status = store == StoreId::System ? DeleteSystemChain(chain) : 0;
  ChainCollection* chains = GetChainCollection(stores, store);
  if (chains != nullptr) chains->Remove(chains->FindChainByName(chain.name));
  return status;
}
