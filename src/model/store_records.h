// What one store holds: a plug-in collection and a chain collection, each
// owned, each possibly absent (which is the same as empty), and the items
// that exist but could not be read.
#pragma once

#include <memory>
#include <vector>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "model/unreadable_item.h"

struct StoreRecords {
  std::unique_ptr<PlugInCollection> plugIns;
  std::unique_ptr<ChainCollection> chains;
  // The system store's items that could not be read, in the registry's
  // order: presets, then chains. Never in the package store.
  std::vector<UnreadableItem> unreadable;

  // Both collections, new and empty; false when memory is short.
  bool CreateEmpty() {
    plugIns = PlugInCollection::Create();
    chains = ChainCollection::Create();
    return plugIns && chains;
  }
  bool IsEmpty() const {
    return (!plugIns || plugIns->GetCount() == 0) && (!chains || chains->GetChainCount() == 0);
  }
};
