// The frame's state, kept as the frame window's user data: its two panes,
// the toolbar, the splitter, the focus, and what the program works on (the
// two stores, the refresh cache, the undo history and the document).
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/document.h"
#include "app/file_dialogs.h"
#include "app/recent_files.h"
#include "edit/group_journal.h"
#include "edit/history.h"
#include "store/stores.h"
#include "store/system_cache.h"
#include "views/gdi_handles_win32.h"
#include "views/modal_state.h"
#include "views/pane_win32.h"

struct VtMetric;
struct VtLang;

constexpr int kToolbarId = 20;
constexpr int32_t kPackageSplitMetric = 31010;
constexpr int32_t kSystemSplitMetric = 31011;

// Posted to the frame when a refresh that waited for a modal loop is due.
constexpr UINT kMsgDeferredRefresh = WM_APP + 2;

enum class SplitterDrag { Idle, Pressed, Dragging };

struct AcceleratorTraits {
  using Handle = HACCEL;
  static Handle Empty() { return nullptr; }
  static void Close(Handle table) { DestroyAcceleratorTable(table); }
};
using ScopedAccelerators = UniqueHandle<AcceleratorTraits>;

// Opens a web page for the user; gives 0 or a negative status.
using UrlOpener = int32_t (*)(HWND owner, const char* url);

// A drag of presets or chains from one pane to the other (drag_drop_win32.cpp).
struct PresetDrag {
  bool overTarget = false;  // the cursor is over the other pane: the arrow, else the no-drop cursor
  ScopedImageList image;
  int sourcePane = kPackagePane;
  FocusKind sourceFocus = FocusKind::None;      // the tree's node or the list's items are dragged
  NodeKind sourceKind = NodeKind::None;         // the source tree's selected node when the drag began
  char sourceLabel[260] = {};                   // and its label
  HCURSOR noDropCursor = nullptr;
  HCURSOR dropCursor = nullptr;
  HCURSOR previousCursor = nullptr;  // shown again when the drag ends
};

struct FrameState {
  HWND window = nullptr;
  HINSTANCE instance = nullptr;
  VtMetric* settings = nullptr;  // the application's; not owned
  VtLang* strings = nullptr;     // the application's; not owned
  int32_t dpi = 96;              // the screen's, read once at creation

  ScopedImageList toolbarNormal;
  ScopedImageList toolbarHot;
  ScopedImageList toolbarDisabled;
  HWND toolbar = nullptr;
  ScopedFont font;  // of the labels, trees and lists
  HCURSOR splitterCursor = nullptr;
  ScopedAccelerators accelerators;  // the commands' shortcuts, applied by the message loop

  int32_t paneCount = 0;
  Pane panes[2];  // kPackagePane above, kSystemPane below
  int activePane = kPackagePane;
  FocusKind activeKind = FocusKind::None;

  int32_t hover = 0;  // 1 over the package pane's splitter, 2 over the system pane's
  SplitterDrag drag = SplitterDrag::Idle;
  POINT press = {};
  int32_t splitAtPress = 0;
  bool presetDragging = false;  // a drag of presets owns the mouse
  PresetDrag presetDrag;

  Stores stores;
  OwnedSystemStoreCache cache;
  History history;
  GroupJournal journal;  // guards the history's changes to the system store
  DocumentRecord document = {};
  RecentFiles recent;
  ModalState modal;

  // Who answers the open and save dialogs and who opens web pages: the
  // common dialogs and the shell when null; tests answer themselves.
  FileDialogs* fileDialogs = nullptr;
  UrlOpener openUrl = nullptr;

  FrameState() = default;
  FrameState(const FrameState&) = delete;
  FrameState& operator=(const FrameState&) = delete;
  // The window goes first: its handlers use the state to the end.
  ~FrameState() {
    if (window != nullptr) DestroyWindow(window);
  }
};
