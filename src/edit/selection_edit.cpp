#include "edit/selection_edit.h"

#include <cstring>

#include "edit/copy_delete.h"
#include "resource.h"
#include "store/preset_store.h"

namespace {

uint32_t OtherStore(uint32_t store) { return IsSystemStore(store) ? kPackageStore : kSystemStore; }

const PlugInCollection* PlugInsOf(Stores& stores, uint32_t store) { return stores.plugIns[StoreSlot(store)]; }
const ChainCollection* ChainsOf(Stores& stores, uint32_t store) { return stores.chains[StoreSlot(store)]; }

uint32_t TotalPresets(const PlugInCollection* plugIns) {
  return plugIns != nullptr ? plugIns->GetTotalPresetCount() : 0;
}
uint32_t ChainCount(const ChainCollection* chains) {
  return chains != nullptr ? static_cast<uint32_t>(chains->GetChainCount()) : 0;
}

const char* NameAt(const Selection& selection, int32_t index) { return VtList_At<const char>(selection.names, index); }

// What one name stands for, found in `store`; the operations take what they
// need. A name that finds no record is passed over.
struct Item {
  NodeKind kind;
  const PlugInEntry* entry;
  const PresetRecord* preset;
  const ChainRecord* chain;
};

Item FindItem(Stores& stores, uint32_t store, const Selection& selection, const char* name) {
  Item item{ClassifyItem(name, selection.focusKind, selection.selectedKind), nullptr, nullptr, nullptr};
  switch (item.kind) {
    case NodeKind::PlugIn:
      item.entry = FindPlugInByNameInStore(stores, store, name);
      break;
    case NodeKind::Preset:
      item.entry = FindPlugInByNameInStore(stores, store, selection.context);
      if (item.entry != nullptr) item.preset = item.entry->FindPresetRecord(name);
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
  int32_t (*allEntries)(EditContext&, const PlugInCollection&, uint32_t);
  int32_t (*entryPresets)(EditContext&, const PlugInEntry&, uint32_t);
  int32_t (*preset)(EditContext&, const PlugInEntry&, const PresetRecord&, uint32_t);
  int32_t (*allChains)(EditContext&, const ChainCollection&, uint32_t);
  int32_t (*chain)(EditContext&, const ChainRecord&, uint32_t);
  bool toOtherStore;
};

const Operations kCopy = {CopyAllEntries, CopyEntryPresets, CopyPreset, CopyAllChains, CopyChain, true};
const Operations kDelete = {DeleteAllEntries, DeleteEntryPresets, DeletePreset, DeleteAllChains, DeleteChain, false};

int32_t RunItem(EditContext& edit, uint32_t store, const Item& item, const Operations& op) {
  uint32_t target = op.toOtherStore ? OtherStore(store) : store;
  const PlugInCollection* plugIns = PlugInsOf(*edit.stores, store);
  const ChainCollection* chains = ChainsOf(*edit.stores, store);
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
int32_t RecordItems(EditContext& edit, uint32_t store, const Selection* selections, int count,
                    const Operations& operations) {
  int32_t status = 0;
  for (int s = 0; s < count && status == 0; ++s) {
    const Selection& selection = selections[s];
    for (int32_t i = 0; i < VtList_Count(selection.names) && status == 0; ++i) {
      const char* name = NameAt(selection, i);
      if (name != nullptr) status = RunItem(edit, store, FindItem(*edit.stores, store, selection, name), operations);
    }
  }
  if (status != 0) DiscardGroup(*edit.history);
  return status;
}

}  // namespace

NodeKind ClassifyItem(const char* name, int focusKind, NodeKind selectedKind) {
  if (focusKind == kFocusTree) return selectedKind;
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

uint32_t CountAffectedItems(Stores& stores, uint32_t store, const Selection& selection) {
  const PlugInCollection* plugIns = PlugInsOf(stores, store);
  const ChainCollection* chains = ChainsOf(stores, store);
  uint32_t total = 0;
  for (int32_t i = 0; i < VtList_Count(selection.names); ++i) {
    const char* name = NameAt(selection, i);
    if (name == nullptr) continue;
    switch (ClassifyItem(name, selection.focusKind, selection.selectedKind)) {
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

int32_t RecordCopyOfSelections(EditContext& edit, uint32_t source, const Selection* selections, int count) {
  BeginGroup(*edit.history, source, OtherStore(source));
  SetGroupName(*edit.history, edit.strings, IDS_GROUP_COPY);
  edit.overwriteCount = 0;
  for (int s = 0; s < count; ++s) edit.overwriteCount += CountAffectedItems(*edit.stores, source, selections[s]);
  return RecordItems(edit, source, selections, count, kCopy);
}

EditOutcome CommitRecordedGroup(EditContext& edit, uint32_t changedStore) {
  EditOutcome outcome{E_FAIL, false, changedStore};
  History& history = *edit.history;
  if (GetPendingActionCount(history) == 0) {
    DiscardGroup(history);
    return outcome;
  }
  int32_t undoBefore = GetUndoCount(history);
  outcome.status = CommitGroup(history, *edit.stores);
  // A commit whose actions failed still changed the store: the caller
  // refreshes whenever the group went onto the undo stack.
  outcome.committed = GetUndoCount(history) > undoBefore;
  return outcome;
}

EditOutcome CopySelectionsToOtherStore(EditContext& edit, uint32_t source, const Selection* selections, int count) {
  int32_t status = RecordCopyOfSelections(edit, source, selections, count);
  if (status != 0) return EditOutcome{status, false, OtherStore(source)};
  return CommitRecordedGroup(edit, OtherStore(source));
}

EditOutcome DeleteSelections(EditContext& edit, uint32_t store, const Selection* selections, int count) {
  BeginGroup(*edit.history, store, store);
  SetGroupName(*edit.history, edit.strings, IDS_GROUP_DELETE);
  int32_t status = RecordItems(edit, store, selections, count, kDelete);
  if (status != 0) return EditOutcome{status, false, store};
  return CommitRecordedGroup(edit, store);
}
