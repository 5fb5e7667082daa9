// The commands of the real frame, driven by their shortcuts through the
// program's message loop and read back from the menu, the toolbar and the
// panes: the enabling rules, Undo and Redo with their menu texts, the focus
// ring, Select all, Rename, Refresh, help, the home page and the about box.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/frame_fixture_win32.h"
#include "platform/file.h"
#include "resource.h"
#include "store/store_layout.h"

namespace {

// Handles the next dialog box this thread shows: `read` looks at it, then
// it is closed as with Escape. Dialogs run their own message loop, so this
// is done from a timer of the thread.
class DialogWatcher {
 public:
  explicit DialogWatcher(std::function<void(HWND)> read) : read_(std::move(read)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, OnTimer);
  }
  ~DialogWatcher() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  int seen = 0;

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (current_ == nullptr || dialog == nullptr || dialog == current_->last_) return;
    current_->last_ = dialog;
    ++current_->seen;
    current_->read_(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }

  static DialogWatcher* current_;
  std::function<void(HWND)> read_;
  UINT_PTR timer_ = 0;
  HWND last_ = nullptr;
};
DialogWatcher* DialogWatcher::current_ = nullptr;

std::string ItemText(HWND dialog, int id) {
  char text[2048] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

void SelectItems(HWND list, const std::vector<int32_t>& items) {
  for (int32_t index : items) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  }
}

class Commands : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
  }

  void CopyDelayPresets(const std::vector<std::string>& names) {
    ASSERT_TRUE(Copy(StoreId::System, ListSelection(NodeKind::PlugIn, "delay", names)).committed);
  }

  void ExpectCopyAndDeleteEnabled(bool toFile, bool toSystem, bool remove) {
    EXPECT_EQ(toFile, MenuEnabled(ID_EDIT_COPY_TO_FILE));
    EXPECT_EQ(toSystem, MenuEnabled(ID_EDIT_COPY_TO_SYSTEM));
    EXPECT_EQ(remove, MenuEnabled(ID_EDIT_DELETE));
    EXPECT_EQ(toFile, ButtonEnabled(ID_EDIT_COPY_TO_FILE));
    EXPECT_EQ(toSystem, ButtonEnabled(ID_EDIT_COPY_TO_SYSTEM));
    EXPECT_EQ(remove, ButtonEnabled(ID_EDIT_DELETE));
  }
};

TEST_F(Commands, MenuItemsAndButtonsFollowTheDocumentTheFocusAndTheSelection) {
  ShowFrame();
  // A new package: nothing to save.
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_FALSE(MenuEnabled(ID_FILE_SAVE_AS));
  EXPECT_FALSE(ButtonEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(MenuEnabled(ID_FILE_NEW));
  EXPECT_TRUE(ButtonEnabled(ID_FILE_OPEN));

  // Two presets selected in the system pane's list.
  Select(System(), "FX Plug-Ins/delay");
  SetFocus(System().list);
  SelectItems(System().list, {0, 2});
  {
    SCOPED_TRACE("system list");
    ExpectCopyAndDeleteEnabled(true, false, true);
  }
  // The package pane takes the focus: its store is empty.
  SetFocus(Package().tree);
  {
    SCOPED_TRACE("empty package tree");
    ExpectCopyAndDeleteEnabled(false, false, false);
  }

  CopyDelayPresets({"Warm", "Long"});
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE));
  EXPECT_TRUE(MenuEnabled(ID_FILE_SAVE_AS));
  EXPECT_TRUE(ButtonEnabled(ID_FILE_SAVE));
  Select(Package(), "Untitled/FX Plug-Ins");
  {
    SCOPED_TRACE("package tree with a node selected");
    ExpectCopyAndDeleteEnabled(false, true, true);
  }
  // The focus outside the panes.
  SetFocus(frame_->toolbar);
  {
    SCOPED_TRACE("toolbar");
    ExpectCopyAndDeleteEnabled(false, false, false);
  }
}

