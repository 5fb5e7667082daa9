#include "views/shown_selection.h"

#include <cstring>
#include <new>

#include "model/record_filter.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

Selection& AddSelection(std::vector<Selection>* shown, FocusKind focus, NodeKind kind, const char* context) {
  shown->emplace_back();
  Selection& selection = shown->back();
  selection.focus = focus;
  selection.selectedKind = kind;
  Text_Copy(selection.context, sizeof(selection.context), context);
  return selection;
}

// The kept presets of one entry, as the list beside its node shows them.
int32_t AddEntryPresets(const PlugInEntry& entry, const NameMatch& match, std::vector<Selection>* shown) {
  if (!KeepsEntry(entry, match)) return 0;
  char label[kNameSize];
  entry.GetDisplayName(label, sizeof(label));
  Selection& selection = AddSelection(shown, FocusKind::List, NodeKind::PlugIn, label);
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    if (!KeepsPreset(entry, *preset, match)) continue;
    int32_t status = selection.names.Add(preset->name);
    if (status != 0) return status;
  }
  return 0;
}

int32_t AddAllEntries(const StoreRecords& records, const NameMatch& match, std::vector<Selection>* shown) {
  if (!records.plugIns) return 0;
  for (const std::unique_ptr<PlugInEntry>& entry : records.plugIns->Entries()) {
    int32_t status = AddEntryPresets(*entry, match, shown);
    if (status != 0) return status;
  }
  return 0;
}

int32_t AddChains(const StoreRecords& records, const NameMatch& match, std::vector<Selection>* shown) {
  if (!KeepsAnyChain(records, match)) return 0;
  Selection& selection = AddSelection(shown, FocusKind::List, NodeKind::ChainGroup, kChainGroupLabel);
  for (const std::unique_ptr<ChainRecord>& chain : records.chains->Chains()) {
    if (!KeepsChain(*chain, match)) continue;
    int32_t status = selection.names.Add(chain->name);
    if (status != 0) return status;
  }
  return 0;
}

int32_t AddItem(const StoreRecords& records, const NameMatch& match, const Selection& selection, const char* name,
                std::vector<Selection>* shown) {
  switch (ClassifyItem(name, selection.focus, selection.selectedKind)) {
    case NodeKind::PackageRoot: {
      int32_t status = AddAllEntries(records, match, shown);
      return status != 0 ? status : AddChains(records, match, shown);
    }
    case NodeKind::PlugInGroup:
      return AddAllEntries(records, match, shown);
    case NodeKind::PlugIn: {
      const PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(name) : nullptr;
      return entry != nullptr ? AddEntryPresets(*entry, match, shown) : 0;
    }
    case NodeKind::ChainGroup:
      return AddChains(records, match, shown);
    case NodeKind::Preset:
    case NodeKind::Chain: {
      // Named items are shown ones: the list offers nothing else.
      if (shown->empty() || shown->back().selectedKind != selection.selectedKind ||
          shown->back().focus != selection.focus || strcmp(shown->back().context, selection.context) != 0) {
        AddSelection(shown, selection.focus, selection.selectedKind, selection.context);
      }
      return shown->back().names.Add(name);
    }
    case NodeKind::None:
      break;
  }
  return 0;
}

}  // namespace

int32_t NarrowSelection(const StoreRecords& records, const NameMatch& match, const Selection& selection,
                        std::vector<Selection>* shown) {
  shown->clear();
  try {
    if (!match.IsActive()) {
      Selection& copy = AddSelection(shown, selection.focus, selection.selectedKind, selection.context);
      for (int32_t i = 0; i < selection.names.Count(); ++i) {
        int32_t status = copy.names.Add(selection.names.At(i));
        if (status != 0) return status;
      }
      return 0;
    }
    for (int32_t i = 0; i < selection.names.Count(); ++i) {
      int32_t status = AddItem(records, match, selection, selection.names.At(i), shown);
      if (status != 0) return status;
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}
