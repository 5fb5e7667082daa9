// What the system store can hold, checked before anything is written, so
// that a copy that could not be carried out whole is refused up front with
// nothing written. The checks of names alone hold for a package as well:
// `ordalis-cli create` refuses what an import would refuse.
#pragma once

#include <cstdint>

#include "model/chain_record.h"
#include "model/plugin_entry.h"
#include "model/preset_record.h"
#include "store/store_failure.h"
#include "store/store_layout.h"

// Why the entry cannot name a key of the store, or null: a class key that
// is empty, leads out of its key or is the chains' key; an effect name that
// is empty, holds "\", is longer than 39 characters or is a key the loader
// passes over.
const char* PlugInNameProblem(const PlugInEntry& entry);

// Why a preset of this name would not come back as a preset of the entry,
// or null: a name the loader passes over. (A preset without a name is the
// key's default value, as the loader reads it.)
const char* PresetNameProblem(const PlugInEntry& entry, const char* name);

// Why the key name cannot name a chain's key and folder, or null.
const char* ChainKeyProblem(const char* keyName);

// The DefLocation folders of the store as they are now, read once for many
// checks.
struct StoreLocations {
  char presets[kStorePathSize] = {};
  char chains[kStorePathSize] = {};
  StoreFailure presetsFailure;  // status 0 when `presets` can take files
  StoreFailure chainsFailure;
};
void ReadStoreLocations(StoreLocations* locations);

// Whether the item's file, if it gets one, can be written: its DefLocation
// takes files and the path is short enough. 0, or a failure in words.
int32_t CheckPresetFits(const PlugInEntry& entry, const PresetRecord& preset, const StoreLocations& locations,
                        StoreFailure* failure);
int32_t CheckChainFits(const ChainRecord& chain, const StoreLocations& locations, StoreFailure* failure);
