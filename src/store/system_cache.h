// What the last reading of the system store found, kept so that a refresh
// reads again only what changed since: a part of the registry whose watch
// has not fired is taken as it was; in a part that changed, a key whose
// last-write time is the same is taken as it was; a preset file is read
// again when its size or last-write time changed; names of plug-ins are
// looked up again when the class registrations changed. The collections
// built from it are always new and always those a full load would give.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "model/unreadable_item.h"
#include "store/system_index.h"

// Owned by whoever created it (the frame, for the program's life).
struct SystemStoreCache;

constexpr uint32_t kCacheChains = 0x1;
constexpr uint32_t kCachePlugIns = 0x2;

struct SystemStoreCacheDeleter {
  void operator()(SystemStoreCache* cache) const;
};
using OwnedSystemStoreCache = std::unique_ptr<SystemStoreCache, SystemStoreCacheDeleter>;

// Empty when memory is short.
OwnedSystemStoreCache SystemStoreCache_Create();

// Brings the parts named by `parts` in line with the registry and the
// preset files.
void SystemStoreCache_Update(SystemStoreCache* cache, uint32_t parts);

// New collections of what the cache holds; absent (null) when empty.
std::unique_ptr<ChainCollection> SystemStoreCache_BuildChains(const SystemStoreCache* cache);
std::unique_ptr<PlugInCollection> SystemStoreCache_BuildPlugIns(const SystemStoreCache* cache);

// Makes `index` what the cache holds beyond the collections: every value
// and chain key that names a file, read or not, and every chain key.
void SystemStoreCache_BuildIndex(const SystemStoreCache* cache, SystemIndex* index);

// The presets and chains of the cache that exist but could not be read,
// with the reason of each; `plugIns` (the collection built from the same
// cache) names their plug-ins as the tree does.
void SystemStoreCache_BuildUnreadable(const SystemStoreCache* cache, const PlugInCollection* plugIns,
                                      std::vector<UnreadableItem>* items);
