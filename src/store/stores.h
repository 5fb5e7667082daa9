// The two stores the program shows: the system store (this computer) and the
// package store (the open package file). Store-level operations name a store
// and take the record explicitly.
#pragma once

#include "model/store_records.h"

enum class StoreId { System = 0, Package = 1 };

inline StoreId OtherStore(StoreId store) { return store == StoreId::System ? StoreId::Package : StoreId::System; }

struct Stores {
  StoreRecords system;
  StoreRecords package;

  StoreRecords& Of(StoreId store) { return store == StoreId::Package ? package : system; }
  const StoreRecords& Of(StoreId store) const { return store == StoreId::Package ? package : system; }
};

// A store's collection, created empty and attached when it has none; null
// only when memory is short.
PlugInCollection* GetPlugInCollection(Stores& stores, StoreId store);
ChainCollection* GetChainCollection(Stores& stores, StoreId store);

// The store's chain named `name` in any letter case, or null.
ChainRecord* FindChainInStore(const Stores& stores, StoreId store, const char* name);
