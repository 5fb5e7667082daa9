// What the system store holds for one item, read back after a write that
// failed, so that the records in memory can follow the store.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/plugin_entry.h"

// True when the entry's key holds a value named `presetName`.
bool IsPresetStored(const PlugInEntry& entry, const char* presetName);

// The Name value of the chain key `keyName`: 0 with the name, or the
// registry's status.
int32_t ReadStoredChainName(const char* keyName, char* name, size_t size);

// True when a chain key other than `exceptKey` holds a chain named
// `chainName` (in any letter case).
bool IsChainNameStored(const char* chainName, const char* exceptKey);