TEST_F(Commands, CtrlZUndoesCtrlShiftZRedoesAndTheEditMenuNamesTheStep) {
  ShowFrame();
  EXPECT_EQ("Can't &Undo\tCtrl+Z", MenuText(ID_EDIT_UNDO));
  EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
  CopyDelayPresets({"Warm", "Long", "Big"});
  Select(Package(), "Untitled/FX Plug-Ins/delay");
  SetFocus(Package().list);
  EXPECT_EQ("Big, Long, Warm", ListLabels(Package().list));
  EXPECT_EQ("&Undo Copy\tCtrl+Z", MenuText(ID_EDIT_UNDO));
  EXPECT_TRUE(MenuEnabled(ID_EDIT_UNDO));
  EXPECT_EQ("Can't &Redo\tCtrl+Shift+Z", MenuText(ID_EDIT_REDO));
  EXPECT_FALSE(MenuEnabled(ID_EDIT_REDO));

  PressKey('Z', kKeyCtrl);
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_EQ("", ListLabels(Package().list));
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled*", Caption());
  EXPECT_EQ("Can't &Undo\tCtrl+Z", MenuText(ID_EDIT_UNDO));
  EXPECT_FALSE(MenuEnabled(ID_EDIT_UNDO));
  EXPECT_EQ("&Redo Copy\tCtrl+Shift+Z", MenuText(ID_EDIT_REDO));
  EXPECT_TRUE(MenuEnabled(ID_EDIT_REDO));
  EXPECT_FALSE(ButtonEnabled(ID_EDIT_UNDO));
  EXPECT_TRUE(ButtonEnabled(ID_EDIT_REDO));
  PressKey('Z', kKeyCtrl);  // nothing left to undo
  EXPECT_EQ(1, GetRedoCount(frame_->history));

  PressKey('Z', kKeyCtrl | kKeyShift);
  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_EQ(0, GetRedoCount(frame_->history));
  EXPECT_TRUE(ButtonEnabled(ID_EDIT_UNDO));

  EditContext edit = {frame_->stores, frame_->history, nullptr};
  EditOutcome deleted = DeleteSelection(edit, StoreId::Package, ListSelection(NodeKind::PlugIn, "delay", {"Big"}));
  ASSERT_TRUE(deleted.committed);
  RefreshStorePane(*frame_, deleted.changedStore);
  EXPECT_EQ("&Undo Delete\tCtrl+Z", MenuText(ID_EDIT_UNDO));
  Select(Package(), "Untitled/FX Plug-Ins/delay");
  EXPECT_EQ("Long, Warm", ListLabels(Package().list));
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ("Big, Long, Warm", ListLabels(Package().list));
}

// Deleting two presets from this computer, then taking it back while the
// preset files' folder cannot be written: the small preset comes back, the
// large one cannot, and the user is told.
TEST_F(Commands, AnUndoThatFailsInPartIsReportedAndThePaneShowsWhatCameBack) {
  EditContext edit = {frame_->stores, frame_->history, nullptr};
  EditOutcome deleted = DeleteSelection(edit, StoreId::System, ListSelection(NodeKind::PlugIn, "delay", {"Big", "Warm"}));
  ASSERT_TRUE(deleted.committed);
  RefreshStorePane(*frame_, deleted.changedStore);
  Select(System(), "FX Plug-Ins/delay");
  EXPECT_EQ("Long", ListLabels(System().list));
  // Big's file, kept where it was, is now a folder, and no new file can be
  // made in the store's folder either.
  std::string bigFile = WriteFile("big.dxp", {});
  ASSERT_EQ(0, File_Delete(bigFile.c_str()));
  ASSERT_EQ(0, File_CreateFolder(bigFile.c_str()));
  SetText(kDirectShowPresetsKey, kDefLocationValue, WriteFile("blocker", Pattern(10, 1)), kRegExpandSz);

  PressKey('Z', kKeyCtrl);
  EXPECT_EQ("Long, Warm", ListLabels(System().list));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ(0u, boxes_[0].text.find("The last step could not be undone completely.")) << boxes_[0].text;
  EXPECT_LT(boxes_[0].status, 0);
  EXPECT_EQ(1, GetRedoCount(frame_->history));
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled", Caption());  // the package did not change
}

TEST_F(Commands, CtrlTabMovesRoundTheFourControlsAndTheFindBoxPassingOverEmptyOnes) {
  ShowFrame();
  SetFocus(Package().tree);
  PressKey(VK_TAB, kKeyCtrl);  // the new package's list is empty
  EXPECT_EQ(System().tree, GetFocus());
  Select(System(), "FX Plug-Ins/delay");
  PressKey(VK_TAB, kKeyCtrl);
  EXPECT_EQ(System().list, GetFocus());
  EXPECT_EQ(std::vector<int32_t>{0}, SelectedItems(System().list));
  PressKey(VK_TAB, kKeyCtrl);  // the find box sits where the ring goes round
  EXPECT_EQ(frame_->findBox, GetFocus());
  PressKey(VK_TAB, kKeyCtrl);
  EXPECT_EQ(Package().tree, GetFocus());
  PressKey(VK_TAB, kKeyCtrl | kKeyShift);
  EXPECT_EQ(frame_->findBox, GetFocus());
  PressKey(VK_TAB, kKeyCtrl | kKeyShift);
  EXPECT_EQ(System().list, GetFocus());
  PressKey(VK_TAB, kKeyCtrl | kKeyShift);
  EXPECT_EQ(System().tree, GetFocus());
  PressKey(VK_TAB, kKeyCtrl | kKeyShift);
  EXPECT_EQ(Package().tree, GetFocus());
}

