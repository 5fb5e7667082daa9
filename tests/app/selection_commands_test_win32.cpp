// Copy to File, Copy to System and Delete on the real frame: what a pane
// shows as selected goes into the other store, or out of its own, byte for
// byte and as one undoable step; the overwrite question with its answers;
// an item the system store cannot hold; a copy that fails part-way.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/frame_fixture_win32.h"
#include "app/frame_parts_win32.h"
#include "app/selection_commands_win32.h"
#include "platform/file.h"
#include "resource.h"
#include "store/store_layout.h"

namespace {

using Lines = std::multiset<std::string>;

Lines LinesOf(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

bool Contains(const Lines& outer, const Lines& inner) {
  for (const std::string& line : inner) {
    if (outer.count(line) < inner.count(line)) return false;
  }
  return true;
}

Lines Without(Lines lines, const Lines& removed) {
  for (const std::string& line : removed) {
    auto found = lines.find(line);
    if (found != lines.end()) lines.erase(found);
  }
  return lines;
}

class SelectionCommands : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
  }


  PaneCopyResult CopyFrom(Pane& pane, const std::string& path, const std::vector<std::string>& items = {}) {
    FocusKind focus = Choose(pane, path, items);
    return CopyPaneSelection(*frame_, pane, focus);
  }
  bool DeleteFrom(Pane& pane, const std::string& path, const std::vector<std::string>& items = {}) {
    FocusKind focus = Choose(pane, path, items);
    return DeletePaneSelection(*frame_, pane, focus);
  }

  Lines PackageHoldings() const {
    return LinesOf(DescribeHoldings(frame_->stores.package.plugIns.get(), frame_->stores.package.chains.get()));
  }
  static Lines SystemHoldings() { return LinesOf(DescribeHoldingsOfFullLoad()); }
  bool PackageModified() const { return (frame_->document.flags & kDocModified) != 0; }

  void Undo() { UndoLastStep(*frame_); }
  void Redo() { RedoLastStep(*frame_); }

  // The buttons of every box shown, in order.
  std::vector<int32_t> buttonCounts_;
  void CountButtons() {
    onBox_ = [this](const VtMsgBoxQuestion& question) { buttonCounts_.push_back(question.buttons.count); };
  }
};

// One selection, copied from the system pane into the package, deleted from
// the system store and copied back from the package pane.
struct RoundTrip {
  const char* name;
  const char* systemPath;
  const char* packagePath;
  std::vector<std::string> items;  // none: the tree's node
  size_t count;                    // presets and chains it covers
};

class SelectionRoundTrip : public SelectionCommands, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(SelectionRoundTrip, CopiesByteForByteBothWaysDeletesAndEveryStepUndoesAndRedoesExactly) {
  const RoundTrip& trip = GetParam();
  Lines original = SystemHoldings();
  ASSERT_EQ(8u, original.size());

  // Into the package.
  PaneCopyResult copied = CopyFrom(System(), trip.systemPath, trip.items);
  EXPECT_TRUE(copied.recorded);
  Lines inPackage = PackageHoldings();
  EXPECT_EQ(trip.count, inPackage.size());
  EXPECT_TRUE(Contains(original, inPackage));
  EXPECT_EQ(1, GetUndoCount(frame_->history));
  EXPECT_EQ(GroupKind::Copy, GetUndoKind(frame_->history));
  EXPECT_TRUE(PackageModified());
  EXPECT_NE(nullptr, NodeAt(Package().tree, trip.packagePath)) << TreeShape(Package().tree);
  Undo();
  EXPECT_TRUE(PackageHoldings().empty());
  EXPECT_EQ(nullptr, NodeAt(Package().tree, trip.packagePath));
  Redo();
  EXPECT_EQ(inPackage, PackageHoldings());
  EXPECT_NE(nullptr, NodeAt(Package().tree, trip.packagePath));

  // Out of the system store; a whole group or two plug-ins ask first.
  answers_ = {IDYES};
  EXPECT_TRUE(DeleteFrom(System(), trip.systemPath, trip.items));
  answers_.clear();
  for (const ShownBox& box : boxes_) EXPECT_EQ(0u, box.text.rfind("Delete ", 0)) << box.text;
  boxes_.clear();
  Lines remaining = Without(original, inPackage);
  EXPECT_EQ(remaining, SystemHoldings());
  EXPECT_EQ(GroupKind::Delete, GetUndoKind(frame_->history));
  Undo();
  EXPECT_EQ(original, SystemHoldings());
  Redo();
  EXPECT_EQ(remaining, SystemHoldings());

