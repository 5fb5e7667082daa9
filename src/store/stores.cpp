#include "store/stores.h"

void Stores_Replace(Stores& stores, uint32_t store, PlugInCollection* plugIns, ChainCollection* chains) {
  int slot = StoreSlot(store);
  if (stores.plugIns[slot] != plugIns) DestroyModelObject(stores.plugIns[slot]);
  if (stores.chains[slot] != chains) DestroyModelObject(stores.chains[slot]);
  stores.plugIns[slot] = plugIns;
  stores.chains[slot] = chains;
}

void Stores_Clear(Stores& stores) {
  Stores_Replace(stores, kSystemStore, nullptr, nullptr);
  Stores_Replace(stores, kPackageStore, nullptr, nullptr);
}

PlugInCollection* GetPlugInCollection(Stores& stores, uint32_t store) {
  PlugInCollection*& plugIns = stores.plugIns[StoreSlot(store)];
  if (plugIns == nullptr) plugIns = PlugInCollection::Create();
  return plugIns;
}

ChainCollection* GetChainCollection(Stores& stores, uint32_t store) {
  ChainCollection*& chains = stores.chains[StoreSlot(store)];
  if (chains == nullptr) chains = ChainCollection::Create();
  return chains;
}

ChainRecord* FindChainInStore(Stores& stores, uint32_t store, const char* name) {
  const ChainCollection* chains = stores.chains[StoreSlot(store)];
  if (chains == nullptr) return nullptr;
  return chains->Get(chains->FindChainByName(name));
}
