#include "views/item_tips.h"

#include <cstring>
#include <new>

#include "platform/text.h"

namespace {

constexpr char kNotInstalledPrefix[] = "Not Installed ";

std::string DisplayName(const PlugInEntry& entry) {
  char label[kNameSize];
  entry.GetDisplayName(label, sizeof(label));
  return label;
}

// Another entry of the collection shows the same label.
bool SharesItsLabel(const PlugInCollection& plugIns, const PlugInEntry& entry, const std::string& label) {
  for (const std::unique_ptr<PlugInEntry>& other : plugIns.Entries()) {
    if (other.get() != &entry && Text_EqualNoCase(DisplayName(*other).c_str(), label.c_str())) return true;
  }
  return false;
}

bool NeedsClassKey(const PlugInCollection& plugIns, const PlugInEntry& entry, const std::string& label) {
  if (entry.classKey[0] == '\0') return false;  // the editor's effects are told apart by name
  return strncmp(label.c_str(), kNotInstalledPrefix, sizeof(kNotInstalledPrefix) - 1) == 0 ||
         SharesItsLabel(plugIns, entry, label);
}

}  // namespace

std::string ListItemTip(const StoreRecords& records, NodeKind kind, const std::vector<ListRow>& rows, size_t row,
                        bool cut) {
  if (row >= rows.size()) return {};
  try {
    const std::string& label = rows[row].label;
    // The plug-in group's rows are its entries, one each, in their order.
    if (kind == NodeKind::PlugInGroup && records.plugIns &&
        row < static_cast<size_t>(records.plugIns->GetCount())) {
      const PlugInEntry& entry = *records.plugIns->Entries()[row];
      if (NeedsClassKey(*records.plugIns, entry, label)) return label + " (" + entry.classKey + ")";
    }
    return cut ? label : std::string();
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::string TreeNodeTip(const StoreRecords& records, NodeKind kind, const char* label) {
  if (kind != NodeKind::PlugIn || !records.plugIns || label == nullptr) return {};
  try {
    std::string keys;
    for (const std::unique_ptr<PlugInEntry>& entry : records.plugIns->Entries()) {
      std::string name = DisplayName(*entry);
      if (!Text_EqualNoCase(name.c_str(), label) || !NeedsClassKey(*records.plugIns, *entry, name)) continue;
      keys += keys.empty() ? "" : "; ";
      keys += entry->classKey;
    }
    return keys.empty() ? std::string() : std::string(label) + " (" + keys + ")";
  } catch (const std::bad_alloc&) {
    return {};
  }
}
