#include "app/selection_commands_win32.h"

// Placeholders until the selection commands land: the commands do nothing.
void RunCopyCommand(FrameState&) {}
void RunDeleteCommand(FrameState&) {}
PaneCopyResult CopyPaneSelection(FrameState&, Pane&, FocusKind) { return PaneCopyResult{}; }
