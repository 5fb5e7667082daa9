// Ctrl+Tab and Ctrl+Shift+Tab move the keyboard focus around the four
// controls of the panes: package tree, package list, system tree, system
// list, and the find box between the last and the first. Controls without
// items are passed over.
#pragma once

#include "model/node_kind.h"

struct PaneControl {
  int pane;        // 0 the package pane, 1 the system pane
  FocusKind kind;  // Tree or List; None when there is nowhere to go
};

// The control the focus moves to from `kind` in `activePane` (from None,
// forward goes to the active pane's list and backward to its tree), given
// which of the four controls hold items (`hasItems[pane * 2]` the tree,
// `hasItems[pane * 2 + 1]` the list). Kind None when every control is empty.
PaneControl StepFocus(int activePane, FocusKind kind, bool forward, const bool hasItems[4]);

// Whether the step from `from` to `to` goes round the ring's end, where
// the find box sits: the focus then goes to the box instead.
bool StepPassesFindBox(PaneControl from, PaneControl to, bool forward);
