// What one store holds: a plug-in collection and a chain collection, each
// owned, each possibly absent (which is the same as empty).
#pragma once

#include <memory>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"

struct StoreRecords {
  std::unique_ptr<PlugInCollection> plugIns;
  std::unique_ptr<ChainCollection> chains;

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
