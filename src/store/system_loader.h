// The loaders of the system store and the reload of Refresh System Presets.
// Reading reports nothing: whatever cannot be read is left out.
#pragma once

#include <memory>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "store/stores.h"
#include "store/system_cache.h"

// The chains below the chains key; absent (null) when none could be read.
std::unique_ptr<ChainCollection> LoadSystemChains();

// The DirectShow plug-ins with presets, then the editor's effects with
// presets; absent (null) when there is none.
std::unique_ptr<PlugInCollection> LoadSystemPlugIns();

// Reads the system store again into `stores`, its collections and its
// index (the package store is left alone). With a cache, what has not
// changed since the cache was last brought up to date is not read again;
// the result is the same. Without one, a full load.
void RefreshSystemStore(Stores& stores, SystemStoreCache* cache);
