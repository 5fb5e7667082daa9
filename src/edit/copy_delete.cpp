#include "edit/copy_delete.h"

#include <cstdio>
#include <string>

#include "edit/actions.h"
#include "store/preset_store.h"

namespace {

// Decides what to do with an item that exists in the destination, by the
// standing answer or by asking: Yes, No, Cancel for a single item, and the
// answers for all remaining items when the copy covers more than one.
// Gives true to overwrite; `result` is what the copy gives (E_CANCELLED on
// Cancel).
bool DecideOverwrite(EditContext& edit, const char* kind, const char* name, StoreId destination, bool carriedTwice,
                     int32_t* result) {
  *result = 0;
  History& history = edit.history;
  if (history.overwriteRule == OverwriteRule::OverwriteAll) return true;
  if (history.overwriteRule == OverwriteRule::SkipAll || edit.question == nullptr) return false;
  switch (edit.question->Ask(OverwriteItem{kind, name, destination, edit.overwriteCount >= 2, carriedTwice})) {
    case OverwriteAnswer::Cancel:
      *result = E_CANCELLED;
      return false;
    case OverwriteAnswer::Yes:
      return true;
    case OverwriteAnswer::YesToAll:
      history.overwriteRule = OverwriteRule::OverwriteAll;
      return true;
    case OverwriteAnswer::NoToAll:
      history.overwriteRule = OverwriteRule::SkipAll;
      return false;
    case OverwriteAnswer::No:
      break;
  }
  return false;
}

// Adds an action to the pending group, or in place of the action of an
// earlier source item that becomes the same destination item. An action
// that could not be built fails the copy or delete rather than leaving the
// item out unnoticed.
int32_t Record(EditContext& edit, std::unique_ptr<HistoryAction> action, const std::string& key, const void* source,
               PendingTargets::Target* replaces) {
  if (!action) return E_OUTOFMEMORY;
  if (replaces != nullptr) {
    ReplacePendingAction(edit.history, replaces->action, std::move(action));
    replaces->source = source;
    return 0;
  }
  int32_t status = AddAction(edit.history, std::move(action));
  if (status != 0) return status;
  if (key.empty()) return 0;
  return edit.targets.Add(key, PendingTargets::Target{source, GetPendingActionCount(edit.history) - 1})
             ? 0
             : E_OUTOFMEMORY;
}

int32_t RecordDelete(EditContext& edit, std::unique_ptr<HistoryAction> action) {
  if (!action) return E_OUTOFMEMORY;
  return AddAction(edit.history, std::move(action));
}

int32_t LeaveOut(EditContext& edit, const char* item, const char* why) {
  char line[kItemTextSize + 64];
  snprintf(line, sizeof(line), "%s %s", item, why);
  return edit.leftOut.Add(line);
}

const SystemIndex* IndexOf(const EditContext& edit, StoreId store) {
  return store == StoreId::System ? &edit.stores.systemIndex : nullptr;
}

// The file the value of the system store's preset names, when its bytes
// were read (and so are in the record).
const char* ReadFileOf(const SystemIndex* index, const PlugInEntry& entry, const char* name) {
  const SystemIndex::ValueFile* value = index != nullptr ? index->FindValueFile(entry, name) : nullptr;
  return value != nullptr && value->read ? value->file.c_str() : nullptr;
}

const char* ReadFileOfChain(const SystemIndex* index, const char* keyName) {
  const SystemIndex::ChainKey* key = index != nullptr ? index->FindChainKey(keyName) : nullptr;
  return key != nullptr && key->read ? key->file.c_str() : nullptr;
}

}  // namespace

int32_t CopyPreset(EditContext& edit, const PlugInEntry& source, const PresetRecord& preset, StoreId destination) {
  char item[kItemTextSize];
  NamePresetItem(source, preset.name, item, sizeof(item));
  if (preset.data.Empty()) return LeaveOut(edit, item, "has no data");
  if (destination == StoreId::System && preset.name[0] == '\0') return LeaveOut(edit, item, "has no name");

  std::string key;
  if (!PendingTargets::PresetKey(destination, source, preset.name, &key)) return E_OUTOFMEMORY;
  PendingTargets::Target* pending = edit.targets.Find(key);
  if (pending != nullptr && pending->source == &preset) return 0;  // named twice: copied once

  const SystemIndex* index = IndexOf(edit, destination);
  PlugInEntry* target = FindPlugInInStore(edit.stores, destination, source);
  const PresetRecord* existing = target != nullptr ? target->FindPreset(preset.name) : nullptr;
  // A value of the system store whose file could not be read is there all
  // the same: overwriting it is the user's decision too.
  const SystemIndex::ValueFile* unread = nullptr;
  if (existing == nullptr && index != nullptr) unread = index->FindValueFile(source, preset.name);
  if (existing == nullptr && unread == nullptr && pending == nullptr) {
    return Record(edit, NewCopyPresetAction(source, preset, destination), key, &preset, nullptr);
  }

  char display[kNameSize];
  (target != nullptr ? *target : source).GetDisplayName(display, sizeof(display));
  const char* name = existing != nullptr ? existing->name : unread != nullptr ? unread->name.c_str() : preset.name;
  int32_t result = 0;
  if (!DecideOverwrite(edit, display, name, destination, existing == nullptr && unread == nullptr, &result)) {
    return result;
  }
  std::unique_ptr<HistoryAction> action;
  if (existing != nullptr) {
    action = NewOverwritePresetAction(source, preset, *existing, ReadFileOf(index, *target, existing->name),
                                      destination);
  } else if (unread != nullptr) {
    std::unique_ptr<PresetRecord> replaced = PresetRecord::Create(unread->name.c_str());
    if (!replaced) return E_OUTOFMEMORY;
    action = NewOverwritePresetAction(source, preset, *replaced, unread->file.c_str(), destination);
  } else {
    action = NewCopyPresetAction(source, preset, destination);
  }
  return Record(edit, std::move(action), key, &preset, pending);
}

