// The frame's parts, each in a file of its own: the panes and their layout,
// the toolbar, the splitter, the notifications, the commands and the
// refresh. Only the frame's files include this.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "app/frame_state_win32.h"

FrameState* FrameOf(HWND window);

// Panes (frame_panes_win32.cpp).
int32_t CreatePanes(FrameState& frame);
void LayoutFrame(FrameState& frame, int32_t sizeWidth);
void SaveSplitPositions(const FrameState& frame);

// Toolbar (toolbar_win32.cpp).
int32_t CreateToolbar(FrameState& frame);
void DestroyToolbar(FrameState& frame);
LRESULT OnToolbarTooltip(FrameState& frame, NMHDR* header);

// Splitter (splitter_win32.cpp).
LRESULT OnNcHitTest(FrameState& frame, WPARAM wParam, LPARAM lParam);
bool OnSetCursor(FrameState& frame, HWND window, UINT hitTest);
void OnLeftButtonDown(FrameState& frame, int32_t x, int32_t y);
void OnMouseMove(FrameState& frame, int32_t x, int32_t y);
void OnLeftButtonUp(FrameState& frame);
void OnCaptureChanged(FrameState& frame);

// Notifications (frame_notify_win32.cpp).
LRESULT OnNotify(FrameState& frame, NMHDR* header);

// Commands and the refresh (frame_commands_win32.cpp).
bool OnCommand(FrameState& frame, int command);
void OnActivateApp(FrameState& frame, bool active);
void OnEnable(FrameState& frame, bool enabled);
void RunDeferredRefresh(FrameState& frame);
