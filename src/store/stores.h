// The two stores the program shows: the system store (this computer) and the
// package store (the open package file). Store-level operations name a store
// and take the record explicitly.
#pragma once

#include "model/key_names.h"
#include "model/store_records.h"
#include "store/store_failure.h"
#include "store/system_index.h"
#include "store/write_trail.h"

enum class StoreId { System = 0, Package = 1 };

inline StoreId OtherStore(StoreId store) { return store == StoreId::System ? StoreId::Package : StoreId::System; }

struct Stores {
  StoreRecords system;
  StoreRecords package;
  // What the system store holds beyond its records; RefreshSystemStore
  // builds it with them.
  SystemIndex systemIndex;
  // Where the numbering of chain key names made for the system store goes
  // on from.
  KeyNameCounter chainKeyNames;

  StoreRecords& Of(StoreId store) { return store == StoreId::Package ? package : system; }
  const StoreRecords& Of(StoreId store) const { return store == StoreId::Package ? package : system; }
};

// What a store-level operation is given beside its record, and what it
// gives back. Only the system store uses it.
struct StoreChange {
  // Put: the file the record's value named when the record was taken from
  // the system store: named again when it still holds the record's bytes. A
  // record without bytes stands for a value whose file could not be read:
  // putting it back names that file again and shows no record.
  const char* file = nullptr;
  // Put: receives what the write created in the registry around the item,
  // for TakeBack once the item is gone again.
  WriteTrail* trail = nullptr;
  StoreFailure* failure = nullptr;  // what failed, in words
};

// A store's collection, created empty and attached when it has none; null
// only when memory is short.
PlugInCollection* GetPlugInCollection(Stores& stores, StoreId store);
ChainCollection* GetChainCollection(Stores& stores, StoreId store);

// The store's chain named `name` in any letter case, or null.
ChainRecord* FindChainInStore(const Stores& stores, StoreId store, const char* name);
