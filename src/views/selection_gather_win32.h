// Reads a pane's selection from its tree and list.
#pragma once

#include <cstdint>
#include <vector>

#include "views/pane_win32.h"
#include "views/selection_gather.h"

// The pane's selection under `focus`: with FocusKind::Tree its tree's
// selected node, otherwise the list's selected items in list order below
// that node. Gives 0 or E_OUTOFMEMORY; no selected node gives no names.
int32_t GatherSelection(const Pane& pane, FocusKind focus, Selection* selection);

// The pane's selection under `focus` as the edit layer takes it: while the
// pane's filter narrows it, a node stands for the items it shows only.
// Gives 0 or E_OUTOFMEMORY; nothing selected gives no selections.
int32_t GatherShownSelections(const Pane& pane, FocusKind focus, std::vector<Selection>* selections);
