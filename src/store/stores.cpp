#include "store/stores.h"

PlugInCollection* GetPlugInCollection(Stores& stores, StoreId store) {
  std::unique_ptr<PlugInCollection>& plugIns = stores.Of(store).plugIns;
  if (!plugIns) plugIns = PlugInCollection::Create();
  return plugIns.get();
}

ChainCollection* GetChainCollection(Stores& stores, StoreId store) {
  std::unique_ptr<ChainCollection>& chains = stores.Of(store).chains;
  if (!chains) chains = ChainCollection::Create();
  return chains.get();
}

ChainRecord* FindChainInStore(const Stores& stores, StoreId store, const char* name) {
  const ChainCollection* chains = stores.Of(store).chains.get();
  return chains != nullptr ? chains->FindChainByName(name) : nullptr;
}
