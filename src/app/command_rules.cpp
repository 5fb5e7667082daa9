#include "app/command_rules.h"

namespace {

bool StoreEmpty(const CommandState& state, StoreId store) {
  return store == StoreId::Package ? state.packageEmpty : state.systemEmpty;
}

// Something of the active pane is selected in the control that has the focus.
bool WorkingOnSelection(const CommandState& state) {
  return state.focus != FocusKind::None && !StoreEmpty(state, state.activeStore) && state.selectionPresent;
}

}  // namespace

// A package emptied by deletes or an undo is still a change its file must
// take; an untitled one with nothing in it has nowhere to go but Save As.
bool CanSave(const CommandState& state) { return state.modified && (state.hasFile || !state.packageEmpty); }

bool CanSaveAs(const CommandState& state) { return state.modified || !state.packageEmpty; }

bool CanCopyToSystem(const CommandState& state) {
  return state.activeStore == StoreId::Package && WorkingOnSelection(state);
}

bool CanCopyToPackage(const CommandState& state) {
  return state.activeStore == StoreId::System && WorkingOnSelection(state);
}

bool CanDelete(const CommandState& state) { return WorkingOnSelection(state); }

bool CanUndo(const CommandState& state) { return state.undoCount > 0; }

bool CanRedo(const CommandState& state) { return state.redoCount > 0; }

bool IsCommandEnabled(CommandRule rule, const CommandState& state) {
  switch (rule) {
    case CommandRule::Save:
      return CanSave(state);
    case CommandRule::SaveAs:
      return CanSaveAs(state);
    case CommandRule::CopyToSystem:
      return CanCopyToSystem(state);
    case CommandRule::CopyToPackage:
      return CanCopyToPackage(state);
    case CommandRule::Delete:
      return CanDelete(state);
    case CommandRule::Undo:
      return CanUndo(state);
    case CommandRule::Redo:
      return CanRedo(state);
    case CommandRule::Always:
      break;
  }
  return true;
}
