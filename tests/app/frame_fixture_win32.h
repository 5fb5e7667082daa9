// The real frame, created in this process over a system store of the test's
// own, driven with the messages a user's actions produce and read back from
// its controls. Every message box is answered here and kept for the test.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_win32.h"
#include "kernel/msgbox.h"
#include "store/store_fixture.h"

struct ShownBox {
  std::string text;
  std::string caption;
  int32_t status;
};

class FrameTest : public SystemStoreTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A store worth looking at: three DirectShow plug-ins with presets (two
  // registered under a name), one preset in a file, an editor effect and
  // two chains.
  void WriteStore();

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

  // Handles this thread's messages until `condition` holds, for at most
  // `milliseconds`.
  static bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);
  static void Pump();

  std::unique_ptr<FrameState> frame_;
  VtMetric* settings_ = nullptr;
  VtLang* strings_ = nullptr;
  std::vector<ShownBox> boxes_;
  // Runs while a box is shown (it is answered with its default afterwards).
  std::function<void(const VtMsgBoxQuestion&)> onBox_;

 private:
  static int32_t AnswerBox(void* context, const VtMsgBoxQuestion& question);
};
