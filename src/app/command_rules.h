// The rules that enable and disable commands, as functions of a small
// record of what the frame shows at the moment the menu opens or the
// toolbar is updated.
#pragma once

#include <cstdint>

#include "model/node_kind.h"
#include "store/stores.h"

enum class CommandRule { Always, Save, SaveAs, CopyToSystem, CopyToPackage, Delete, Undo, Redo };

struct CommandState {
  bool modified = false;       // the document has unsaved changes
  bool hasFile = false;        // the document was opened from or saved to a file (not untitled)
  bool packageEmpty = true;    // the package store holds neither chains nor plug-in entries
  bool systemEmpty = true;     // the same of the system store
  StoreId activeStore = StoreId::Package;  // the store of the pane the user works in
  FocusKind focus = FocusKind::None;       // where the keyboard focus is in that pane
  bool selectionPresent = false;           // its focused tree has a selected node, or its list a selected item
  int32_t undoCount = 0;
  int32_t redoCount = 0;
};

bool CanSave(const CommandState& state);
bool CanSaveAs(const CommandState& state);
bool CanCopyToSystem(const CommandState& state);
bool CanCopyToPackage(const CommandState& state);
bool CanDelete(const CommandState& state);
bool CanUndo(const CommandState& state);
bool CanRedo(const CommandState& state);

bool IsCommandEnabled(CommandRule rule, const CommandState& state);
