// The real frame, created in this process over a system store of the test's
// own, driven with the messages a user's actions produce and read back from
// its controls. Every message box is answered here and kept for the test.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/file_dialogs.h"
#include "app/frame_win32.h"
#include "edit/selection_edit.h"
#include "kernel/msgbox.h"
#include "store/store_fixture.h"

struct ShownBox {
  std::string text;
  std::string caption;
  int32_t status;
};

// The open and save dialogs as a test answers them: each request is kept,
// and answered with the next of `answers` (a path, or "" for Cancel).
class AnsweredFileDialogs final : public FileDialogs {
 public:
  struct Answer {
    std::string path;
    bool readOnly = false;
  };
  struct Asked {
    FileDialogKind kind;
    std::string title, folder, fileName;
  };
  int32_t Ask(void* owner, const FileDialogRequest& request, FileDialogAnswer* answer) override;

  std::deque<Answer> answers;
  std::vector<Asked> asked;
};

class FrameTest : public SystemStoreTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A store worth looking at: three DirectShow plug-ins with presets (two
  // registered under a name), one preset in a file, an editor effect and
  // two chains.
  void WriteStore();

  // A package file in the test's folder holding presets of the plug-in
  // "delay" (each preset's data is its name); gives its path.
  std::string WritePackageFile(const std::string& name, const std::vector<std::string>& presets);

  // Creates the frame for `document` ("" for untitled), 800 by 600. It is
  // shown only where the focus matters: under Wine without a window
  // manager, hiding a shown window takes two seconds.
  void StartFrame(const std::string& document = "");
  void ShowFrame();
  void DestroyFrame();

  Pane& Package() { return frame_->panes[kPackagePane]; }
  Pane& System() { return frame_->panes[kSystemPane]; }

  // "label(child, ...), ..." of the whole tree, in the control's order.
  static std::string TreeShape(HWND tree, HTREEITEM parent = TVI_ROOT);
  // The node at "label/label/..." from the top, or null.
  static HTREEITEM NodeAt(HWND tree, const std::string& path);
  static std::string NodeLabel(HWND tree, HTREEITEM node);
  static HTREEITEM Selected(HWND tree);
  // Selects the node at `path` as a click would.
  void Select(Pane& pane, const std::string& path);
  // Selects the node at `path` and, when `items` are named, exactly those
  // list items; the focus is then the list's, else the tree's.
  FocusKind Choose(Pane& pane, const std::string& path, const std::vector<std::string>& items);
  // The list's labels in its order, joined by ", ".
  static std::string ListLabels(HWND list);
  static int32_t ListIndexOf(HWND list, const std::string& label);
  static std::vector<int32_t> SelectedItems(HWND list);

  // The notifications a user's double click and Enter send.
  void DoubleClickItem(Pane& pane, int32_t item);
  void PressEnter(Pane& pane);
  // Renames list item `item` through its edit box; gives false when no edit began.
  bool RenameItem(Pane& pane, int32_t item, const std::string& text);

  // The program becomes active, as when the user comes back to it.
  void Activate() { SendMessageA(frame_->window, WM_ACTIVATEAPP, TRUE, 0); }

  // A key pressed with the focus where it is, through the program's message
  // loop (so its shortcuts apply); `modifiers` of kKeyCtrl, kKeyShift, kKeyAlt.
  void PressKey(UINT key, uint8_t modifiers = 0);
  // A character typed with `modifiers` (Alt+? and the like).
  void TypeCharacter(char character, uint8_t modifiers);
  // The state and text of a menu item as the user sees them when its menu opens.
  UINT MenuState(int32_t command);
  std::string MenuText(int32_t command);
  bool MenuEnabled(int32_t command) { return (MenuState(command) & (MF_GRAYED | MF_DISABLED)) == 0; }
  bool ButtonEnabled(int32_t command) { return SendMessageA(frame_->toolbar, TB_ISBUTTONENABLED, command, 0) != 0; }
  std::string Caption();

  // Copies what `selection` names from `source` into the other store as the
  // copy command does, and shows the result as the program does.
  EditOutcome Copy(StoreId source, const Selection& selection);
  // A selection of list items below the node `context` of kind `kind`.
  static Selection ListSelection(NodeKind kind, const char* context, const std::vector<std::string>& names);

  // Handles this thread's messages until `condition` holds, for at most
  // `milliseconds`.
  static bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);
  static void Pump();

  std::unique_ptr<FrameState> frame_;
  VtMetric* settings_ = nullptr;
  VtLang* strings_ = nullptr;
  std::vector<ShownBox> boxes_;
  // Runs while a box is shown.
  std::function<void(const VtMsgBoxQuestion&)> onBox_;
  // The answers to the next boxes (IDYES, IDNO, ...); a box beyond them is
  // answered with its default button.
  std::deque<int32_t> answers_;
  AnsweredFileDialogs dialogs_;
  // The web pages the program asked the shell to open.
  static std::vector<std::string> openedUrls_;

 private:
  void SendKey(UINT message, WPARAM key, uint8_t modifiers);
  static int32_t AnswerBox(void* context, const VtMsgBoxQuestion& question);
  static int32_t RecordUrl(HWND owner, const char* url);
};
