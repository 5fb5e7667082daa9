// The actions a copy or delete records: each owns snapshots of the records
// it needs (an entry's identity without presets, a preset, a chain, and
// for an overwrite the record it replaces) and carries itself out through
// the store-level operations.
#pragma once

#include <memory>

#include "edit/history.h"
#include "model/chain_record.h"
#include "model/plugin_entry.h"
#include "model/preset_record.h"

// Each gives a new action owning fresh snapshots, or null when memory is short.
std::unique_ptr<HistoryAction> NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                   StoreId store);
std::unique_ptr<HistoryAction> NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                        const PresetRecord& replaced, StoreId store);
std::unique_ptr<HistoryAction> NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                     StoreId store);
std::unique_ptr<HistoryAction> NewCopyChainAction(const ChainRecord& chain, StoreId store);
std::unique_ptr<HistoryAction> NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced,
                                                       StoreId store);
std::unique_ptr<HistoryAction> NewDeleteChainAction(const ChainRecord& chain, StoreId store);
