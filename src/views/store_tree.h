// The store tree's shape, kept apart from the tree control: which nodes a
// pane shows for its store, and how an existing tree is brought in line with
// the store without touching the nodes that are still right, so that their
// expansion and the selection survive.
//
//   package pane   the package root (the file's name), below it "FX Chains"
//                  and "FX Plug-Ins", below that one node per plug-in entry
//   system pane    "FX Chains" and "FX Plug-Ins" at the top level
//
// Nodes carry labels and a kind, never records: every operation finds its
// records again by label.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/name_match.h"
#include "model/node_kind.h"
#include "model/store_records.h"

// What RebuildStoreTree needs of a tree control.
class StoreTreeControl {
 public:
  using Node = uintptr_t;  // 0 is none; as a parent, 0 is the top level

  virtual Node FirstTopNode() = 0;
  // The first child of `parent` labelled `label` in any letter case.
  virtual Node FindChild(Node parent, const char* label) = 0;
  virtual Node FirstChild(Node parent) = 0;
  virtual Node NextSibling(Node node) = 0;
  virtual void ReadLabel(Node node, char* label, size_t size) = 0;
  virtual void SetLabel(Node node, const char* label) = 0;
  // Deletes the node with its children.
  virtual void Delete(Node node) = 0;
  // Inserts a collapsed node where the control's sorted order of siblings
  // puts it; gives it (0 when the control refused).
  virtual Node Insert(Node parent, const char* label, NodeKind kind) = 0;
  // Many children of `parent` are about to be inserted or deleted (a find
  // narrows or widens the tree); a control may prepare for the bulk.
  virtual void ManyChanges(Node /*parent*/) {}

 protected:
  ~StoreTreeControl() = default;
};

// From this many inserts or deletes below one parent, the rebuild tells the
// control ahead.
constexpr size_t kManyTreeChanges = 16;

// The image of a node or list item of that kind in the six node images.
int32_t NodeImage(NodeKind kind);

// The package root's label: the path's text after its last "\" or ":".
const char* PackageRootLabel(const char* path);

// Brings the tree in line with the records. `packagePath` is the package's
// path for the package pane and null for the system pane. Nodes whose
// records are gone are deleted, missing nodes are inserted; nothing else
// changes (the selection moves only when its node is deleted). With an
// active `match` the groups and entries are those that keep an item; the
// package root stays.
void RebuildStoreTree(StoreTreeControl& tree, const StoreRecords& records, const char* packagePath,
                      const NameMatch* match = nullptr);
