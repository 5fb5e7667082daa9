// The frame's menu bar and accelerators, both built from the command table,
// and the menu update: each item enabled under its rule as its pop-up
// opens, the Undo and Redo items naming the step they act on, the recent
// files at the end of the File menu.
#include <windows.h>
#include <commctrl.h>

#include "app/command_table.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"
#include "views/store_tree_win32.h"

namespace {

constexpr size_t kMenuTextSize = 256;

void AppendCommand(HMENU popup, const CommandInfo& command, VtLang* strings) {
  char label[kMenuTextSize], text[kMenuTextSize];
  VtLoadString(strings, command.label, label, sizeof(label));
  FormatMenuText(command, label, text, sizeof(text));
  UINT state = IsCommandEnabled(command.rule, CommandState()) ? MF_ENABLED : MF_GRAYED;
  AppendMenuA(popup, MF_STRING | state, static_cast<UINT_PTR>(command.id), text);
}

HMENU CreatePopup(const MenuPopup& layout, VtLang* strings) {
  HMENU popup = CreatePopupMenu();
  if (popup == nullptr) return nullptr;
  for (size_t i = 0; i < layout.count; ++i) {
    const CommandInfo* command = FindCommand(layout.items[i]);
    if (command == nullptr) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendCommand(popup, *command, strings);
    }
  }
  return popup;
}

void SetItemText(HMENU menu, int32_t command, const char* text) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_STRING;
  item.dwTypeData = const_cast<char*>(text);
  SetMenuItemInfoA(menu, static_cast<UINT>(command), FALSE, &item);
}

// "&Undo Copy<TAB>Ctrl+Z" when there is a step to take, else "Can't &Undo".
void SetStepText(const FrameState& frame, HMENU menu, int32_t command, bool available, GroupKind kind,
                 uint32_t verb, uint32_t key, uint32_t unavailable) {
  char text[kMenuTextSize];
  if (available) {
    char part[kMenuTextSize];
    VtLoadString(frame.strings, verb, text, sizeof(text));
    Text_Append(text, sizeof(text), " ");
    VtLoadString(frame.strings, kind == GroupKind::Copy ? IDS_GROUP_COPY : IDS_GROUP_DELETE, part, sizeof(part));
    Text_Append(text, sizeof(text), part);
    Text_Append(text, sizeof(text), "\t");
    VtLoadString(frame.strings, key, part, sizeof(part));
    Text_Append(text, sizeof(text), part);
  } else {
    VtLoadString(frame.strings, unavailable, text, sizeof(text));
  }
  SetItemText(menu, command, text);
}

void SetUndoRedoTexts(const FrameState& frame, HMENU menu, const CommandState& state) {
  bool redo = CanRedo(state), undo = CanUndo(state);
  SetStepText(frame, menu, ID_EDIT_REDO, redo, redo ? GetRedoKind(frame.history) : GroupKind::Copy, IDS_REDO,
              IDS_REDO_KEY, IDS_CANT_REDO);
  SetStepText(frame, menu, ID_EDIT_UNDO, undo, undo ? GetUndoKind(frame.history) : GroupKind::Copy, IDS_UNDO,
              IDS_UNDO_KEY, IDS_CANT_UNDO);
}

bool SelectionPresent(const Pane& pane, FocusKind focus) {
  if (focus == FocusKind::Tree) return GetSelectedNode(pane) != nullptr;
  if (focus == FocusKind::List) return SendMessageA(pane.list, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
  return false;
}

}  // namespace

HMENU CreateFrameMenu(VtLang* strings) {
  HMENU bar = CreateMenu();
  if (bar == nullptr) return nullptr;
  for (size_t i = 0; i < kMenuPopupCount; ++i) {
    HMENU popup = CreatePopup(kMenuBar[i], strings);
    char title[kMenuTextSize];
    VtLoadString(strings, kMenuBar[i].title, title, sizeof(title));
    if (popup == nullptr || !AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title)) {
      if (popup != nullptr) DestroyMenu(popup);
      DestroyMenu(bar);
      return nullptr;
    }
  }
  return bar;
}

HACCEL CreateFrameAccelerators() {
  AcceleratorEntry entries[kMaxAccelerators];
  ACCEL table[kMaxAccelerators];
  size_t count = ListAccelerators(entries, kMaxAccelerators);
  for (size_t i = 0; i < count; ++i) {
    const Shortcut& keys = entries[i].keys;
    table[i].fVirt = static_cast<BYTE>(keys.modifiers | (keys.character ? 0 : FVIRTKEY | FNOINVERT));
    table[i].key = keys.key;
    table[i].cmd = static_cast<WORD>(entries[i].command);
  }
  return CreateAcceleratorTableA(table, static_cast<int>(count));
}

CommandState ReadCommandState(const FrameState& frame) {
  CommandState state;
  state.modified = (frame.document.flags & kDocModified) != 0;
  state.hasFile = (frame.document.flags & kDocUntitled) == 0;
  state.packageEmpty = frame.stores.package.IsEmpty();
  state.systemEmpty = frame.stores.system.IsEmpty();
  state.undoCount = GetUndoCount(frame.history);
  state.redoCount = GetRedoCount(frame.history);
  if (frame.paneCount < 2) return state;
  const Pane& pane = frame.panes[frame.activePane];
  state.activeStore = pane.store;
  state.focus = GetFocusKind(frame);
  state.selectionPresent = SelectionPresent(pane, state.focus);
  return state;
}

void OnInitMenuPopup(FrameState& frame, HMENU popup) {
  CommandState state = ReadCommandState(frame);
  bool holdsUndo = false, holdsExit = false;
  int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    int32_t id = static_cast<int32_t>(GetMenuItemID(popup, i));
    const CommandInfo* command = FindCommand(id);
    if (command == nullptr) continue;
    EnableMenuItem(popup, static_cast<UINT>(id),
                   MF_BYCOMMAND | (IsCommandEnabled(command->rule, state) ? MF_ENABLED : MF_GRAYED));
    holdsUndo = holdsUndo || id == ID_EDIT_UNDO;
    holdsExit = holdsExit || id == ID_APP_EXIT;
  }
  if (holdsUndo) SetUndoRedoTexts(frame, popup, state);
  if (holdsExit) RebuildRecentFileMenu(frame, popup);
}