  // Back into the system store from the package pane.
  EXPECT_TRUE(CopyFrom(Package(), trip.packagePath, trip.items).recorded);
  EXPECT_EQ(original, SystemHoldings());
  Undo();
  EXPECT_EQ(remaining, SystemHoldings());
  Redo();
  EXPECT_EQ(original, SystemHoldings());
  EXPECT_EQ(3, GetUndoCount(frame_->history));
  EXPECT_TRUE(boxes_.empty()) << boxes_.front().text;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, SelectionRoundTrip,
    ::testing::Values(
        RoundTrip{"PlugInGroupNode", "FX Plug-Ins", "Untitled/FX Plug-Ins", {}, 6},
        RoundTrip{"PlugInNode", "FX Plug-Ins/delay", "Untitled/FX Plug-Ins/delay", {}, 3},
        RoundTrip{"EditorEffectNode", "FX Plug-Ins/Veltrane Cantorel Reverb",
                  "Untitled/FX Plug-Ins/Veltrane Cantorel Reverb", {}, 1},
        RoundTrip{"ChainGroupNode", "FX Chains", "Untitled/FX Chains", {}, 2},
        RoundTrip{"PlugInItems", "FX Plug-Ins", "Untitled/FX Plug-Ins", {"delay", "Not Installed 000"}, 4},
        RoundTrip{"PresetItems", "FX Plug-Ins/delay", "Untitled/FX Plug-Ins/delay", {"Warm", "Big"}, 2},
        RoundTrip{"ChainItems", "FX Chains", "Untitled/FX Chains", {"Drums"}, 1}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

TEST_F(SelectionCommands, ThePackageRootAndItsGroupsCopyEverythingIntoTheSystemStore) {
  Lines original = SystemHoldings();
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins").recorded);
  ASSERT_TRUE(CopyFrom(System(), "FX Chains").recorded);
  ASSERT_EQ(original, PackageHoldings());
  answers_ = {IDYES, IDYES};
  ASSERT_TRUE(DeleteFrom(System(), "FX Plug-Ins"));
  ASSERT_TRUE(DeleteFrom(System(), "FX Chains"));
  ASSERT_TRUE(SystemHoldings().empty());
  ASSERT_EQ(2u, boxes_.size());
  boxes_.clear();
  int32_t steps = GetUndoCount(frame_->history);

  // The root node itself.
  PaneCopyResult root = CopyFrom(Package(), "Untitled");
  EXPECT_TRUE(root.recorded && root.copiedPresets && root.copiedChains);
  EXPECT_EQ(original, SystemHoldings());
  EXPECT_EQ(steps + 1, GetUndoCount(frame_->history));
  Undo();
  EXPECT_TRUE(SystemHoldings().empty());

  // The groups as list items below the root.
  PaneCopyResult groups = CopyFrom(Package(), "Untitled", {"FX Chains", "FX Plug-Ins"});
  EXPECT_TRUE(groups.recorded && groups.copiedPresets && groups.copiedChains);
  EXPECT_EQ(original, SystemHoldings());
  EXPECT_EQ("FX Chains, FX Plug-Ins(Chorus, delay, Not Installed 000, Veltrane Cantorel Reverb)",
            TreeShape(System().tree));

  // Deleting the root empties the package in one step.
  EXPECT_TRUE(DeleteFrom(Package(), "Untitled"));
  EXPECT_TRUE(PackageHoldings().empty());
  Undo();
  EXPECT_EQ(original, PackageHoldings());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SelectionCommands, EachAnswerToTheOverwriteQuestionAndTheAnswersForAllRemainingItems) {
  CountButtons();
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm", "Long"}).recorded);
  Lines before = PackageHoldings();
  // The system's presets change, so that an overwrite shows.
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(21, 31));
  SetBinary(PlugInKey(kClassA), "Long", Pattern(31, 32));
  RequestSystemRefresh(*frame_);
  Pump();
  Lines system = SystemHoldings();
  int32_t steps = GetUndoCount(frame_->history);

  // One item: Yes, No and Cancel; No and Cancel record nothing.
  for (int32_t answer : {kVtIdNo, kVtIdCancel}) {
    answers_ = {answer};
    EXPECT_FALSE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm"}).recorded);
    EXPECT_EQ(before, PackageHoldings());
    EXPECT_EQ(steps, GetUndoCount(frame_->history));
  }
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ("The item delay 'Warm' already exists in this package.  Do you want to overwrite it?", boxes_[0].text);
  EXPECT_EQ((std::vector<int32_t>{3, 3}), buttonCounts_);

  answers_ = {kVtIdYes};
  EXPECT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm"}).recorded);
  Lines overwritten = Without(PackageHoldings(), before);
  EXPECT_EQ(1u, overwritten.size());
  EXPECT_TRUE(Contains(system, overwritten));
  Undo();
  EXPECT_EQ(before, PackageHoldings());
  Redo();
  Undo();

  // The whole plug-in: five buttons, and an answer for all stops the asking.
  struct AllCase {
    std::vector<int32_t> answers;
    size_t questions;
    size_t overwritten;  // of Warm and Long
  };
  for (const AllCase& all : {AllCase{{kVtIdYesToAll}, 1, 2}, AllCase{{kVtIdNoToAll}, 1, 0},
                             AllCase{{kVtIdNo, kVtIdYes}, 2, 1}}) {
    boxes_.clear();
    buttonCounts_.clear();
    answers_ = {all.answers.begin(), all.answers.end()};
    ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay").recorded);
    EXPECT_EQ(all.questions, boxes_.size());
    EXPECT_EQ(std::vector<int32_t>(all.questions, 5), buttonCounts_);
    Lines now = PackageHoldings();
    EXPECT_EQ(3u, now.size());
    EXPECT_EQ(1 + all.overwritten, Without(now, before).size());  // Big, and what was overwritten
    Undo();
    EXPECT_EQ(before, PackageHoldings());
  }

  // Cancel among several: neither store nor the history changes.
  boxes_.clear();
  answers_ = {kVtIdCancel};
  EXPECT_FALSE(CopyFrom(System(), "FX Plug-Ins/delay").recorded);
  EXPECT_EQ(before, PackageHoldings());
  EXPECT_EQ(system, SystemHoldings());
  EXPECT_EQ(1, GetRedoCount(frame_->history));

  // No to All where every item exists: nothing to do, nothing recorded,
  // nothing marked, and no error.
  frame_->document.flags &= ~kDocModified;
  boxes_.clear();
  answers_ = {kVtIdNoToAll};
  EXPECT_FALSE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm", "Long"}).recorded);
  EXPECT_EQ(1u, boxes_.size());
  EXPECT_FALSE(PackageModified());
  EXPECT_EQ(before, PackageHoldings());
  EXPECT_EQ(1, GetRedoCount(frame_->history));

  // Into the system store the question says so.
  boxes_.clear();
  answers_ = {kVtIdNo};
  EXPECT_FALSE(CopyFrom(Package(), "Untitled/FX Plug-Ins/delay", {"Long"}).recorded);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The item delay 'Long' already exists on this computer.  Do you want to overwrite it?", boxes_[0].text);
  EXPECT_EQ(system, SystemHoldings());
}

TEST_F(SelectionCommands, ARefreshWaitsWhileTheQuestionIsOpen) {
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm"}).recorded);
  bool waited = false;
  onBox_ = [this, &waited](const VtMsgBoxQuestion&) {
    SetBinary(PlugInKey(kClassB), "Late", Pattern(10, 40));
    Activate();
    Pump();
    waited = frame_->modal.refreshPending && ListIndexOf(System().list, "Late") < 0;
  };
  answers_ = {kVtIdYes};
  EXPECT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm"}).recorded);
  EXPECT_TRUE(waited);
  EXPECT_TRUE(PumpUntil([this] { return !frame_->modal.refreshPending; }));
  Select(System(), "FX Plug-Ins/Chorus");
  Pump();
  EXPECT_GE(ListIndexOf(System().list, "Late"), 0) << ListLabels(System().list);
}

TEST_F(SelectionCommands, NamesThatFindNoRecordArePassedOverAndNothingIsRecorded) {
  Choose(System(), "FX Plug-Ins/delay", {"Warm"});
  // The record goes while the list still shows it.
  PlugInEntry* delay = frame_->stores.system.plugIns->FindPlugInByName("delay");
  ASSERT_NE(nullptr, delay);
  delay->RemovePreset(delay->FindPreset("Warm"));
  EXPECT_FALSE(CopyPaneSelection(*frame_, System(), FocusKind::List).recorded);
  EXPECT_FALSE(DeletePaneSelection(*frame_, System(), FocusKind::List));
  EXPECT_EQ(0, GetUndoCount(frame_->history));
  EXPECT_FALSE(PackageModified());
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SelectionCommands, AnItemTheSystemStoreCannotHoldIsNamedAndNothingIsWritten) {
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm", "Long"}).recorded);
  PlugInEntry* delay = frame_->stores.package.plugIns->FindPlugInByName("delay");
  snprintf(delay->FindPreset("Long")->name, kNameSize, "%s", kDefaultValueName);
  Lines system = SystemHoldings();
  std::string disk = DescribeFullLoad();
  int32_t steps = GetUndoCount(frame_->history);

  answers_ = {kVtIdYesToAll};
  EXPECT_FALSE(CopyFrom(Package(), "Untitled/FX Plug-Ins/delay").recorded);
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_NE(std::string::npos, boxes_[1].text.find("The selection could not be copied")) << boxes_[1].text;
  EXPECT_NE(std::string::npos, boxes_[1].text.find("the preset \"(Default)\" of delay")) << boxes_[1].text;
  EXPECT_EQ(disk, DescribeFullLoad());
  EXPECT_EQ(steps, GetUndoCount(frame_->history));
}

TEST_F(SelectionCommands, ItemsNoStoreCanHoldAreLeftOutAndNamed) {
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins/delay", {"Warm", "Long"}).recorded);
  ASSERT_TRUE(DeleteFrom(System(), "FX Plug-Ins/delay", {"Warm", "Long"}));
  Lines emptied = SystemHoldings();
  PlugInEntry* delay = frame_->stores.package.plugIns->FindPlugInByName("delay");
  delay->FindPreset("Warm")->data.Assign(nullptr, 0);

  EXPECT_TRUE(CopyFrom(Package(), "Untitled/FX Plug-Ins/delay").recorded);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_NE(std::string::npos, boxes_[0].text.find("not copied:\nthe preset \"Warm\" of delay")) << boxes_[0].text;
  Lines written = Without(SystemHoldings(), emptied);
  ASSERT_EQ(1u, written.size());
  EXPECT_NE(std::string::npos, written.begin()->find("preset Long")) << *written.begin();
}

TEST_F(SelectionCommands, ACopyThatFailsPartWayShowsWhatItDidNamesTheItemAndUndoesInOneStep) {
  ASSERT_TRUE(CopyFrom(System(), "FX Plug-Ins").recorded);
  answers_ = {IDYES};
  ASSERT_TRUE(DeleteFrom(System(), "FX Plug-Ins"));
  boxes_.clear();
  Lines emptied = SystemHoldings();
  // Chorus's preset grows large enough for a file of its own, and a file
  // stands where that file's folder must go.
  PlugInEntry* chorus = frame_->stores.package.plugIns->FindPlugInByName("Chorus");
  ASSERT_NE(nullptr, chorus);
  std::vector<unsigned char> large = Pattern(4096, 9);
  chorus->FindPreset("Wide")->data.Assign(large.data(), static_cast<uint32_t>(large.size()));
  File_CreateFolderPath(presetFolder_.c_str());
  std::string blocker = presetFolder_ + "\\" + kClassB;
  HANDLE file = CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  bool modifiedBefore = PackageModified();

  EXPECT_TRUE(CopyFrom(Package(), "Untitled/FX Plug-Ins").recorded);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_NE(std::string::npos, boxes_[0].text.find("could not be copied completely")) << boxes_[0].text;
  EXPECT_NE(std::string::npos, boxes_[0].text.find("the preset \"Wide\" of Chorus")) << boxes_[0].text;
  // What was written shows, and stays undoable in one step.
  Lines partial = SystemHoldings();
  EXPECT_NE(emptied, partial);
  EXPECT_NE(nullptr, NodeAt(System().tree, "FX Plug-Ins/delay")) << TreeShape(System().tree);
  EXPECT_EQ(modifiedBefore, PackageModified());
  Undo();
  EXPECT_EQ(emptied, SystemHoldings());
  EXPECT_EQ(nullptr, NodeAt(System().tree, "FX Plug-Ins"));
}

TEST_F(SelectionCommands, TheDeleteKeyAndTheCopyCommandActOnTheFocusedControl) {
  ShowFrame();
  Lines original = SystemHoldings();
  Choose(System(), "FX Plug-Ins/delay", {"Long"});
  SetFocus(System().list);
  Pump();
  ASSERT_TRUE(MenuEnabled(ID_EDIT_COPY_TO_FILE));
  SendMessageA(frame_->window, WM_COMMAND, ID_EDIT_COPY_TO_FILE, 0);
  EXPECT_EQ(1u, PackageHoldings().size());
  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));

  PressKey(VK_DELETE);
  EXPECT_EQ(original.size() - 1, SystemHoldings().size());
  EXPECT_EQ("Big, Warm", ListLabels(System().list));

  // The tree's node with the tree focused: the whole chain group, once asked.
  Select(System(), "FX Chains");
  SetFocus(System().tree);
  Pump();
  answers_ = {IDYES};
  PressKey(VK_DELETE);
  EXPECT_EQ(original.size() - 3, SystemHoldings().size());
  EXPECT_EQ(nullptr, NodeAt(System().tree, "FX Chains"));
  Undo();
  EXPECT_EQ(original.size() - 1, SystemHoldings().size());
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("Delete 2 chains from this computer?", boxes_[0].text);
}

}  // namespace
