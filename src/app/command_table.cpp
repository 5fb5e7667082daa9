#include "app/command_table.h"

#include <cstdio>

#include "platform/text.h"
#include "resource.h"

namespace {

constexpr Shortcut kNone = {0, 0, false};

constexpr Shortcut Key(uint16_t key, uint8_t modifiers = 0) { return {key, modifiers, false}; }
constexpr Shortcut Ctrl(uint16_t key) { return {key, kKeyCtrl, false}; }
constexpr Shortcut CtrlShift(uint16_t key) { return {key, kKeyCtrl | kKeyShift, false}; }
constexpr Shortcut AltChar(char c) { return {static_cast<uint16_t>(c), kKeyAlt, true}; }

using R = CommandRule;
using M = MenuShortcut;

}  // namespace

const CommandInfo kCommands[] = {
    {ID_FILE_NEW, IDS_MENU_NEW, M::Tab, {Ctrl('N'), kNone}, 0, IDS_TIP_NEW, R::Always},
    {ID_FILE_OPEN, IDS_MENU_OPEN, M::Tab, {Ctrl('O'), kNone}, 1, IDS_TIP_OPEN, R::Always},
    {ID_FILE_SAVE, IDS_MENU_SAVE, M::Tab, {Ctrl('S'), kNone}, 2, IDS_TIP_SAVE, R::Save},
    {ID_FILE_SAVE_AS, IDS_MENU_SAVE_AS, M::Hidden, {kNone, kNone}, -1, 0, R::SaveAs},
    {ID_APP_EXIT, IDS_MENU_EXIT, M::Hidden, {kNone, kNone}, -1, 0, R::Always},
    {ID_EDIT_UNDO, IDS_UNDO, M::Tab, {Ctrl('Z'), kNone}, 4, IDS_TIP_UNDO, R::Undo},
    {ID_EDIT_REDO, IDS_REDO, M::Tab, {CtrlShift('Z'), kNone}, 5, IDS_TIP_REDO, R::Redo},
    {ID_EDIT_REFRESH, IDS_MENU_REFRESH, M::Tab, {Key(kVkF5), kNone}, -1, 0, R::Always},
    {ID_EDIT_DELETE, IDS_MENU_DELETE, M::Tab, {Key(kVkDelete), kNone}, 8, IDS_TIP_DELETE, R::Delete},
    {ID_EDIT_COPY_TO_FILE, IDS_MENU_COPY_TO_FILE, M::Hidden, {kNone, kNone}, 6, IDS_TIP_COPY_TO_FILE,
     R::CopyToPackage},
    {ID_EDIT_COPY_TO_SYSTEM, IDS_MENU_COPY_TO_SYSTEM, M::Hidden, {kNone, kNone}, 7, IDS_TIP_COPY_TO_SYSTEM,
     R::CopyToSystem},
    {ID_HELP_CONTENTS, IDS_MENU_HELP_CONTENTS, M::RightAligned, {Key(kVkF1), kNone}, -1, 0, R::Always},
    {ID_HELP_HOME_PAGE, IDS_MENU_HOME_PAGE, M::Hidden, {kNone, kNone}, -1, 0, R::Always},
    {ID_APP_ABOUT, IDS_MENU_ABOUT, M::Hidden, {AltChar('/'), AltChar('?')}, -1, 0, R::Always},
    {ID_EDIT_SELECT_ALL, 0, M::Hidden, {Ctrl('A'), kNone}, -1, 0, R::Always},
    {ID_NEXT_PANE_CONTROL, 0, M::Hidden, {Ctrl(kVkTab), Key(kVkTab)}, -1, 0, R::Always},
    {ID_PREV_PANE_CONTROL, 0, M::Hidden, {CtrlShift(kVkTab), Key(kVkTab, kKeyShift)}, -1, 0, R::Always},
    {ID_EDIT_RENAME, 0, M::Hidden, {Key(kVkF2), kNone}, -1, 0, R::Always},
    {ID_EDIT_FIND, 0, M::Hidden, {Ctrl('F'), Ctrl('E')}, -1, 0, R::Always},
    // What's-this help has no handler: its key is taken so that it does nothing.
    {ID_HELP_WHATS_THIS, 0, M::Hidden, {Key(kVkF1, kKeyShift), kNone}, -1, 0, R::Always},
};
const size_t kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);
static_assert(sizeof(kCommands) / sizeof(kCommands[0]) * 2 <= kMaxAccelerators, "room for every shortcut");

