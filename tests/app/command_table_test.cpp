// The enabling rules in the situations the user meets, the texts the menu
// shows for the shortcuts, the order of the accelerators, and the focus
// moving around the panes' four controls.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/command_table.h"
#include "app/focus_ring.h"
#include "resource.h"

namespace {

// The focus in a pane's list or tree, with or without something selected.
CommandState Working(StoreId store, FocusKind focus, bool selected) {
  CommandState state;
  state.packageEmpty = false;
  state.systemEmpty = false;
  state.activeStore = store;
  state.focus = focus;
  state.selectionPresent = selected;
  return state;
}

TEST(CommandRules, SaveNeedsAChangeWithSomewhereToGoAndSaveAsAChangeOrContents) {
  CommandState state;  // a new, empty package
  EXPECT_FALSE(CanSave(state));
  EXPECT_FALSE(CanSaveAs(state));
  state.modified = true;  // a copy into the new package, undone: changed, empty, no file
  EXPECT_FALSE(CanSave(state));
  EXPECT_TRUE(CanSaveAs(state));
  state.packageEmpty = false;
  EXPECT_TRUE(CanSave(state));
  EXPECT_TRUE(CanSaveAs(state));
  state.modified = false;  // just saved or opened
  EXPECT_FALSE(CanSave(state));
  EXPECT_TRUE(CanSaveAs(state));

  // An opened package emptied by deletes: its file must lose them too.
  CommandState emptied;
  emptied.hasFile = true;
  emptied.modified = true;
  EXPECT_TRUE(CanSave(emptied));
  EXPECT_TRUE(CanSaveAs(emptied));
  emptied.modified = false;  // opened empty, or saved so
  EXPECT_FALSE(CanSave(emptied));
  EXPECT_FALSE(CanSaveAs(emptied));
}

TEST(CommandRules, CopyingGoesFromTheActivePaneToTheOtherAndNeedsASelection) {
  CommandState system = Working(StoreId::System, FocusKind::List, true);
  EXPECT_TRUE(CanCopyToPackage(system));
  EXPECT_FALSE(CanCopyToSystem(system));
  EXPECT_TRUE(CanDelete(system));

  CommandState package = Working(StoreId::Package, FocusKind::Tree, true);
  EXPECT_FALSE(CanCopyToPackage(package));
  EXPECT_TRUE(CanCopyToSystem(package));
  EXPECT_TRUE(CanDelete(package));

  // The focus outside the panes (the toolbar), nothing selected, or an
  // empty active store: nothing to copy or delete.
  for (CommandState state : {Working(StoreId::System, FocusKind::None, true),
                             Working(StoreId::System, FocusKind::List, false)}) {
    EXPECT_FALSE(CanCopyToPackage(state));
    EXPECT_FALSE(CanDelete(state));
  }
  CommandState empty = Working(StoreId::Package, FocusKind::Tree, true);
  empty.packageEmpty = true;
  EXPECT_FALSE(CanCopyToSystem(empty));
  EXPECT_FALSE(CanDelete(empty));
  // The other store being empty does not matter.
  CommandState other = Working(StoreId::System, FocusKind::List, true);
  other.packageEmpty = true;
  EXPECT_TRUE(CanCopyToPackage(other));
}

TEST(CommandRules, UndoAndRedoFollowTheirStacksAndEveryCommandHasItsRule) {
  CommandState state;
  EXPECT_FALSE(IsCommandEnabled(FindCommand(ID_EDIT_UNDO)->rule, state));
  state.undoCount = 1;
  EXPECT_TRUE(IsCommandEnabled(FindCommand(ID_EDIT_UNDO)->rule, state));
  EXPECT_FALSE(IsCommandEnabled(FindCommand(ID_EDIT_REDO)->rule, state));
  state.redoCount = 2;
  EXPECT_TRUE(IsCommandEnabled(FindCommand(ID_EDIT_REDO)->rule, state));
  // The document and help commands are always there.
  for (int32_t id : {ID_FILE_NEW, ID_FILE_OPEN, ID_APP_EXIT, ID_EDIT_REFRESH, ID_HELP_CONTENTS, ID_APP_ABOUT}) {
    EXPECT_TRUE(IsCommandEnabled(FindCommand(id)->rule, CommandState())) << id;
  }
  EXPECT_EQ(nullptr, FindCommand(ID_FILE_MRU_FIRST));
}

TEST(CommandTable, ShortcutsAreNamedAsMenusShowThem) {
  char text[64];
  FormatShortcut({'Z', kKeyCtrl | kKeyShift, false}, text, sizeof(text));
  EXPECT_STREQ("Ctrl+Shift+Z", text);
  FormatShortcut({kVkF5, 0, false}, text, sizeof(text));
  EXPECT_STREQ("F5", text);
  FormatShortcut({kVkDelete, 0, false}, text, sizeof(text));
  EXPECT_STREQ("Delete", text);
  FormatShortcut({'?', kKeyAlt, true}, text, sizeof(text));
  EXPECT_STREQ("Alt+?", text);
  FormatShortcut({'Z', kKeyCtrl | kKeyShift, false}, text, 6);
  EXPECT_STREQ("Ctrl+", text);

  FormatMenuText(*FindCommand(ID_EDIT_REDO), "&Redo", text, sizeof(text));
  EXPECT_STREQ("&Redo\tCtrl+Shift+Z", text);
  FormatMenuText(*FindCommand(ID_HELP_CONTENTS), "&Contents and Index", text, sizeof(text));
  EXPECT_STREQ("&Contents and Index\bF1", text);
  FormatMenuText(*FindCommand(ID_APP_ABOUT), "&About Ordalis...", text, sizeof(text));
  EXPECT_STREQ("&About Ordalis...", text);
}

TEST(CommandTable, AcceleratorsAreUniqueAndTheFullerCombinationComesFirst) {
  AcceleratorEntry entries[64];
  size_t count = ListAccelerators(entries, 64);
  std::set<std::string> seen;
  auto position = [&](int32_t command) {
    for (size_t i = 0; i < count; ++i) {
      if (entries[i].command == command) return i;
    }
    return count;
  };
  for (size_t i = 0; i < count; ++i) {
    const Shortcut& keys = entries[i].keys;
    std::string key = std::to_string(keys.key) + "/" + std::to_string(keys.modifiers) + (keys.character ? "c" : "v");
    EXPECT_TRUE(seen.insert(key).second) << "two commands on " << key;
  }
  EXPECT_LT(position(ID_EDIT_REDO), position(ID_EDIT_UNDO));
  EXPECT_LT(position(ID_PREV_PANE_CONTROL), position(ID_NEXT_PANE_CONTROL));
  EXPECT_LT(position(ID_HELP_WHATS_THIS), position(ID_HELP_CONTENTS));
  EXPECT_EQ(3u, ListAccelerators(entries, 3));
}

TEST(CommandTable, EveryMenuItemAndToolbarButtonIsACommandWithItsTooltip) {
  for (size_t p = 0; p < kMenuPopupCount; ++p) {
    for (size_t i = 0; i < kMenuBar[p].count; ++i) {
      int32_t id = kMenuBar[p].items[i];
      if (id != 0) {
        EXPECT_NE(0u, FindCommand(id)->label) << id;
      }
    }
  }
  for (int32_t id : kToolbarButtons) {
    if (id == 0) continue;
    EXPECT_GE(FindCommand(id)->image, 0) << id;
    EXPECT_NE(0u, ToolbarTooltip(id)) << id;
  }
  EXPECT_EQ(0u, ToolbarTooltip(ID_FILE_SAVE_AS));
  EXPECT_EQ(0u, ToolbarTooltip(0));
}

struct Ring {
  bool items[4];
};

PaneControl Step(int pane, FocusKind kind, bool forward, Ring ring) { return StepFocus(pane, kind, forward, ring.items); }

TEST(FocusRing, MovesTreeListTreeListAndPassesOverEmptyControls) {
  Ring full = {{true, true, true, true}};
  PaneControl to = Step(0, FocusKind::Tree, true, full);
  EXPECT_EQ(0, to.pane);
  EXPECT_EQ(FocusKind::List, to.kind);
  to = Step(0, FocusKind::List, true, full);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::Tree, to.kind);
  to = Step(1, FocusKind::List, true, full);  // round to the start
  EXPECT_EQ(0, to.pane);
  EXPECT_EQ(FocusKind::Tree, to.kind);
  to = Step(0, FocusKind::Tree, false, full);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::List, to.kind);

  // A new package: its list is empty, so the package tree goes on to the system tree.
  Ring emptyPackageList = {{true, false, true, true}};
  to = Step(0, FocusKind::Tree, true, emptyPackageList);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::Tree, to.kind);
  to = Step(1, FocusKind::Tree, false, emptyPackageList);
  EXPECT_EQ(0, to.pane);
  EXPECT_EQ(FocusKind::Tree, to.kind);
}

