// The two collections of a whole package, owned together, for callers that
// read or write one package at a time.
#pragma once

#include "model/chain_collection.h"
#include "model/plugin_collection.h"

struct PackageCollections {
  PlugInCollection* plugIns = PlugInCollection::Create();  // owned; null when memory was short
  ChainCollection* chains = ChainCollection::Create();     // owned; null when memory was short

  PackageCollections() = default;
  ~PackageCollections() {
    DestroyModelObject(plugIns);
    DestroyModelObject(chains);
  }
  PackageCollections(const PackageCollections&) = delete;
  PackageCollections& operator=(const PackageCollections&) = delete;

  bool Created() const { return plugIns != nullptr && chains != nullptr; }
};
