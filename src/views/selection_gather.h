// A pane's selection as the edit layer takes it: the tree's selected node,
// or the list's selected items below it, as names with a context.
#pragma once

#include <cstdint>

#include "edit/selection_edit.h"
#include "store/stores.h"

// What the pane shows as selected: the tree's selected node and its parent.
struct SelectedNode {
  NodeKind kind;
  const char* label;        // the node's label
  const char* parentLabel;  // empty at the top level
};

// Starts `selection` from the tree's selected node. With the tree focused
// the node itself is the one name and its parent the context; otherwise the
// node is the context and the caller adds the list's selected items.
// Gives 0 or E_OUTOFMEMORY.
int32_t BeginSelection(const SelectedNode& node, FocusKind focus, Selection* selection);

// Which records a copy of the selection out of `store` brings along.
struct SelectionCoverage {
  bool presets = false;  // presets of plug-ins or editor effects
  bool chains = false;
};
SelectionCoverage CoverageOf(const Stores& stores, StoreId store, const Selection& selection);
