// The actions a copy or delete records: each owns snapshots of the records
// it needs (an entry's identity without presets, a preset, a chain, and
// for an overwrite the record it replaces, with the file its value named
// in the system store) and carries itself out through the store-level
// operations.
#pragma once

#include <cstddef>
#include <memory>

#include "edit/history.h"
#include "model/chain_record.h"
#include "model/plugin_entry.h"
#include "model/preset_record.h"

// Each gives a new action owning fresh snapshots, or null when memory is
// short. `file` (null for none) is the file the value of the snapshot
// named in the system store: for a delete the item's, for an overwrite the
// replaced record's. A replaced record without bytes stands for a value
// whose file could not be read.
std::unique_ptr<HistoryAction> NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                   StoreId store);
std::unique_ptr<HistoryAction> NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                        const PresetRecord& replaced, const char* file,
                                                        StoreId store);
std::unique_ptr<HistoryAction> NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                     const char* file, StoreId store);
std::unique_ptr<HistoryAction> NewCopyChainAction(const ChainRecord& chain, StoreId store);
std::unique_ptr<HistoryAction> NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced,
                                                       const char* file, StoreId store);
std::unique_ptr<HistoryAction> NewDeleteChainAction(const ChainRecord& chain, const char* file, StoreId store);

// How failures and reports name an item: the preset "Warm" of Studio
// Reverb, the chain "Vocal".
void NamePresetItem(const PlugInEntry& entry, const char* presetName, char* buffer, size_t size);
void NameChainItem(const char* chainName, char* buffer, size_t size);