TEST(FocusRing, TheFindBoxSitsWhereTheRingGoesRound) {
  Ring full = {{true, true, true, true}};
  auto passes = [&](int pane, FocusKind kind, bool forward, const Ring& ring) {
    return StepPassesFindBox({pane, kind}, Step(pane, kind, forward, ring), forward);
  };
  EXPECT_TRUE(passes(1, FocusKind::List, true, full));
  EXPECT_TRUE(passes(0, FocusKind::Tree, false, full));
  EXPECT_FALSE(passes(0, FocusKind::List, true, full));
  EXPECT_FALSE(passes(1, FocusKind::Tree, false, full));
  // Empty controls at the end are passed over on the way to the box.
  Ring emptySystemList = {{true, true, true, false}};
  EXPECT_TRUE(passes(1, FocusKind::Tree, true, emptySystemList));
  // The only control with items: every step goes round, by way of the box.
  Ring onlyHere = {{false, false, false, true}};
  EXPECT_TRUE(passes(1, FocusKind::List, true, onlyHere));
  EXPECT_TRUE(passes(1, FocusKind::List, false, onlyHere));
  EXPECT_FALSE(passes(1, FocusKind::None, true, full));
}

TEST(FocusRing, WithoutAFocusedControlStartsInTheActivePaneAndStopsWhenAllAreEmpty) {
  Ring full = {{true, true, true, true}};
  PaneControl to = Step(1, FocusKind::None, true, full);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::List, to.kind);
  to = Step(1, FocusKind::None, false, full);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::Tree, to.kind);
  Ring onlyHere = {{false, false, false, true}};
  to = Step(1, FocusKind::List, true, onlyHere);
  EXPECT_EQ(1, to.pane);
  EXPECT_EQ(FocusKind::List, to.kind);
  EXPECT_EQ(FocusKind::None, Step(0, FocusKind::Tree, true, Ring{{false, false, false, false}}).kind);
}

}  // namespace