int32_t FocusedItem(HWND list) {
  return static_cast<int32_t>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

TEST_F(Commands, TabAndShiftTabMoveAsCtrlTabDoesAndAListTakesTheFocusWithAFocusedItem) {
  ShowFrame();
  SetFocus(Package().tree);
  PressKey(VK_TAB);
  EXPECT_EQ(System().tree, GetFocus());
  Select(System(), "FX Plug-Ins/delay");
  PressKey(VK_TAB);
  EXPECT_EQ(System().list, GetFocus());
  EXPECT_EQ(0, FocusedItem(System().list));  // the first Down goes on from here
  PressKey(VK_DOWN);
  EXPECT_EQ(std::vector<int32_t>{1}, SelectedItems(System().list));
  PressKey(VK_TAB, kKeyShift);
  EXPECT_EQ(System().tree, GetFocus());
  PressKey(VK_TAB, kKeyShift);
  EXPECT_EQ(Package().tree, GetFocus());
  PressKey(VK_TAB, kKeyShift);
  EXPECT_EQ(System().list, GetFocus());

  // Enter on "FX Plug-Ins" lists the plug-ins with the first one focused.
  Select(System(), "FX Plug-Ins");
  SetFocus(System().list);
  SelectItems(System().list, {1});
  PressEnter(System());
  EXPECT_EQ("delay", NodeLabel(System().tree, Selected(System().tree)));
  EXPECT_EQ(0, FocusedItem(System().list));
  PressKey(VK_DOWN);
  EXPECT_EQ(std::vector<int32_t>{1}, SelectedItems(System().list));

  // The name box keeps its own Tab.
  Select(System(), "FX Chains");
  HWND edit = reinterpret_cast<HWND>(SendMessageA(System().list, LVM_EDITLABELA, 0, 0));
  ASSERT_NE(nullptr, edit);
  ASSERT_EQ(edit, GetFocus());
  PressKey(VK_TAB);
  EXPECT_EQ(edit, GetFocus());
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
}

TEST_F(Commands, CtrlASelectsAListF2RenamesAndKeysInTheNameBoxAreItsOwn) {
  ShowFrame();
  Select(System(), "FX Plug-Ins/delay");
  SetFocus(System().tree);
  PressKey('A', kKeyCtrl);
  EXPECT_TRUE(SelectedItems(System().list).empty());
  SetFocus(System().list);
  PressKey('A', kKeyCtrl);
  EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), SelectedItems(System().list));

  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED;
  SendMessageA(System().list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  PressKey(VK_F2);
  EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendMessageA(System().list, LVM_GETEDITCONTROL, 0, 0)));

  SelectItems(System().list, {ListIndexOf(System().list, "Warm")});
  PressKey(VK_F2);
  HWND edit = reinterpret_cast<HWND>(SendMessageA(System().list, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(nullptr, edit);
  // Delete and Ctrl+A edit the name; they do not reach the frame's commands.
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  PressKey(VK_DELETE);
  char text[64] = {};
  GetWindowTextA(edit, text, sizeof(text));
  EXPECT_STREQ("", text);
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
}

TEST_F(Commands, F5ReadsThisComputersPresetsAgain) {
  Select(System(), "FX Plug-Ins/delay");
  SetBinary(PlugInKey(kClassA), "Fresh", Pattern(12, 9));
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
  PressKey(VK_F5);
  EXPECT_EQ("Big, Fresh, Long, Warm", ListLabels(System().list));
}

TEST_F(Commands, F1ShowsTheHelpAndShiftF1DoesNothing) {
  ShowFrame();
  std::vector<std::string> topics;
  std::string first, shortcuts, caption;
  DialogWatcher watcher([&](HWND dialog) {
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    caption = text;
    HWND list = GetDlgItem(dialog, IDC_HELP_TOPICS);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char title[256] = {};
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(title));
      topics.push_back(title);
    }
    first = ItemText(dialog, IDC_HELP_HEADING) + "|" + ItemText(dialog, IDC_HELP_TEXT);
    int keys = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>("Keyboard shortcuts")));
    SendMessageA(list, LB_SETCURSEL, keys, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HELP_TOPICS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    shortcuts = ItemText(dialog, IDC_HELP_HEADING) + "|" + ItemText(dialog, IDC_HELP_TEXT);
  });
  PressKey(VK_F1, kKeyShift);
  EXPECT_EQ(0, watcher.seen);
  PressKey(VK_F1);
  ASSERT_EQ(1, watcher.seen);
  EXPECT_EQ("Veltrane Ordalis Help", caption);
  EXPECT_GE(topics.size(), 8u);
  EXPECT_EQ(0u, first.find(topics.at(0) + "|"));
  EXPECT_EQ(0u, shortcuts.find("Keyboard shortcuts|Ctrl+N\tNew package\r\n")) << shortcuts;
  EXPECT_NE(std::string::npos, shortcuts.find("Ctrl+Shift+Z\tRedo\r\n"));
  EXPECT_EQ(frame_->window, GetActiveWindow());
}

