#include "edit/selection_edit.h"

#include <cstring>

#include "edit/copy_delete.h"
#include "platform/text.h"
#include "store/preset_store.h"

namespace {

const PlugInCollection* PlugInsOf(const Stores& stores, StoreId store) { return stores.Of(store).plugIns.get(); }
const ChainCollection* ChainsOf(const Stores& stores, StoreId store) { return stores.Of(store).chains.get(); }

uint32_t TotalPresets(const PlugInCollection* plugIns) {
  return plugIns != nullptr ? plugIns->GetTotalPresetCount() : 0;
}
uint32_t ChainCount(const ChainCollection* chains) {
  return chains != nullptr ? static_cast<uint32_t>(chains->GetChainCount()) : 0;
}

// What one name stands for, found in `store`; the operations take what they
// need. A name that finds no record is passed over.
struct Item {
  NodeKind kind;
  const PlugInEntry* entry;
  const PresetRecord* preset;
  const ChainRecord* chain;
};

Item FindItem(const Stores& stores, StoreId store, const Selection& selection, const char* name) {
  Item item{ClassifyItem(name, selection.focus, selection.selectedKind), nullptr, nullptr, nullptr};
  switch (item.kind) {
    case NodeKind::PlugIn:
      item.entry = FindPlugInByNameInStore(stores, store, name);
      break;
    case NodeKind::Preset:
      item.entry = FindPlugInByNameInStore(stores, store, selection.context);
      if (item.entry != nullptr) item.preset = item.entry->FindPreset(name);
      break;
    case NodeKind::Chain:
      item.chain = FindChainInStore(stores, store, name);
      break;
    default:
      break;
  }
  return item;
}

// The record-level operations of a copy or a delete, and the store they
// record for: the other store for a copy, the same one for a delete.
struct Operations {
  int32_t (*allEntries)(EditContext&, const PlugInCollection&, StoreId);
  int32_t (*entryPresets)(EditContext&, const PlugInEntry&, StoreId);
  int32_t (*preset)(EditContext&, const PlugInEntry&, const PresetRecord&, StoreId);
  int32_t (*allChains)(EditContext&, const ChainCollection&, StoreId);
  int32_t (*chain)(EditContext&, const ChainRecord&, StoreId);
  bool toOtherStore;
};

const Operations kCopy = {CopyAllEntries, CopyEntryPresets, CopyPreset, CopyAllChains, CopyChain, true};
const Operations kDelete = {DeleteAllEntries, DeleteEntryPresets, DeletePreset, DeleteAllChains, DeleteChain, false};

int32_t RunItem(EditContext& edit, StoreId store, const Item& item, const Operations& op) {
  StoreId target = op.toOtherStore ? OtherStore(store) : store;
  const PlugInCollection* plugIns = PlugInsOf(edit.stores, store);
  const ChainCollection* chains = ChainsOf(edit.stores, store);
  switch (item.kind) {
    case NodeKind::PackageRoot: {
      int32_t result = plugIns != nullptr && plugIns->GetCount() > 0 ? op.allEntries(edit, *plugIns, target) : 0;
      if (result != 0) return result;
      return chains != nullptr && chains->GetChainCount() > 0 ? op.allChains(edit, *chains, target) : 0;
    }
    case NodeKind::PlugInGroup:
      return plugIns != nullptr ? op.allEntries(edit, *plugIns, target) : 0;
    case NodeKind::PlugIn:
      return item.entry != nullptr ? op.entryPresets(edit, *item.entry, target) : 0;
    case NodeKind::Preset:
      return item.preset != nullptr ? op.preset(edit, *item.entry, *item.preset, target) : 0;
    case NodeKind::ChainGroup:
      return chains != nullptr ? op.allChains(edit, *chains, target) : 0;
    case NodeKind::Chain:
      return item.chain != nullptr ? op.chain(edit, *item.chain, target) : 0;
    case NodeKind::None:
      break;
  }
  return 0;
}

// Records the operation for every name of every selection into the pending
// group, stopping at the first result that is not 0; the group is discarded
// when recording stopped.
int32_t RecordItems(EditContext& edit, StoreId store, const Selection* selections, int count,
                    const Operations& operations) {
  int32_t status = 0;
  for (int s = 0; s < count && status == 0; ++s) {
    const Selection& selection = selections[s];
    for (int32_t i = 0; i < selection.names.Count() && status == 0; ++i) {
      const char* name = selection.names.At(i);
      status = RunItem(edit, store, FindItem(edit.stores, store, selection, name), operations);
    }
  }
  if (status != 0) DiscardGroup(edit.history);
  return status;
}

}  // namespace

