// Opening a package file into the package pane: read into new collections,
// the plug-ins named as their classes are registered here, and installed in
// place of the open package only when the whole file could be read.
#pragma once

#include <cstdint>

#include "app/frame_state_win32.h"

// Gives 0, or E_FILE_NOT_FOUND or the reader's status after saying so in a
// message box; then the open package stays as it was.
int32_t OpenPackage(FrameState& frame, const char* path, bool readOnly);
