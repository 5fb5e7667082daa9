#include "views/selection_gather.h"

#include "platform/text.h"

int32_t BeginSelection(const SelectedNode& node, FocusKind focus, Selection* selection) {
  selection->names.Clear();
  selection->focus = focus;
  selection->selectedKind = node.kind;
  if (focus == FocusKind::Tree) {
    Text_Copy(selection->context, sizeof(selection->context), node.parentLabel);
    return selection->names.Add(node.label);
  }
  Text_Copy(selection->context, sizeof(selection->context), node.label);
  return 0;
}

SelectionCoverage CoverageOf(const Stores& stores, StoreId store, const Selection& selection) {
  const StoreRecords& records = stores.Of(store);
  bool hasPresets = records.plugIns != nullptr && records.plugIns->GetTotalPresetCount() > 0;
  bool hasChains = records.chains != nullptr && records.chains->GetChainCount() > 0;
  SelectionCoverage coverage;
  for (int32_t i = 0; i < selection.names.Count(); ++i) {
    switch (ClassifyItem(selection.names.At(i), selection.focus, selection.selectedKind)) {
      case NodeKind::PackageRoot:
        coverage.presets |= hasPresets;
        coverage.chains |= hasChains;
        break;
      case NodeKind::PlugInGroup:
      case NodeKind::PlugIn:
      case NodeKind::Preset:
        coverage.presets |= hasPresets;
        break;
      case NodeKind::ChainGroup:
      case NodeKind::Chain:
        coverage.chains |= hasChains;
        break;
      case NodeKind::None:
        break;
    }
  }
  return coverage;
}
