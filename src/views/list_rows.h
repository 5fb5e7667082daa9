// What a pane's list shows for the tree's selected node, built from the
// store: the groups below the package root, the plug-in entries of
// "FX Plug-Ins", the presets of one entry, or the chains.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/name_match.h"
#include "model/node_kind.h"
#include "model/store_records.h"

struct ListRow {
  std::string label;
  int32_t image;  // NodeImage of the item's kind
};

// The rows for a node of `kind` labelled `nodeLabel`, in collection order;
// with an active `match`, only the rows of what it keeps. Gives 0, or
// E_OUTOFMEMORY with the rows built so far.
int32_t BuildListRows(const StoreRecords& records, NodeKind kind, const char* nodeLabel, std::vector<ListRow>* rows,
                      const NameMatch* match = nullptr);

// The order in which a list sorted by its labels shows the rows: ascending
// by Text_Compare, rows of equal labels in their own order.
std::vector<uint32_t> SortedRowOrder(const std::vector<ListRow>& rows);

// True when both show the same labels with the same images in the same order.
bool SameRows(const std::vector<ListRow>& a, const std::vector<ListRow>& b);
