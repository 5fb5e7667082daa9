// The main frame window: its class, its creation over a document, and the
// operations the rest of the program asks of it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/document.h"
#include "app/frame_state_win32.h"

constexpr const char* kFrameClassName = "Ordalis.Class.Frame";
constexpr int32_t kWindowCreateFailed = static_cast<int32_t>(0x8004E00F);

// Registers the frame's window class; false when it cannot be registered.
bool RegisterFrameClass(HINSTANCE instance);
void UnregisterFrameClass(HINSTANCE instance);

struct FrameSetup {
  HINSTANCE instance;
  VtMetric* settings;
  VtLang* strings;
  const char* caption;      // until the document's title is set
  DocumentRecord document;  // untitled, or the package named on the command line
};

// Creates the frame, hidden, with its panes filled: the system store is
// read, the document's package opened (an untitled one when it cannot be).
// Gives 0 with the state in `*frame` (which owns it; the window goes when
// it is destroyed), E_OUTOFMEMORY or kWindowCreateFailed.
int32_t CreateFrame(const FrameSetup& setup, std::unique_ptr<FrameState>* frame);

// Sets the caption from the document: file name, "*" when modified.
void UpdateFrameTitle(FrameState& frame);

// Sets the toolbar buttons' states. Every change that can affect them
// (focus, selection, edits, the document) calls it.
void UpdateToolbar(FrameState& frame);

// The keyboard focus as the commands see it: on the active pane's tree or
// list, or elsewhere.
FocusKind GetFocusKind(const FrameState& frame);

// Reads the system store again (through the cache) and brings the system
// pane in line; waits while one of the program's modal loops runs.
void RequestSystemRefresh(FrameState& frame);

// The package store changed: the document is modified.
void MarkPackageModified(FrameState& frame);
