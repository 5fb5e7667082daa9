#include "store/system_loader.h"

namespace {

// A full load is an update of a cache that knows nothing yet.
template <class Collection>
std::unique_ptr<Collection> LoadThroughNewCache(uint32_t part,
                                                std::unique_ptr<Collection> (*build)(const SystemStoreCache*)) {
  OwnedSystemStoreCache cache = SystemStoreCache_Create();
  if (!cache) return nullptr;
  SystemStoreCache_Update(cache.get(), part);
  return build(cache.get());
}

}  // namespace

std::unique_ptr<ChainCollection> LoadSystemChains() {
  return LoadThroughNewCache(kCacheChains, SystemStoreCache_BuildChains);
}

std::unique_ptr<PlugInCollection> LoadSystemPlugIns() {
  return LoadThroughNewCache(kCachePlugIns, SystemStoreCache_BuildPlugIns);
}

void RefreshSystemStore(Stores& stores, SystemStoreCache* cache) {
  stores.system = {};
  stores.systemIndex.Clear();
  stores.chainKeyNames.Clear();
  // Without a cache, a full load: the update of a cache that knows nothing.
  OwnedSystemStoreCache fresh;
  if (cache == nullptr) {
    fresh = SystemStoreCache_Create();
    cache = fresh.get();
    if (cache == nullptr) return;
  }
  SystemStoreCache_Update(cache, kCacheChains | kCachePlugIns);  // chains first, as at start-up
  stores.system.chains = SystemStoreCache_BuildChains(cache);
  stores.system.plugIns = SystemStoreCache_BuildPlugIns(cache);
  SystemStoreCache_BuildIndex(cache, &stores.systemIndex);
  SystemStoreCache_BuildUnreadable(cache, stores.system.plugIns.get(), &stores.system.unreadable);
}
