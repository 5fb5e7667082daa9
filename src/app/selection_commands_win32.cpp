// Placeholder until the panes' selections are copied and deleted: the
// commands exist and do nothing yet.
#include "app/selection_commands_win32.h"

void RunCopyCommand(FrameState&) {}
void RunDeleteCommand(FrameState&) {}
