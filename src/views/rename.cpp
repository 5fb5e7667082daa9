#include "views/rename.h"

#include <cstring>

#include "model/names.h"
#include "platform/text.h"
#include "store/chain_writer.h"
#include "store/preset_writer.h"
#include "views/store_probe.h"

namespace {

RenameOutcome Unchanged() { return RenameOutcome{false, false, false, RenameStep::None, 0}; }

RenameOutcome TakenInStore() {
  RenameOutcome outcome = Unchanged();
  outcome.takenInStore = true;
  return outcome;
}

RenameOutcome OutOfMemory() { return RenameOutcome{false, false, false, RenameStep::WriteNew, E_OUTOFMEMORY}; }

// After a failed step: the records follow what the store now holds. Only
// the new name stored means renamed; both names stored add the renamed
// copy beside the old record.
void FollowStoredPreset(PlugInEntry& entry, PresetRecord& preset, const char* oldName,
                        std::unique_ptr<PresetRecord> renamed, RenameOutcome* outcome) {
  bool oldStored = IsPresetStored(entry, oldName);
  bool newStored = IsPresetStored(entry, renamed->name);
  if (newStored && oldStored) {
    outcome->bothStored = entry.AppendPreset(std::move(renamed)) == 0;
  } else if (newStored) {
    entry.RenamePreset(&preset, renamed->name);
    outcome->renamed = true;
  }
}

RenameOutcome RenamePreset(StoreRecords& records, StoreId store, const char* nodeLabel, const char* oldLabel,
                           const char* newName, const SystemStoreWriters& writers) {
  PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(nodeLabel) : nullptr;
  PresetRecord* preset = entry != nullptr ? entry->FindPreset(oldLabel) : nullptr;
  if (preset == nullptr) return Unchanged();
  RenameOutcome outcome = Unchanged();
  if (store == StoreId::Package) {
    entry->RenamePreset(preset, newName);
    outcome.renamed = true;
    return outcome;
  }

  if (IsPresetStored(*entry, newName)) return TakenInStore();
  std::unique_ptr<PresetRecord> renamed = PresetRecord::CopyOf(*preset);
  if (!renamed) return OutOfMemory();
  renamed->SetName(newName);
  char oldName[kNameSize];
  Text_Copy(oldName, sizeof(oldName), preset->name);

  // Any status but 0 is a failure here, registry codes included: the
  // rename must know what the store holds.
  outcome.status = entry->IsEditor() ? writers.writeEditorPreset(*entry, *renamed)
                                     : writers.writeDirectShowPreset(*entry, *renamed);
  if (outcome.status == 0) {
    outcome.status = writers.deletePreset(*entry, *preset);
    if (outcome.status == 0) {
      entry->RenamePreset(preset, newName);
      outcome.renamed = true;
      return outcome;
    }
    outcome.failed = RenameStep::RemoveOld;
  } else {
    outcome.failed = RenameStep::WriteNew;
  }
  FollowStoredPreset(*entry, *preset, oldName, std::move(renamed), &outcome);
  return outcome;
}

void SetChainName(ChainCollection& chains, ChainRecord& chain, const char* newName) {
  chain.SetName(newName);
  chains.NamesChanged();
}

// A chain's key is its identity: it is written again in place under the new
// name, which replaces the old one. When that fails part-way, the name the
// key holds decides.
RenameOutcome RenameChain(StoreRecords& records, StoreId store, const char* oldLabel, const char* newName,
                          const SystemStoreWriters& writers) {
  ChainRecord* chain = records.chains ? records.chains->FindChainByName(oldLabel) : nullptr;
  if (chain == nullptr) return Unchanged();
  RenameOutcome outcome = Unchanged();
  if (store == StoreId::Package) {
    SetChainName(*records.chains, *chain, newName);
    outcome.renamed = true;
    return outcome;
  }
  // Writing would remove every other key that holds a chain of the name.
  if (IsChainNameStored(newName, chain->keyName)) return TakenInStore();
  std::unique_ptr<ChainRecord> renamed = ChainRecord::CopyOf(*chain);
  if (!renamed) return OutOfMemory();
  renamed->SetName(newName);
  outcome.status = writers.writeChain(*renamed);
  char stored[kNameSize] = {};
  if (outcome.status != 0) {
    outcome.failed = RenameStep::WriteNew;
    if (ReadStoredChainName(chain->keyName, stored, sizeof(stored)) != 0 || strcmp(stored, renamed->name) != 0) {
      return outcome;
    }
  }
  SetChainName(*records.chains, *chain, newName);
  outcome.renamed = true;
  return outcome;
}

}  // namespace

NameCheck CheckNewName(const char* text) {
  if (text == nullptr || text[0] == '\0') return NameCheck::Cancelled;
  // Room past the limit for a character of two units, so that a long text
  // is never cut back below it.
  char16_t units[kMaxRenameChars + 8];
  return Text_ToUtf16(text, units, sizeof(units) / sizeof(units[0])) > kMaxRenameChars ? NameCheck::TooLong
                                                                                       : NameCheck::Acceptable;
}

RenameConflict FindRenameConflict(const StoreRecords& records, NodeKind nodeKind, const char* nodeLabel,
                                  const char* oldLabel, const char* newName) {
  bool taken = false;
  if (nodeKind == NodeKind::ChainGroup) {
    taken = records.chains && records.chains->FindChainByName(newName) != nullptr;
  } else {
    const PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(nodeLabel) : nullptr;
    taken = entry != nullptr && entry->FindPreset(newName) != nullptr;
  }
  if (!taken) return RenameConflict::None;
  return Text_EqualNoCase(oldLabel, newName) ? RenameConflict::SameName : RenameConflict::Conflict;
}

const SystemStoreWriters& RealSystemStoreWriters() {
  static const SystemStoreWriters writers = {
      [](const PlugInEntry& entry, const PresetRecord& preset) { return WriteDirectShowPreset(entry, preset); },
      [](const PlugInEntry& entry, const PresetRecord& preset) { return WriteEditorPreset(entry, preset); },
      [](const PlugInEntry& entry, const PresetRecord& preset) { return DeleteSystemPreset(entry, preset); },
      [](const ChainRecord& chain) { return WriteSystemChain(chain); }};
  return writers;
}

RenameOutcome RenameItem(Stores& stores, StoreId store, NodeKind nodeKind, const char* nodeLabel,
                         const char* oldLabel, const char* newName, const SystemStoreWriters& writers) {
  StoreRecords& records = stores.Of(store);
  if (nodeKind == NodeKind::ChainGroup) return RenameChain(records, store, oldLabel, newName, writers);
  if (nodeKind != NodeKind::PlugIn) return Unchanged();
  return RenamePreset(records, store, nodeLabel, oldLabel, newName, writers);
}
