// Putting a chain into a store's chain collection and taking it out, writing
// or deleting it in the system store first when the store is that one.
#pragma once

#include <cstdint>

#include "model/chain_record.h"
#include "store/stores.h"

// Replaces the store's chain of that name (any letter case) with a copy of
// `chain`, or appends a copy. In the system store the chain is written
// first; a negative status from that leaves the collection unchanged, and
// other chains of that name, whose keys the writer removed, leave the
// collection too. Gives the writer's status (0 for the package store).
int32_t PutChain(Stores& stores, const ChainRecord& chain, StoreId store);

// Deletes the chain from the system store (when that is the store) and
// removes the store's chain of that name from its collection whatever the
// deletion gave. Gives the deletion's status (0 for the package store).
int32_t RemoveChain(Stores& stores, const ChainRecord& chain, StoreId store);
