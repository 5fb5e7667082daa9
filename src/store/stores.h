// The two stores the program shows: the system store (this computer) and the
// package store (the open package file). Store-level operations name a store
// by its selector and take the record explicitly.
#pragma once

#include <cstdint>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"

constexpr uint32_t kSystemStore = 0;
constexpr uint32_t kPackageStore = 1;

// One plug-in collection and one chain collection per store, indexed by
// StoreSlot. The record owns all four; null means absent, which is the same
// as empty. Zero-initialise it ({}) and end it with Stores_Clear.
struct Stores {
  PlugInCollection* plugIns[2];
  ChainCollection* chains[2];
};

// Selector 1 is the package store; any other value the system store.
inline int StoreSlot(uint32_t store) { return store == kPackageStore ? 1 : 0; }
inline bool IsSystemStore(uint32_t store) { return StoreSlot(store) == 0; }

// Destroys a store's collections and takes the given ones (either may be
// null) in their place.
void Stores_Replace(Stores& stores, uint32_t store, PlugInCollection* plugIns, ChainCollection* chains);

// Destroys all four collections.
void Stores_Clear(Stores& stores);

// A store's collection, created empty and attached when it has none; null
// only when memory is short.
PlugInCollection* GetPlugInCollection(Stores& stores, uint32_t store);
ChainCollection* GetChainCollection(Stores& stores, uint32_t store);

// The store's chain named `name` in any letter case, or null.
ChainRecord* FindChainInStore(Stores& stores, uint32_t store, const char* name);
