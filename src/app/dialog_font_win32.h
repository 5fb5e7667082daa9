// A bold version of a dialog's font, for the headings of the help window
// and the about box.
#pragma once

#include <windows.h>

#include "views/gdi_handles_win32.h"

// `control`'s font in bold, `percent` of its size.
ScopedFont CreateHeadingFont(HWND control, int percent);