RECT RectIn(HWND dialog, int id) {
  RECT r = {};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// How tall the static's text is when drawn as the static draws it.
int32_t NeededHeight(HWND control) {
  char text[1024] = {};
  int length = GetWindowTextA(control, text, sizeof(text));
  RECT r = {};
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  DrawTextA(dc, text, length, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.bottom - r.top;
}

// Every text of the box has room for all its lines, none runs under the
// next, and the button stays below them inside the box. Run again at 120,
// 144 and 192 DPI in a process of its own (frame_process_test_win32.cpp).
TEST_F(Commands, TheAboutBoxsTextsHaveRoomForEveryLineAtTheScreensDpi) {
  std::vector<std::string> faults;
  DialogWatcher watcher([&](HWND dialog) {
    const int ids[] = {IDC_ABOUT_NAME,           IDC_ABOUT_VERSION, IDC_ABOUT_STORE_INTRO, IDC_ABOUT_STORE,
                       IDC_ABOUT_SETTINGS_INTRO, IDC_ABOUT_SETTINGS};
    int32_t above = 0;
    for (int id : ids) {
      RECT r = RectIn(dialog, id);
      int32_t needed = NeededHeight(GetDlgItem(dialog, id));
      if (r.bottom - r.top < needed) {
        faults.push_back("text " + std::to_string(id) + " is " + std::to_string(r.bottom - r.top) + " high for " +
                         std::to_string(needed));
      }
      if (r.top < above) faults.push_back("text " + std::to_string(id) + " runs under the one above");
      above = r.bottom;
    }
    RECT ok = RectIn(dialog, IDOK), client = {};
    GetClientRect(dialog, &client);
    if (ok.top < above) faults.push_back("the button covers a text");
    if (ok.bottom > client.bottom) faults.push_back("the button is outside the box");
  });
  TypeCharacter('?', kKeyAlt);
  ASSERT_EQ(1, watcher.seen);
  EXPECT_TRUE(faults.empty()) << faults.front();
}

TEST_F(Commands, TheAboutBoxNamesTheProgramItsBuildAndWhereItKeepsThingsAndTheHomePageOpens) {
  std::string name, version, store, settings;
  bool icon = false;
  DialogWatcher watcher([&](HWND dialog) {
    name = ItemText(dialog, IDC_ABOUT_NAME);
    version = ItemText(dialog, IDC_ABOUT_VERSION);
    store = ItemText(dialog, IDC_ABOUT_STORE);
    settings = ItemText(dialog, IDC_ABOUT_SETTINGS);
    icon = SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
  });
  TypeCharacter('?', kKeyAlt);
  ASSERT_EQ(1, watcher.seen);
  EXPECT_EQ("Veltrane Ordalis", name);
  EXPECT_EQ("Version 1.0 (build 73)", version);
  EXPECT_EQ(std::string("HKEY_CURRENT_USER\\") + kDirectShowPresetsKey + "\r\nHKEY_CURRENT_USER\\" + kEditorPresetsKey +
                "\r\nHKEY_CURRENT_USER\\" + kChainsKey,
            store);
  EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Veltrane\\Ordalis\\1.0\\Metrics", settings);
  EXPECT_TRUE(icon);

  SendMessageA(frame_->window, WM_COMMAND, ID_HELP_HOME_PAGE, 0);
  EXPECT_EQ(std::vector<std::string>{"https://veltrane.example/ordalis"}, openedUrls_);
}

}  // namespace
