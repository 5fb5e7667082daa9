// Copy to File, Copy to System and Delete on what the active pane has
// selected, each as one undoable group; the commands' handlers and a drop
// between the panes call these.
#pragma once

#include "app/frame_state_win32.h"
#include "model/node_kind.h"

// Copies the active pane's selection into the other store.
void RunCopyCommand(FrameState& frame);
// Deletes the active pane's selection from its store.
void RunDeleteCommand(FrameState& frame);

// What a copy of a pane's selection did, so that a drop can show where the
// records arrived.
struct PaneCopyResult {
  bool recorded = false;       // a group was recorded: the other store changed
  bool copiedPresets = false;  // presets of plug-ins or editor effects arrived
  bool copiedChains = false;   // chains arrived
};

// Copies what `source` shows as selected into the other store: its tree's
// selected node when `focus` is FocusKind::Tree, its list's selected items
// when it is FocusKind::List. Asks the overwrite question, refreshes the
// panes and the document's mark, and reports failures, as the copy
// commands do.
PaneCopyResult CopyPaneSelection(FrameState& frame, Pane& source, FocusKind focus);

// Deletes what `pane` shows as selected under `focus` from its store, as
// the Delete command does; true when a group was recorded.
bool DeletePaneSelection(FrameState& frame, Pane& pane, FocusKind focus);
