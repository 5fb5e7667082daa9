#include "store/system_loader.h"

namespace {

// A full load is an update of a cache that knows nothing yet.
template <class Collection>
Collection* LoadThroughNewCache(uint32_t part, Collection* (*build)(const SystemStoreCache*)) {
  SystemStoreCache* cache = SystemStoreCache_Create();
  if (cache == nullptr) return nullptr;
  SystemStoreCache_Update(cache, part);
  Collection* collection = build(cache);
  SystemStoreCache_Destroy(cache);
  return collection;
}

}  // namespace

ChainCollection* LoadSystemChains() { return LoadThroughNewCache(kCacheChains, SystemStoreCache_BuildChains); }

PlugInCollection* LoadSystemPlugIns() { return LoadThroughNewCache(kCachePlugIns, SystemStoreCache_BuildPlugIns); }

void RefreshSystemStore(Stores& stores, SystemStoreCache* cache) {
  Stores_Replace(stores, kSystemStore, nullptr, nullptr);
  if (cache == nullptr) {
    ChainCollection* chains = LoadSystemChains();
    Stores_Replace(stores, kSystemStore, LoadSystemPlugIns(), chains);
    return;
  }
  SystemStoreCache_Update(cache, kCacheChains | kCachePlugIns);
  ChainCollection* chains = SystemStoreCache_BuildChains(cache);
  Stores_Replace(stores, kSystemStore, SystemStoreCache_BuildPlugIns(cache), chains);
}
