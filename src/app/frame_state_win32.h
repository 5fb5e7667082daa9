// The frame's state, kept as the frame window's user data: its two panes,
// the toolbar, the splitter, the focus, and what the program works on (the
// two stores, the refresh cache, the undo history and the document).
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/document.h"
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

  int32_t paneCount = 0;
  Pane panes[2];  // kPackagePane above, kSystemPane below
  int activePane = kPackagePane;
  FocusKind activeKind = FocusKind::None;

  int32_t hover = 0;  // 1 over the package pane's splitter, 2 over the system pane's
  SplitterDrag drag = SplitterDrag::Idle;
  POINT press = {};
  int32_t splitAtPress = 0;
  bool presetDragging = false;  // a drag of presets owns the mouse (none is started yet)

  Stores stores;
  OwnedSystemStoreCache cache;
  History history;
  DocumentRecord document = {};
  ModalState modal;

  FrameState() = default;
  FrameState(const FrameState&) = delete;
  FrameState& operator=(const FrameState&) = delete;
  // The window goes first: its handlers use the state to the end.
  ~FrameState() {
    if (window != nullptr) DestroyWindow(window);
  }
};
