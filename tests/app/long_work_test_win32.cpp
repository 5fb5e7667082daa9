// Large and long work on the real frame: a large delete from this computer
// asks first; long work shows its progress and stops at Cancel, leaving
// what it did as one step; a second start hands its package to the frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame_fixture_win32.h"
#include "app/frame_parts_win32.h"
#include "app/instance_handover_win32.h"
#include "app/selection_commands_win32.h"
#include "app/unix_path_win32.h"
#include "platform/text.h"
#include "resource.h"

namespace {

class LongWork : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
  }

  bool DeleteNode(Pane& pane, const std::string& path) {
    Select(pane, path);
    Pump();
    return DeletePaneSelection(*frame_, pane, FocusKind::Tree);
  }
  bool CopyNode(Pane& pane, const std::string& path) {
    Select(pane, path);
    Pump();
    return CopyPaneSelection(*frame_, pane, FocusKind::Tree).recorded;
  }
  static std::string SystemHoldings() { return DescribeHoldingsOfFullLoad(); }
  size_t PackagePresets() const {
    const PlugInCollection* plugIns = frame_->stores.package.plugIns.get();
    return plugIns != nullptr ? plugIns->GetTotalPresetCount() : 0;
  }
};

TEST_F(LongWork, DeletingAWholeGroupFromThisComputerAsksWithNoAsTheDefault) {
  std::string original = SystemHoldings();
  uint32_t flags = 0;
  onBox_ = [&flags](const VtMsgBoxQuestion& question) { flags = question.flags; };

  answers_ = {IDNO};
  EXPECT_FALSE(DeleteNode(System(), "FX Plug-Ins"));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("Delete 6 presets of 4 plug-ins from this computer?", boxes_[0].text);
  EXPECT_EQ(static_cast<uint32_t>(MB_YESNO), flags & MB_TYPEMASK);
  EXPECT_EQ(static_cast<uint32_t>(MB_DEFBUTTON2), flags & MB_DEFMASK);
  EXPECT_EQ(original, SystemHoldings());
  EXPECT_EQ(0, GetUndoCount(frame_->history));

  answers_ = {IDYES};
  EXPECT_TRUE(DeleteNode(System(), "FX Plug-Ins"));
  EXPECT_EQ(2u, boxes_.size());
  EXPECT_EQ(nullptr, NodeAt(System().tree, "FX Plug-Ins/delay"));
  EXPECT_EQ(1, GetUndoCount(frame_->history));
  UndoLastStep(*frame_);
  EXPECT_EQ(original, SystemHoldings());
}

TEST_F(LongWork, OnePlugInsPresetsOrAnyDeleteInThePackageGoWithoutAQuestion) {
  EXPECT_TRUE(DeleteNode(System(), "FX Plug-Ins/delay"));
  EXPECT_EQ(nullptr, NodeAt(System().tree, "FX Plug-Ins/delay"));
  UndoLastStep(*frame_);
  ASSERT_TRUE(CopyNode(System(), "FX Plug-Ins"));
  ASSERT_TRUE(CopyNode(System(), "FX Chains"));
  EXPECT_TRUE(DeleteNode(Package(), "Untitled/FX Plug-Ins"));
  EXPECT_TRUE(DeleteNode(Package(), "Untitled"));
  EXPECT_EQ(0u, PackagePresets());
  EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
}

// What the progress window showed each time, and whether the frame took
// input and showed the wait cursor meanwhile.
struct Watched {
  std::vector<std::string> counts;
  std::string caption;
  bool frameEnabled = true;
  bool waitCursor = true;
  HWND window = nullptr;
};

