// The record-level copy and delete operations. They record actions into the
// history's pending group (asking the overwrite question where an item
// already exists in the destination) and change nothing themselves: the
// actions are carried out when the group is committed.
//
// Copies give 0, or E_CANCELLED when the user chose Cancel; deletes give 0.
// Both give E_OUTOFMEMORY when an action cannot be recorded. The loops stop
// at the first result that is not 0.
#pragma once

#include <cstdint>

#include "edit/edit_context.h"
#include "model/chain_collection.h"
#include "model/plugin_collection.h"

int32_t CopyPreset(EditContext& edit, const PlugInEntry& source, const PresetRecord& preset, StoreId destination);
int32_t CopyEntryPresets(EditContext& edit, const PlugInEntry& source, StoreId destination);
int32_t CopyAllEntries(EditContext& edit, const PlugInCollection& source, StoreId destination);
int32_t CopyChain(EditContext& edit, const ChainRecord& chain, StoreId destination);
int32_t CopyAllChains(EditContext& edit, const ChainCollection& source, StoreId destination);

int32_t DeletePreset(EditContext& edit, const PlugInEntry& entry, const PresetRecord& preset, StoreId store);
int32_t DeleteEntryPresets(EditContext& edit, const PlugInEntry& entry, StoreId store);
int32_t DeleteAllEntries(EditContext& edit, const PlugInCollection& plugIns, StoreId store);
int32_t DeleteChain(EditContext& edit, const ChainRecord& chain, StoreId store);
int32_t DeleteAllChains(EditContext& edit, const ChainCollection& chains, StoreId store);
