#include "views/rename.h"

#include <cstring>

#include "model/names.h"
#include "platform/text.h"
#include "store/chain_store.h"
#include "store/preset_store.h"
#include "views/store_probe.h"

namespace {

RenameOutcome Unchanged() { return RenameOutcome{}; }

RenameOutcome TakenInStore() {
  RenameOutcome outcome = Unchanged();
  outcome.takenInStore = true;
  return outcome;
}

// `outcome`, with its status and failure, marked as stopped at `step`.
RenameOutcome StoppedAt(RenameOutcome outcome, RenameStep step) {
  outcome.failed = step;
  return outcome;
}

RenameOutcome OutOfMemory() {
  RenameOutcome outcome;
  outcome.status = E_OUTOFMEMORY;
  return StoppedAt(outcome, RenameStep::WriteNew);
}

// A name that differs only in letter case names the same value and file,
// which written over would keep their old spelling. So the item is removed
// first and written again under the new spelling; when that write fails it
// is written back under the old one.
RenameOutcome RenamePresetCase(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset,
                               const char* newName, const SystemStoreOperations& operations) {
  // Removing the entry's last preset removes the entry: its identity and the
  // preset are kept apart from the collection.
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> original = PresetRecord::CopyOf(preset);
  std::unique_ptr<PresetRecord> renamed = PresetRecord::CopyOf(preset);
  if (!identity || !original || !renamed) return OutOfMemory();
  renamed->SetName(newName);
  RenameOutcome outcome = Unchanged();
  StoreChange change;
  change.failure = &outcome.failure;
  outcome.status = operations.removePreset(stores, *identity, *original, StoreId::System, &change);
  if (outcome.status != 0) return StoppedAt(outcome, RenameStep::WriteNew);
  outcome.status = operations.putPreset(stores, *identity, *renamed, StoreId::System, &change);
  if (outcome.status != 0) {
    operations.putPreset(stores, *identity, *original, StoreId::System, nullptr);
    return StoppedAt(outcome, RenameStep::WriteNew);
  }
  outcome.renamed = true;
  return outcome;
}

RenameOutcome RenamePreset(Stores& stores, StoreId store, const char* nodeLabel, const char* oldLabel,
                           const char* newName, const SystemStoreOperations& operations) {
  StoreRecords& records = stores.Of(store);
  PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(nodeLabel) : nullptr;
  PresetRecord* preset = entry != nullptr ? entry->FindPreset(oldLabel) : nullptr;
  if (preset == nullptr) return Unchanged();
  RenameOutcome outcome = Unchanged();
  if (store == StoreId::Package) {
    entry->RenamePreset(preset, newName);
    outcome.renamed = true;
    return outcome;
  }

  if (Text_EqualNoCase(preset->name, newName)) return RenamePresetCase(stores, *entry, *preset, newName, operations);
  if (IsPresetStored(*entry, newName)) return TakenInStore();
  std::unique_ptr<PresetRecord> renamed = PresetRecord::CopyOf(*preset);
  if (!renamed) return OutOfMemory();
  renamed->SetName(newName);
  char oldName[kNameSize];
  Text_Copy(oldName, sizeof(oldName), preset->name);

  // Written under the new name first: a failure there changes nothing, one
  // in the removal leaves the item under both names, in the store and in
  // the records alike.
  StoreChange change;
  change.failure = &outcome.failure;
  outcome.status = operations.putPreset(stores, *entry, *renamed, StoreId::System, &change);
  if (outcome.status != 0) return StoppedAt(outcome, RenameStep::WriteNew);
  preset = entry->FindPreset(oldName);
  if (preset == nullptr) return outcome;
  outcome.status = operations.removePreset(stores, *entry, *preset, StoreId::System, &change);
  if (outcome.status != 0) {
    outcome.bothStored = true;
    return StoppedAt(outcome, RenameStep::RemoveOld);
  }
  outcome.renamed = true;
  return outcome;
}

void SetChainName(ChainCollection& chains, ChainRecord& chain, const char* newName) {
  chain.SetName(newName);
  chains.NamesChanged();
}

// A chain's key is its identity: it is written again in place under the new
// name, which replaces the old one. When that fails part-way, the name the
// key holds decides.
RenameOutcome RenameChain(Stores& stores, StoreId store, const char* oldLabel, const char* newName,
                          const SystemStoreOperations& operations) {
  StoreRecords& records = stores.Of(store);
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
  StoreChange change;
  change.failure = &outcome.failure;
  outcome.status = operations.rewriteChain(stores, *renamed, &change);
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

void TrimNewName(const char* text, char* out, size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  if (text == nullptr) return;
  while (*text == ' ') ++text;
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') --length;
  if (length >= size) length = Text_CutLength(text, size - 1);
  memcpy(out, text, length);
  out[length] = '\0';
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

const SystemStoreOperations& RealSystemStoreOperations() {
  static const SystemStoreOperations operations = {PutPreset, RemovePreset, RewriteSystemChain};
  return operations;
}

RenameOutcome RenameItem(Stores& stores, StoreId store, NodeKind nodeKind, const char* nodeLabel,
                         const char* oldLabel, const char* newName, const SystemStoreOperations& operations) {
  if (nodeKind == NodeKind::ChainGroup) return RenameChain(stores, store, oldLabel, newName, operations);
  if (nodeKind != NodeKind::PlugIn) return Unchanged();
  return RenamePreset(stores, store, nodeLabel, oldLabel, newName, operations);
}