class ProgressWindow : public LongWork {
 protected:
  // Shows the window at once and updates it at every item; the Cancel
  // button is clicked once `cancelAt` items are done.
  void WatchAndCancelAt(int32_t cancelAt, UINT how = BM_CLICK) {
    frame_->progressTiming = {0, 0, 1};
    frame_->onProgress = [this, cancelAt, how](HWND window, int32_t done) {
      char text[128] = {};
      GetDlgItemTextA(window, IDC_PROGRESS_TEXT, text, sizeof(text));
      watched_.counts.push_back(text);
      GetWindowTextA(window, text, sizeof(text));
      watched_.caption = text;
      watched_.window = window;
      watched_.frameEnabled = watched_.frameEnabled && IsWindowEnabled(frame_->window);
      // The mouse over the frame or its lists meets the wait cursor (over
      // the progress window itself, the arrow).
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      SendMessageA(frame_->window, WM_SETCURSOR, reinterpret_cast<WPARAM>(System().list),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      watched_.waitCursor = watched_.waitCursor && GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
      // Closing the frame meanwhile would take the records from under the work.
      if (done == 1) PostMessageA(frame_->window, WM_CLOSE, 0, 0);
      if (done != cancelAt) return;
      HWND cancel = GetDlgItem(window, IDCANCEL);
      if (how == BM_CLICK) {
        PostMessageA(cancel, BM_CLICK, 0, 0);
      } else {
        PostMessageA(cancel, WM_KEYDOWN, VK_ESCAPE, 0);
      }
    };
  }
  Watched watched_;
};

TEST_F(ProgressWindow, CancelStopsADeleteAtTheNextItemLeavingOneUndoableStepAndSaysHowFarItGot) {
  std::string original = SystemHoldings();
  WatchAndCancelAt(2);
  answers_ = {IDYES};
  EXPECT_TRUE(DeleteNode(System(), "FX Plug-Ins"));
  EXPECT_EQ((std::vector<std::string>{"0 of 6 items", "1 of 6 items", "2 of 6 items"}), watched_.counts);
  EXPECT_EQ("Deleting", watched_.caption);
  EXPECT_FALSE(watched_.frameEnabled);
  EXPECT_TRUE(watched_.waitCursor);
  // The window is gone and the frame takes input again.
  EXPECT_FALSE(IsWindow(watched_.window));
  EXPECT_TRUE(IsWindowEnabled(frame_->window));
  EXPECT_EQ(0, frame_->modal.depth);
  EXPECT_NE(nullptr, frame_->window);  // not closed under the work
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ("Stopped after 2 of 6 items. Undo takes back what was done.", boxes_[1].text);

  // Two presets went; the rest stayed, and one Undo brings back the two.
  std::string partial = SystemHoldings();
  EXPECT_NE(original, partial);
  EXPECT_EQ(1, GetUndoCount(frame_->history));
  frame_->onProgress = nullptr;
  UndoLastStep(*frame_);
  EXPECT_EQ(original, SystemHoldings());
  RedoLastStep(*frame_);
  EXPECT_EQ(partial, SystemHoldings());
}

TEST_F(ProgressWindow, EscapeStopsAnUndoWhichThenSplitsIntoWhatWasTakenBackAndTheRest) {
  ASSERT_TRUE(CopyNode(System(), "FX Plug-Ins"));
  ASSERT_EQ(6u, PackagePresets());
  WatchAndCancelAt(3, WM_KEYDOWN);
  UndoLastStep(*frame_);
  EXPECT_EQ("Undoing", watched_.caption);
  EXPECT_EQ(3u, PackagePresets());
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ(0u, boxes_[0].text.rfind("Undo stopped after 3 of 6 items.", 0)) << boxes_[0].text;
  EXPECT_EQ(1, GetUndoCount(frame_->history));
  EXPECT_EQ(1, GetRedoCount(frame_->history));

  frame_->onProgress = nullptr;
  UndoLastStep(*frame_);
  EXPECT_EQ(0u, PackagePresets());
  RedoLastStep(*frame_);
  RedoLastStep(*frame_);
  EXPECT_EQ(6u, PackagePresets());
}

TEST_F(ProgressWindow, ShortWorkShowsNoWindow) {
  bool shown = false;
  frame_->onProgress = [&shown](HWND, int32_t) { shown = true; };
  ASSERT_TRUE(CopyNode(System(), "FX Plug-Ins"));
  UndoLastStep(*frame_);
  EXPECT_FALSE(shown);
  EXPECT_EQ(nullptr, frame_->history.progress);  // nobody watches once the work is over
}

class HandOver : public LongWork {
 protected:
  bool Opened(const std::string& name) {
    return PumpUntil([&] { return Caption().find(name) != std::string::npos; }, 5000);
  }
};

TEST_F(HandOver, ThePackageASecondStartNamesOpensInTheFrame) {
  std::string path = WritePackageFile("handed.vtpreset", {"Soft", "Loud"});
  EXPECT_TRUE(HandToRunningInstance(frame_->window, path.c_str()));
  ASSERT_TRUE(Opened("handed.vtpreset")) << Caption();
  EXPECT_EQ("handed.vtpreset(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_STREQ(path.c_str(), frame_->document.path);
  EXPECT_TRUE(boxes_.empty());

  // A name relative to the second start's folder arrives in full.
  WritePackageFile("relative.vtpreset", {"Soft"});
  char before[MAX_PATH];
  GetCurrentDirectoryA(sizeof(before), before);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
  bool handed = HandToRunningInstance(frame_->window, "relative.vtpreset");
  SetCurrentDirectoryA(before);
  EXPECT_TRUE(handed);
  ASSERT_TRUE(Opened("relative.vtpreset")) << Caption();
  EXPECT_STREQ(folder_.Join("relative.vtpreset").c_str(), frame_->document.path);
}

TEST_F(HandOver, ChangesAreOfferedForSavingFirstAndCancelKeepsThem) {
  ASSERT_TRUE(CopyNode(System(), "FX Chains"));
  std::string path = WritePackageFile("handed.vtpreset", {"Soft"});
  answers_ = {IDCANCEL};
  HandToRunningInstance(frame_->window, path.c_str());
  ASSERT_TRUE(PumpUntil([&] { return !boxes_.empty(); }, 5000));
  EXPECT_EQ("Do you want to save changes to Untitled?", boxes_[0].text);
  Pump();
  EXPECT_NE(std::string::npos, Caption().find("Untitled*"));

  answers_ = {IDNO};
  HandToRunningInstance(frame_->window, path.c_str());
  ASSERT_TRUE(Opened("handed.vtpreset"));
  EXPECT_EQ(2u, boxes_.size());
}

TEST_F(HandOver, APackageHandedOverWhileABoxIsOpenOpensWhenItCloses) {
  std::string path = WritePackageFile("handed.vtpreset", {"Soft"});
  bool openedUnderTheBox = true;
  onBox_ = [&](const VtMsgBoxQuestion&) {
    HandToRunningInstance(frame_->window, path.c_str());
    Pump();
    openedUnderTheBox = Caption().find("handed") != std::string::npos;
  };
  answers_ = {IDNO};
  DeleteNode(System(), "FX Plug-Ins");
  onBox_ = nullptr;
  EXPECT_FALSE(openedUnderTheBox);
  EXPECT_TRUE(Opened("handed.vtpreset")) << Caption();
}

TEST_F(HandOver, DataThatIsNoPackagePathIsRefused) {
  std::string unterminated = "C:\\x.vtpreset";
  COPYDATASTRUCT data = {kCopyDataOpenPackage, static_cast<DWORD>(unterminated.size()), &unterminated[0]};
  EXPECT_EQ(FALSE, SendMessageA(frame_->window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
  char path[] = "C:\\x.vtpreset";
  data = {kCopyDataOpenPackage + 1, sizeof(path), path};
  EXPECT_EQ(FALSE, SendMessageA(frame_->window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
  std::string huge(4000, 'x');
  data = {kCopyDataOpenPackage, static_cast<DWORD>(huge.size() + 1), &huge[0]};
  EXPECT_EQ(FALSE, SendMessageA(frame_->window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
  Pump();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ('\0', frame_->handedPath[0]);
}

TEST(UnixPaths, WinesMappingGivesADrivePathOrNothing) {
  char out[MAX_PATH];
  ASSERT_TRUE(MapUnixPath("/tmp/bank of presets.vtpreset", out, sizeof(out)));
  EXPECT_STREQ("Z:\\tmp\\bank of presets.vtpreset", out);
  EXPECT_FALSE(MapUnixPath("C:\\bank.vtpreset", out, sizeof(out)));
  EXPECT_FALSE(MapUnixPath("relative/bank.vtpreset", out, sizeof(out)));
  // Cut to fit, the path would name another file.
  std::string deep = "/tmp/" + std::string(300, 'd') + ".vtpreset";
  EXPECT_FALSE(MapUnixPath(deep.c_str(), out, sizeof(out)));
  EXPECT_FALSE(MapUnixPath("/tmp/bank.vtpreset", out, 8));
}

}  // namespace
