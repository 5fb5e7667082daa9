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
// `entry`'s own identity; a negative status from that leaves the preset
// list unchanged. Gives the writer's status (0 for the package store).
int32_t PutPreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store);

// Deletes the preset from the system store (when that is the store), then
// removes it from the store's entry whatever the deletion gave; an entry
// left without presets leaves its collection. Gives the deletion's status
// (0 for the package store).
int32_t RemovePreset(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store);