int32_t CopyEntryPresets(EditContext& edit, const PlugInEntry& source, StoreId destination) {
  for (const std::unique_ptr<PresetRecord>& preset : source.Presets()) {
    int32_t result = CopyPreset(edit, source, *preset, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyAllEntries(EditContext& edit, const PlugInCollection& source, StoreId destination) {
  for (const std::unique_ptr<PlugInEntry>& entry : source.Entries()) {
    int32_t result = CopyEntryPresets(edit, *entry, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t CopyChain(EditContext& edit, const ChainRecord& chain, StoreId destination) {
  char item[kItemTextSize];
  NameChainItem(chain.name, item, sizeof(item));
  if (chain.stream.Empty()) return LeaveOut(edit, item, "has no stream");

  std::string key;
  if (!PendingTargets::ChainKey(chain.name, &key)) return E_OUTOFMEMORY;
  PendingTargets::Target* pending = edit.targets.Find(key);
  if (pending != nullptr && pending->source == &chain) return 0;

  const SystemIndex* index = IndexOf(edit, destination);
  const ChainRecord* existing = FindChainInStore(edit.stores, destination, chain.name);
  const SystemIndex::ChainKey* unread = nullptr;
  if (existing == nullptr && index != nullptr) unread = index->FindUnreadChain(chain.name);
  if (existing == nullptr && unread == nullptr && pending == nullptr) {
    return Record(edit, NewCopyChainAction(chain, destination), key, &chain, nullptr);
  }

  const char* name = existing != nullptr ? existing->name : unread != nullptr ? unread->chainName.c_str() : chain.name;
  int32_t result = 0;
  if (!DecideOverwrite(edit, kChainItemKind, name, destination, existing == nullptr && unread == nullptr, &result)) {
    return result;
  }
  std::unique_ptr<HistoryAction> action;
  if (existing != nullptr) {
    action = NewOverwriteChainAction(chain, *existing, ReadFileOfChain(index, existing->keyName), destination);
  } else if (unread != nullptr) {
    std::unique_ptr<ChainRecord> replaced = ChainRecord::Create();
    if (!replaced) return E_OUTOFMEMORY;
    replaced->SetName(unread->chainName.c_str());
    replaced->SetKeyName(unread->keyName.c_str());
    replaced->flags = unread->flags;
    replaced->type = unread->type;
    action = NewOverwriteChainAction(chain, *replaced, unread->file.c_str(), destination);
  } else {
    action = NewCopyChainAction(chain, destination);
  }
  return Record(edit, std::move(action), key, &chain, pending);
}

int32_t CopyAllChains(EditContext& edit, const ChainCollection& source, StoreId destination) {
  for (const std::unique_ptr<ChainRecord>& chain : source.Chains()) {
    int32_t result = CopyChain(edit, *chain, destination);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeletePreset(EditContext& edit, const PlugInEntry& entry, const PresetRecord& preset, StoreId store) {
  return RecordDelete(edit, NewDeletePresetAction(entry, preset, ReadFileOf(IndexOf(edit, store), entry, preset.name),
                                                  store));
}

int32_t DeleteEntryPresets(EditContext& edit, const PlugInEntry& entry, StoreId store) {
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    int32_t result = DeletePreset(edit, entry, *preset, store);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteAllEntries(EditContext& edit, const PlugInCollection& plugIns, StoreId store) {
  for (const std::unique_ptr<PlugInEntry>& entry : plugIns.Entries()) {
    int32_t result = DeleteEntryPresets(edit, *entry, store);
    if (result != 0) return result;
  }
  return 0;
}

int32_t DeleteChain(EditContext& edit, const ChainRecord& chain, StoreId store) {
  return RecordDelete(edit, NewDeleteChainAction(chain, ReadFileOfChain(IndexOf(edit, store), chain.keyName), store));
}

int32_t DeleteAllChains(EditContext& edit, const ChainCollection& chains, StoreId store) {
  for (const std::unique_ptr<ChainRecord>& chain : chains.Chains()) {
    int32_t result = DeleteChain(edit, *chain, store);
    if (result != 0) return result;
  }
  return 0;
}
