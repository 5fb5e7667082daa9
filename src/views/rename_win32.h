// The in-place rename of presets and chains in a pane's list: whether an
// edit may begin, and what ending it does, with its message boxes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "views/pane_win32.h"

// LVN_BEGINLABELEDIT: 0 lets the edit begin (presets of a plug-in, or
// chains, are shown), 1 refuses it. While an edit runs, the pane's modal
// state is held, so no refresh replaces the records being renamed.
LRESULT OnBeginLabelEdit(Pane& pane);

struct EndLabelEdit {
  LRESULT result;     // 1: the list keeps the new label; 0: it shows the old one
  bool storeChanged;  // a record of the pane's store was renamed or added
};

// An edit that ended without telling (its list went away under it) no
// longer holds the modal state.
void ForgetVanishedLabelEdit(Pane& pane);

// LVN_ENDLABELEDIT with the edited text (null when the edit was cancelled)
// and the item's index.
EndLabelEdit OnEndLabelEdit(Pane& pane, const char* text, int32_t item);
