// A pane's selection kept by labels, so that it can be shown again after the
// tree and list were narrowed and made whole: the selected node as the path
// of labels from the top, and the list's selected items.
#pragma once

#include <string>
#include <vector>

#include "views/pane_win32.h"

struct PaneSelectionMemory {
  bool kept = false;
  std::vector<std::string> nodePath;   // labels from the top node down to the selected one
  std::vector<std::string> listItems;  // labels of the list's selected items
};

void RememberSelection(const Pane& pane, PaneSelectionMemory* memory);

// Selects the remembered node, or the deepest of its ancestors the tree
// still has, and the remembered list items that are still listed. Forgets
// the memory.
void RestoreSelection(Pane& pane, PaneSelectionMemory* memory);
