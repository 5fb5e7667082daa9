// The find box at the right end of the toolbar's row: as its text changes,
// both panes narrow to the presets and chains whose names hold it, and
// empty again they come back whole with the selection they had before.
#pragma once

#include <windows.h>

#include "app/frame_state_win32.h"

constexpr int kFindBoxId = 21;

// Creates the box (hidden until the layout places it); gives 0 or
// kWindowCreateFailed.
int32_t CreateFindBox(FrameState& frame);

// Places the box in the toolbar's row; `toolbar` in client coordinates.
void LayoutFindBox(FrameState& frame, const RECT& toolbar);

// Ctrl+F, Ctrl+E: the focus goes to the box, its text selected.
void FocusFindBox(FrameState& frame);

// The box's text changed (EN_CHANGE): both panes are narrowed by it again.
void OnFindTextChanged(FrameState& frame);

// Enter in the box: the focus goes to the first pane that shows a match.
void FocusFirstMatch(FrameState& frame);

bool FindBoxHasFocus(const FrameState& frame);
