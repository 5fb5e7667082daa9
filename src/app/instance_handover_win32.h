// A second start of the program hands the package its command line names to
// the running instance, whose frame opens it, so that opening a package
// from the desktop while the program runs shows it there.
#pragma once

#include <windows.h>

#include "app/frame_state_win32.h"

// Marks a WM_COPYDATA that carries the full path of a package to open.
constexpr ULONG_PTR kCopyDataOpenPackage = 0x4F524450;  // "ORDP"
// Posted by the frame to itself to open a handed package outside the
// sender's call.
constexpr UINT kMsgOpenHandedPackage = WM_APP + 3;

// The running frame is brought to the front (restored when minimised) and,
// when `path` is not null, given the package: its full path, as this
// process's current folder makes it. False when the frame did not take it.
bool HandToRunningInstance(HWND runningFrame, const char* path);

// The frame's WM_COPYDATA: keeps a handed package and posts itself to open
// it; TRUE when the data was a package path.
LRESULT OnCopyData(FrameState& frame, const COPYDATASTRUCT* data);
// Opens the package handed over last, after the save-changes question,
// unless one of the program's modal loops runs: then it waits until the
// last one has ended.
void OpenHandedPackage(FrameState& frame);
