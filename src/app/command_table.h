// Every command of the program, described once: its menu item, its
// shortcuts, its toolbar button with tooltip, and the rule that enables it.
// The menu bar, the accelerator table, the toolbar, its tooltips, the menu
// update and the toolbar update are all built from this table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/command_rules.h"

// Modifier bits of a shortcut: the values of the system's accelerator flags.
constexpr uint8_t kKeyShift = 0x04;
constexpr uint8_t kKeyCtrl = 0x08;
constexpr uint8_t kKeyAlt = 0x10;

// Virtual keys the shortcuts use besides letters.
constexpr uint16_t kVkTab = 0x09;
constexpr uint16_t kVkDelete = 0x2E;
constexpr uint16_t kVkF1 = 0x70;
constexpr uint16_t kVkF2 = 0x71;
constexpr uint16_t kVkF5 = 0x74;

struct Shortcut {
  uint16_t key;        // a virtual key, or a character when `character`; 0 for none
  uint8_t modifiers;   // kKeyShift, kKeyCtrl, kKeyAlt
  bool character;      // matched on the typed character (Alt+/ and Alt+?)
};

// How the menu item shows the command's first shortcut.
enum class MenuShortcut { Hidden, Tab, RightAligned };

struct CommandInfo {
  int32_t id;
  uint32_t label;       // string of the menu item without its shortcut; 0 for no menu item
  MenuShortcut shown;
  Shortcut keys[2];     // unused ones have key 0
  int32_t image;        // cell of the toolbar bitmap, -1 for no button
  uint32_t tooltip;     // string resource, 0 for none
  CommandRule rule;
};

extern const CommandInfo kCommands[];
extern const size_t kCommandCount;

// The command of identifier `id`, or null.
const CommandInfo* FindCommand(int32_t id);

// The menu bar: pop-ups with their items in order, 0 standing for a
// separator. The recent files are appended to the File menu at run time.
struct MenuPopup {
  uint32_t title;
  const int32_t* items;
  size_t count;
};
extern const MenuPopup kMenuBar[];
extern const size_t kMenuPopupCount;

// The toolbar's buttons in order, 0 standing for a separator.
constexpr size_t kToolbarButtonCount = 10;
extern const int32_t kToolbarButtons[kToolbarButtonCount];

// Cells in each row of the toolbar bitmap.
constexpr int32_t kToolbarImageCount = 17;

// The tooltip string of a toolbar command, 0 for any other identifier.
uint32_t ToolbarTooltip(int32_t command);

// "Ctrl+Shift+Z", "F5", "Delete", "Alt+/": the shortcut as menus and help
// name it, cut to `size`. Gives its length.
size_t FormatShortcut(const Shortcut& shortcut, char* text, size_t size);

// The menu item's text: `label` followed by the first shortcut as the row
// shows it ("\t" or "\b" before it). Gives its length.
size_t FormatMenuText(const CommandInfo& command, const char* label, char* text, size_t size);

// One accelerator of the accelerator table.
struct AcceleratorEntry {
  Shortcut keys;
  int32_t command;
};

// Room for every shortcut of the table.
constexpr size_t kMaxAccelerators = 48;

// Every shortcut of the table, those with more modifiers before those of
// the same key with fewer (Ctrl+Shift+Z before Ctrl+Z), into `entries`.
// Gives the number written.
size_t ListAccelerators(AcceleratorEntry* entries, size_t capacity);
