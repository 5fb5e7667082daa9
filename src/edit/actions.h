// The actions a copy or delete records: each owns snapshots of the records
// it needs (an entry's identity without presets, a preset, a chain, and
// for an overwrite the record it replaces) and carries itself out through
// the store-level operations.
#pragma once

#include <cstdint>

#include "edit/history.h"
#include "model/chain_record.h"
#include "model/plugin_entry.h"
#include "model/preset_record.h"

// Each gives a new action owning fresh snapshots, or null when memory is short.
HistoryAction* NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset, uint32_t store);
HistoryAction* NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                        const PresetRecord& replaced, uint32_t store);
HistoryAction* NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset, uint32_t store);
HistoryAction* NewCopyChainAction(const ChainRecord& chain, uint32_t store);
HistoryAction* NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced, uint32_t store);
HistoryAction* NewDeleteChainAction(const ChainRecord& chain, uint32_t store);
