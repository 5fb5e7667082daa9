#include "views/store_tree.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "model/names.h"
#include "platform/text.h"

namespace {

using Node = StoreTreeControl::Node;

bool HasChains(const StoreRecords& records) { return records.chains && records.chains->GetChainCount() > 0; }
bool HasEntries(const StoreRecords& records) { return records.plugIns && records.plugIns->GetCount() > 0; }

void PruneChains(StoreTreeControl& tree, Node top, const StoreRecords& records) {
  Node chains = tree.FindChild(top, kChainGroupLabel);
  if (chains != 0 && !HasChains(records)) tree.Delete(chains);
}

// The group goes when no preset is left; a plug-in node when its entry is
// gone or holds no preset.
void PrunePlugIns(StoreTreeControl& tree, Node top, const StoreRecords& records) {
  Node group = tree.FindChild(top, kPlugInGroupLabel);
  if (group == 0) return;
  if (!records.plugIns || records.plugIns->GetTotalPresetCount() == 0) {
    tree.Delete(group);
    return;
  }
  for (Node child = tree.FirstChild(group); child != 0;) {
    char label[kNameSize];
    tree.ReadLabel(child, label, sizeof(label));
    const PlugInEntry* entry = records.plugIns->FindPlugInByName(label);
    Node next = tree.NextSibling(child);
    if (entry == nullptr || entry->GetPresetCount() == 0) tree.Delete(child);
    child = next;
  }
}

// Inserts a node for every entry that has none; of entries whose labels
// differ only in letter case, the first in the collection gives the label.
// New labels go in from the last in sorted order to the first, so a control
// that finds a sorted place by walking from the first sibling stops at once.
void CompletePlugIns(StoreTreeControl& tree, Node group, const PlugInCollection& plugIns) {
  std::vector<std::string> missing;
  try {
    missing.reserve(static_cast<size_t>(plugIns.GetCount()));
    for (const std::unique_ptr<PlugInEntry>& entry : plugIns.Entries()) {
      char label[kNameSize];
      entry->GetDisplayName(label, sizeof(label));
      if (tree.FindChild(group, label) == 0) missing.emplace_back(label);
    }
  } catch (const std::bad_alloc&) {
    // What could be listed still goes in; the next rebuild adds the rest.
  }
  std::stable_sort(missing.begin(), missing.end(), [](const std::string& a, const std::string& b) {
    return Text_CompareNames(a.c_str(), b.c_str()) < 0;
  });
  missing.erase(std::unique(missing.begin(), missing.end(),
                            [](const std::string& a, const std::string& b) {
                              return Text_EqualNoCase(a.c_str(), b.c_str());
                            }),
                missing.end());
  std::stable_sort(missing.begin(), missing.end(), [](const std::string& a, const std::string& b) {
    return Text_Compare(a.c_str(), b.c_str()) > 0;
  });
  for (const std::string& label : missing) tree.Insert(group, label.c_str(), NodeKind::PlugIn);
}

}  // namespace

int32_t NodeImage(NodeKind kind) {
  switch (kind) {
    case NodeKind::PackageRoot:
      return 0;
    case NodeKind::PlugInGroup:
    case NodeKind::ChainGroup:
      return 2;
    case NodeKind::PlugIn:
      return 3;
    case NodeKind::Chain:
      return 4;
    case NodeKind::Preset:
      return 5;
    case NodeKind::None:
      break;
  }
  return 1;
}

const char* PackageRootLabel(const char* path) {
  const char* label = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == ':') label = p + 1;
  }
  return label;
}

void RebuildStoreTree(StoreTreeControl& tree, const StoreRecords& records, const char* packagePath) {
  Node top = packagePath != nullptr ? tree.FirstTopNode() : 0;
  // A package tree without its root is empty: nothing to prune.
  if (packagePath == nullptr || top != 0) {
    PruneChains(tree, top, records);
    PrunePlugIns(tree, top, records);
  }

  Node parent = 0;
  if (packagePath != nullptr) {
    const char* rootLabel = PackageRootLabel(packagePath);
    if (top != 0) {
      tree.SetLabel(top, rootLabel);
    } else {
      top = tree.Insert(0, rootLabel, NodeKind::PackageRoot);
      if (top == 0) return;
    }
    parent = top;
  }
  if (HasChains(records) && tree.FindChild(parent, kChainGroupLabel) == 0) {
    tree.Insert(parent, kChainGroupLabel, NodeKind::ChainGroup);
  }
  if (!HasEntries(records)) return;
  Node group = tree.FindChild(parent, kPlugInGroupLabel);
  if (group == 0) group = tree.Insert(parent, kPlugInGroupLabel, NodeKind::PlugInGroup);
  if (group != 0) CompletePlugIns(tree, group, *records.plugIns);
}
