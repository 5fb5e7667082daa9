// Copy to File, Copy to System and Delete on what the active pane has
// selected, each as one undoable group; the commands' handlers call these.
#pragma once

#include "app/frame_state_win32.h"

// Copies the active pane's selection into the other store.
void RunCopyCommand(FrameState& frame);
// Deletes the active pane's selection from its store.
void RunDeleteCommand(FrameState& frame);