NodeKind ClassifyItem(const char* name, FocusKind focus, NodeKind selectedKind) {
  if (focus == FocusKind::Tree) return selectedKind;
  switch (selectedKind) {
    case NodeKind::PackageRoot:
      return strcmp(name, kPlugInGroupLabel) == 0 ? NodeKind::PlugInGroup : NodeKind::ChainGroup;
    case NodeKind::PlugInGroup:
      return NodeKind::PlugIn;
    case NodeKind::PlugIn:
      return NodeKind::Preset;
    case NodeKind::ChainGroup:
      return NodeKind::Chain;
    default:
      return NodeKind::None;
  }
}

uint32_t CountAffectedItems(const Stores& stores, StoreId store, const Selection& selection) {
  const PlugInCollection* plugIns = PlugInsOf(stores, store);
  const ChainCollection* chains = ChainsOf(stores, store);
  uint32_t total = 0;
  for (int32_t i = 0; i < selection.names.Count(); ++i) {
    const char* name = selection.names.At(i);
    switch (ClassifyItem(name, selection.focus, selection.selectedKind)) {
      case NodeKind::PackageRoot:
        total += ChainCount(chains) + TotalPresets(plugIns);
        break;
      case NodeKind::PlugInGroup:
        total += TotalPresets(plugIns);
        break;
      case NodeKind::PlugIn: {
        const PlugInEntry* entry = FindPlugInByNameInStore(stores, store, name);
        if (entry != nullptr) total += static_cast<uint32_t>(entry->GetPresetCount());
        break;
      }
      case NodeKind::ChainGroup:
        total += ChainCount(chains);
        break;
      case NodeKind::Preset:
      case NodeKind::Chain:
        total += 1;
        break;
      case NodeKind::None:
        break;
    }
  }
  return total;
}

int32_t RecordCopyOfSelections(EditContext& edit, StoreId source, const Selection* selections, int count) {
  edit.targets.Clear();
  edit.leftOut.Clear();
  if (!BeginGroup(edit.history, source, OtherStore(source), GroupKind::Copy)) return E_OUTOFMEMORY;
  edit.overwriteCount = 0;
  for (int s = 0; s < count; ++s) edit.overwriteCount += CountAffectedItems(edit.stores, source, selections[s]);
  return RecordItems(edit, source, selections, count, kCopy);
}

EditOutcome CheckRecordedGroup(EditContext& edit, StoreId changedStore) {
  EditOutcome outcome{0, false, changedStore, {}};
  const HistoryGroup* group = edit.history.pending.get();
  if (group == nullptr) return outcome;
  // A package holds any item whose names fit it; only the system store has
  // locations to check.
  StoreLocations locations;
  if (changedStore == StoreId::System) ReadStoreLocations(&locations);
  for (const std::unique_ptr<HistoryAction>& action : group->actions) {
    StoreFailure refusal;
    int32_t status = action->CheckWritable(locations, &refusal);
    if (status == 0) continue;
    outcome.status = status;
    outcome.failure.status = status;
    action->NameItem(outcome.failure.item, sizeof(outcome.failure.item));
    Text_Copy(outcome.failure.detail, sizeof(outcome.failure.detail), refusal.detail);
    DiscardGroup(edit.history);
    break;
  }
  return outcome;
}

EditOutcome CommitRecordedGroup(EditContext& edit, StoreId changedStore) {
  EditOutcome outcome{E_FAIL, false, changedStore, {}};
  History& history = edit.history;
  if (GetPendingActionCount(history) == 0) {
    DiscardGroup(history);
    return outcome;
  }
  int32_t undoBefore = GetUndoCount(history);
  outcome.status = CommitGroup(history, edit.stores, &outcome.failure);
  // A commit whose actions failed may still have changed the store: the
  // caller refreshes whenever the group went onto the undo stack.
  outcome.committed = GetUndoCount(history) > undoBefore;
  return outcome;
}

EditOutcome CommitRecordedGroupOrTakeBack(EditContext& edit, StoreId changedStore) {
  EditOutcome outcome = CommitRecordedGroup(edit, changedStore);
  if (!outcome.committed || !StatusFailed(outcome.status)) return outcome;
  if (Undo(edit.history, edit.stores, nullptr) == 0) {
    ClearRedo(edit.history);
    outcome.committed = false;
  }
  return outcome;
}

EditOutcome CopySelectionsToOtherStore(EditContext& edit, StoreId source, const Selection* selections, int count) {
  StoreId destination = OtherStore(source);
  int32_t status = RecordCopyOfSelections(edit, source, selections, count);
  if (status != 0) return EditOutcome{status, false, destination, {}};
  EditOutcome checked = CheckRecordedGroup(edit, destination);
  if (checked.status != 0) return checked;
  return CommitRecordedGroup(edit, destination);
}

EditOutcome DeleteSelections(EditContext& edit, StoreId store, const Selection* selections, int count) {
  if (!BeginGroup(edit.history, store, store, GroupKind::Delete)) return EditOutcome{E_OUTOFMEMORY, false, store, {}};
  int32_t status = RecordItems(edit, store, selections, count, kDelete);
  if (status != 0) return EditOutcome{status, false, store, {}};
  return CommitRecordedGroup(edit, store);
}
