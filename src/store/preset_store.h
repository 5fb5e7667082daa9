// Putting a preset into a store's plug-in collection and taking it out,
// writing or deleting it in the system store first when the store is that
// one. The twins of the chain operations in chain_store.h.
#pragma once

#include <cstdint>

#include "model/plugin_entry.h"
#include "model/preset_record.h"
#include "store/stores.h"

// The store's entry that is the same plug-in as `entry`, or null.
PlugInEntry* FindPlugInInStore(const Stores& stores, StoreId store, const PlugInEntry& entry);
// The store's first entry whose name or display name is `name`, or null.
PlugInEntry* FindPlugInByNameInStore(const Stores& stores, StoreId store, const char* name);

// Replaces the preset of that name (any letter case) in the store's entry
// for `entry`, or adds a copy, creating the entry (without presets) when the
// store has none. In the system store the preset is written first, under
// `entry`'s own identity; a failure (negative) leaves the registry, the
// files and the collection as they were. Gives 0 or the failure.
int32_t PutPreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store,
                  const StoreChange* change = nullptr);

// Deletes the preset from the system store (when that is the store), then
// removes it from the store's entry; an entry left without presets leaves
// its collection. A failure to delete leaves the collection as it was; a
// preset already gone is no failure. Gives 0 or the failure.
int32_t RemovePreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store,
                     const StoreChange* change = nullptr);