namespace {

const int32_t kFileItems[] = {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0, ID_APP_EXIT};
const int32_t kEditItems[] = {ID_EDIT_UNDO,   ID_EDIT_REDO,         0, ID_EDIT_REFRESH, 0, ID_EDIT_DELETE, 0,
                              ID_EDIT_COPY_TO_FILE, ID_EDIT_COPY_TO_SYSTEM};
const int32_t kHelpItems[] = {ID_HELP_CONTENTS, 0, ID_HELP_HOME_PAGE, 0, ID_APP_ABOUT};

template <size_t N>
constexpr MenuPopup Popup(uint32_t title, const int32_t (&items)[N]) {
  return {title, items, N};
}

}  // namespace

const MenuPopup kMenuBar[] = {
    Popup(IDS_MENU_FILE, kFileItems),
    Popup(IDS_MENU_EDIT, kEditItems),
    Popup(IDS_MENU_HELP, kHelpItems),
};
const size_t kMenuPopupCount = sizeof(kMenuBar) / sizeof(kMenuBar[0]);

const int32_t kToolbarButtons[kToolbarButtonCount] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,         0, ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_COPY_TO_FILE,
    ID_EDIT_COPY_TO_SYSTEM, ID_EDIT_DELETE};

const CommandInfo* FindCommand(int32_t id) {
  for (const CommandInfo& command : kCommands) {
    if (command.id == id) return &command;
  }
  return nullptr;
}

uint32_t ToolbarTooltip(int32_t command) {
  const CommandInfo* info = command != 0 ? FindCommand(command) : nullptr;
  return info != nullptr && info->image >= 0 ? info->tooltip : 0;
}

size_t FormatShortcut(const Shortcut& shortcut, char* text, size_t size) {
  if (size == 0) return 0;
  text[0] = '\0';
  if (shortcut.key == 0) return 0;
  if (shortcut.modifiers & kKeyCtrl) Text_Append(text, size, "Ctrl+");
  if (shortcut.modifiers & kKeyShift) Text_Append(text, size, "Shift+");
  if (shortcut.modifiers & kKeyAlt) Text_Append(text, size, "Alt+");
  char key[16];
  uint16_t code = shortcut.key;
  if (shortcut.character || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    snprintf(key, sizeof(key), "%c", static_cast<char>(code));
  } else if (code >= kVkF1 && code < kVkF1 + 24) {
    snprintf(key, sizeof(key), "F%d", code - kVkF1 + 1);
  } else if (code == kVkDelete) {
    snprintf(key, sizeof(key), "Delete");
  } else if (code == kVkTab) {
    snprintf(key, sizeof(key), "Tab");
  } else {
    snprintf(key, sizeof(key), "#%u", static_cast<unsigned>(code));
  }
  return Text_Append(text, size, key);
}

size_t FormatMenuText(const CommandInfo& command, const char* label, char* text, size_t size) {
  size_t length = Text_Copy(text, size, label);
  if (command.shown == MenuShortcut::Hidden || command.keys[0].key == 0) return length;
  char shortcut[48];
  FormatShortcut(command.keys[0], shortcut, sizeof(shortcut));
  Text_Append(text, size, command.shown == MenuShortcut::Tab ? "\t" : "\b");
  return Text_Append(text, size, shortcut);
}

namespace {

int ModifierCount(uint8_t modifiers) {
  return ((modifiers & kKeyCtrl) != 0) + ((modifiers & kKeyShift) != 0) + ((modifiers & kKeyAlt) != 0);
}

}  // namespace

size_t ListAccelerators(AcceleratorEntry* entries, size_t capacity) {
  // The system takes the first entry whose key and modifiers match; keeping
  // the fuller combinations first keeps that right whatever it matches on.
  size_t count = 0;
  for (int modifiers = 3; modifiers >= 0; --modifiers) {
    for (const CommandInfo& command : kCommands) {
      for (const Shortcut& keys : command.keys) {
        if (keys.key == 0 || ModifierCount(keys.modifiers) != modifiers) continue;
        if (count < capacity) entries[count] = {keys, command.id};
        ++count;
      }
    }
  }
  return count < capacity ? count : capacity;
}
