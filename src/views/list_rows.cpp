#include "views/list_rows.h"

#include <algorithm>
#include <new>

#include "model/names.h"
#include "model/record_filter.h"
#include "platform/status.h"
#include "platform/text.h"
#include "views/store_tree.h"

namespace {

void AddRow(std::vector<ListRow>* rows, const char* label, NodeKind kind) {
  rows->push_back(ListRow{label, NodeImage(kind)});
}

void AddRows(const StoreRecords& records, NodeKind kind, const char* nodeLabel, const NameMatch& match,
             std::vector<ListRow>* rows) {
  switch (kind) {
    case NodeKind::PackageRoot:
      if (KeepsAnyChain(records, match)) AddRow(rows, kChainGroupLabel, NodeKind::ChainGroup);
      if (match.IsActive() ? KeepsAnyEntry(records, match) : records.plugIns && records.plugIns->GetCount() > 0) {
        AddRow(rows, kPlugInGroupLabel, NodeKind::PlugInGroup);
      }
      break;
    case NodeKind::PlugInGroup:
      if (!records.plugIns) break;
      rows->reserve(static_cast<size_t>(records.plugIns->GetCount()));
      for (const std::unique_ptr<PlugInEntry>& entry : records.plugIns->Entries()) {
        if (match.IsActive() && !KeepsEntry(*entry, match)) continue;
        char label[kNameSize];
        entry->GetDisplayName(label, sizeof(label));
        AddRow(rows, label, NodeKind::PlugIn);
      }
      break;
    case NodeKind::PlugIn: {
      const PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(nodeLabel) : nullptr;
      if (entry == nullptr) break;
      bool whole = KeepsWholeEntry(*entry, match);
      rows->reserve(static_cast<size_t>(entry->GetPresetCount()));
      for (const std::unique_ptr<PresetRecord>& preset : entry->Presets()) {
        if (whole || match.Matches(preset->name)) AddRow(rows, preset->name, NodeKind::Preset);
      }
      break;
    }
    case NodeKind::ChainGroup:
      if (!records.chains) break;
      rows->reserve(static_cast<size_t>(records.chains->GetChainCount()));
      for (const std::unique_ptr<ChainRecord>& chain : records.chains->Chains()) {
        if (KeepsChain(*chain, match)) AddRow(rows, chain->name, NodeKind::Chain);
      }
      break;
    default:
      break;
  }
}

}  // namespace

int32_t BuildListRows(const StoreRecords& records, NodeKind kind, const char* nodeLabel, std::vector<ListRow>* rows,
                      const NameMatch* match) {
  static const NameMatch kEverything;
  rows->clear();
  try {
    AddRows(records, kind, nodeLabel, match != nullptr ? *match : kEverything, rows);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

std::vector<uint32_t> SortedRowOrder(const std::vector<ListRow>& rows) {
  std::vector<uint32_t> order;
  try {
    order.resize(rows.size());
  } catch (const std::bad_alloc&) {
    return order;
  }
  for (size_t i = 0; i < rows.size(); ++i) order[i] = static_cast<uint32_t>(i);
  std::stable_sort(order.begin(), order.end(), [&rows](uint32_t a, uint32_t b) {
    return Text_Compare(rows[a].label.c_str(), rows[b].label.c_str()) < 0;
  });
  return order;
}

bool SameRows(const std::vector<ListRow>& a, const std::vector<ListRow>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ListRow& x, const ListRow& y) { return x.image == y.image && x.label == y.label; });
}
