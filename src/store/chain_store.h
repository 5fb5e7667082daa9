// Putting a chain into a store's chain collection and taking it out, writing
// or deleting it in the system store first when the store is that one.
#pragma once

#include <cstdint>

#include "model/chain_record.h"
#include "store/stores.h"

// Replaces the store's chain of that name (any letter case) with a copy of
// `chain`, or appends a copy. A chain it replaces keeps its key name, so
// that importing the same chains again moves no key. In the system store
// the chain is written first: into the key of the chain it replaces, else
// under its own key name; when a chain of another name holds that key,
// under a key name made from it that no key holds, which the record takes. A failure
// (negative) leaves the registry, the files and the collection as they
// were. Gives 0 or the failure.
int32_t PutChain(Stores& stores, const ChainRecord& chain, StoreId store, const StoreChange* change = nullptr);

// Deletes the store's chain of that name from the system store (when that
// is the store: the key its record names, which may not be the one `chain`
// was copied with) and removes it from the collection. A failure to delete
// leaves the collection as it was; a chain already gone is no failure.
// Gives 0 or the failure.
int32_t RemoveChain(Stores& stores, const ChainRecord& chain, StoreId store, const StoreChange* change = nullptr);

// Writes the chain again into the key its record names, which holds it
// under another name: how a chain is renamed without changing its key. The
// collection is left to the caller. Gives 0 or the failure.
int32_t RewriteSystemChain(Stores& stores, const ChainRecord& chain, const StoreChange* change = nullptr);

// Makes in `out` a key name from `keyName` that no key below the chains key
// holds: "<keyName> (2)", "(3)" and so on, cut to fit, numbered on from the
// last one made from it. Gives 0, or the failure saying why none could be
// made.
int32_t MakeFreeChainKeyName(Stores& stores, const char* keyName, char* out, size_t size, StoreFailure* failure);
