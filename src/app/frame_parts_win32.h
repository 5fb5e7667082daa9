// The frame's parts, each in a file of its own: the panes and their layout,
// the toolbar, the splitter, the notifications, the commands and the
// refresh. Only the frame's files include this.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/command_rules.h"
#include "app/frame_state_win32.h"

FrameState* FrameOf(HWND window);

// Panes (frame_panes_win32.cpp).
int32_t CreatePanes(FrameState& frame);
void LayoutFrame(FrameState& frame, int32_t sizeWidth);
void SaveSplitPositions(const FrameState& frame);
// The splits as laid out now become the proportions that resizing keeps;
// once, when the frame is first shown at its placed size.
void AnchorSplits(FrameState& frame);

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
// A modal loop runs: one of ours holds the modal state, or a box or dialog
// owned by the frame has disabled it.
bool ModalLoopRuns(const FrameState& frame);
void OnActivateApp(FrameState& frame, bool active);
void OnEnable(FrameState& frame, bool enabled);
void RunDeferredRefresh(FrameState& frame);

// The menu bar, the accelerators and the menu update (frame_menu_win32.cpp).
HMENU CreateFrameMenu(VtLang* strings);
HACCEL CreateFrameAccelerators();
void OnInitMenuPopup(FrameState& frame, HMENU popup);
// What the enabling rules look at, read from the frame now.
CommandState ReadCommandState(const FrameState& frame);

// The recent files at the end of the File menu (recent_menu_win32.cpp).
void RebuildRecentFileMenu(const FrameState& frame, HMENU fileMenu);

// Commands on the panes (pane_commands_win32.cpp).
void SelectAllItems(FrameState& frame);
void MoveFocus(FrameState& frame, bool forward);
void RenameSelectedItem(FrameState& frame);

// Undo and Redo (history_commands_win32.cpp).
void UndoLastStep(FrameState& frame);
void RedoLastStep(FrameState& frame);
// The error box of a step that stopped: string `failureId`, the item it
// stopped at and what failed there, and the explanation of `status`.
void ShowItemFailure(FrameState& frame, uint32_t failureId, const ActionFailure& failure, int32_t status);

// The document's commands (document_commands_win32.cpp).
void NewPackage(FrameState& frame);
void OpenPackageCommand(FrameState& frame);
int32_t SavePackage(FrameState& frame);
int32_t SavePackageAs(FrameState& frame);
void OpenRecentFile(FrameState& frame, int32_t index);
void OpenDroppedFile(FrameState& frame, HDROP drop);
// Opens a package handed over by a second start, after the save-changes question.
void OpenHandedFile(FrameState& frame, const char* path);
void OnClose(FrameState& frame);

// Help, the home page and the about box (help_window_win32.cpp, about_box_win32.cpp).
void ShowHelp(FrameState& frame);
void OpenHomePage(FrameState& frame);
void ShowAbout(FrameState& frame);
