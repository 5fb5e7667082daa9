// Renaming in the real frame's lists: when an edit may begin, the rules a
// name must meet with their message boxes, and what a rename changes in the
// registry, the files, the package and the title.
#include <gtest/gtest.h>

#include <string>

#include "app/frame_fixture_win32.h"
#include "views/store_tree_win32.h"
#include "platform/file.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"

namespace {

class RenameInList : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
    Select(System(), "FX Plug-Ins/delay");
  }

  std::string Title() {
    char text[300] = {};
    GetWindowTextA(frame_->window, text, sizeof(text));
    return text;
  }

  bool StoredValue(const char* name) {
    uint32_t type = 0;
    std::vector<unsigned char> bytes;
    return QueryValue(PlugInKey(kClassA), name, &type, &bytes);
  }
};

TEST_F(RenameInList, OnlyPresetsAndChainsCanBeRenamedAndNamesStopAt63Characters) {
  Select(System(), "FX Plug-Ins");
  EXPECT_EQ(nullptr, reinterpret_cast<HWND>(SendMessageA(System().list, LVM_EDITLABELA, 0, 0)));
  Select(System(), "FX Chains");
  HWND edit = reinterpret_cast<HWND>(SendMessageA(System().list, LVM_EDITLABELA, 0, 0));
  ASSERT_NE(nullptr, edit);
  EXPECT_EQ(63, SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ(0, frame_->modal.depth);  // the ended edit no longer holds back a refresh
}

TEST_F(RenameInList, ASystemRenameIsInTheRegistryAtOnce) {
  std::string before = QueryText(PlugInKey(kClassA), "Big");
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), "Cold"));
  EXPECT_EQ("Big, Long, Cold", ListLabels(System().list));
  EXPECT_TRUE(StoredValue("Cold"));
  EXPECT_FALSE(StoredValue("Warm"));
  EXPECT_TRUE(boxes_.empty());
  // The name is the record's too: a second rename finds it.
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Cold"), "Colder"));
  EXPECT_TRUE(StoredValue("Colder"));
  EXPECT_EQ(before, QueryText(PlugInKey(kClassA), "Big"));
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled", Title());
}

TEST_F(RenameInList, NamesTooLongOrTakenAreRefusedWithABoxAndALetterCaseChangeRenames) {
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), std::string(64, 'x')));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("Preset names cannot exceed 64 characters.", boxes_[0].text);
  EXPECT_EQ("Invalid Preset Name", boxes_[0].caption);
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), "long"));
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ("The new preset name conflicts with an existing preset.", boxes_[1].text);
  EXPECT_EQ("Preset Name Conflict", boxes_[1].caption);
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), "WARM"));
  EXPECT_EQ(2u, boxes_.size());
  EXPECT_EQ("Big, Long, WARM", ListLabels(System().list));
  EXPECT_NE(std::string::npos, DescribeStoreOnDisk(folder_.Path()).find("value WARM "));
  EXPECT_EQ(std::string::npos, DescribeStoreOnDisk(folder_.Path()).find("value Warm "));
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "WARM"), std::string(63, 'y')));
  EXPECT_TRUE(StoredValue(std::string(63, 'y').c_str()));
}

// " Drum Hall" and "Drum Hall " would look like "Drum Hall" and name a file
// of their own.
TEST_F(RenameInList, SpacesAroundANewNameAreTrimmedBeforeTheChecks) {
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), "  Drum Hall "));
  EXPECT_EQ("Big, Long, Drum Hall", ListLabels(System().list));
  EXPECT_TRUE(StoredValue("Drum Hall"));
  EXPECT_FALSE(StoredValue("  Drum Hall "));
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Long"), "Drum Hall "));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The new preset name conflicts with an existing preset.", boxes_[0].text);
  EXPECT_EQ("Big, Long, Drum Hall", ListLabels(System().list));
  // Spaces alone are no name: the edit is as cancelled.
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Long"), "   "));
  EXPECT_EQ(1u, boxes_.size());
  EXPECT_EQ("Big, Long, Drum Hall", ListLabels(System().list));
  EXPECT_TRUE(StoredValue("Long"));
}

TEST_F(RenameInList, AChainsNameConflictSpeaksOfChains) {
  Select(System(), "FX Chains");
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Vocal"), "drums"));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The new chain name conflicts with an existing chain.", boxes_[0].text);
  EXPECT_EQ("Chain Name Conflict", boxes_[0].caption);
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Vocal"), std::string(64, 'c')));
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ("Chain names cannot exceed 64 characters.", boxes_[1].text);
  EXPECT_EQ("Invalid Chain Name", boxes_[1].caption);
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Vocal"), "VOCAL"));
  EXPECT_EQ("Drums, VOCAL", ListLabels(System().list));
  EXPECT_EQ("VOCAL", QueryText(ChainKeyPath("chain-1"), kChainNameValue));
}

TEST_F(RenameInList, APackageRenameChangesThePackageOnlyAndMarksItModified) {
  std::unique_ptr<PlugInEntry> owned = PlugInEntry::Create("delay", kClassA);
  PlugInEntry* entry = owned.get();
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create("Warm");
  preset->data.Assign("bytes", 5);
  entry->AppendPreset(std::move(preset));
  frame_->stores.package.plugIns = PlugInCollection::Create();
  frame_->stores.package.plugIns->Append(std::move(owned));
  RebuildStoreTree(Package(), frame_->document.path);
  Select(Package(), "Untitled/FX Plug-Ins/delay");
  std::string store = DescribeStoreOnDisk(folder_.Path());

  ASSERT_TRUE(RenameItem(Package(), 0, "Cold"));
  EXPECT_EQ("Cold", ListLabels(Package().list));
  EXPECT_NE(nullptr, entry->FindPreset("Cold"));
  EXPECT_EQ(store, DescribeStoreOnDisk(folder_.Path()));
  EXPECT_NE(0u, frame_->document.flags & kDocModified);
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled*", Title());
}

// The preset's file cannot be written: its folder's place is taken by a file.
TEST_F(RenameInList, ARenameThatCannotBeWrittenLeavesStoreFilesAndLabelAndSaysSo) {
  std::string blocker = WriteFile("blocker", Pattern(10, 1));
  SetText(kDirectShowPresetsKey, kDefLocationValue, blocker, kRegExpandSz);
  std::string store = DescribeStoreOnDisk(folder_.Path());

  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Big"), "Huge"));
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
  EXPECT_EQ(store, DescribeStoreOnDisk(folder_.Path()));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ(0u, boxes_[0].text.find("The item could not be stored on this computer under its new name Huge."))
      << boxes_[0].text;
  EXPECT_LT(boxes_[0].status, 0);
  // The record kept its name: renaming it again still works elsewhere.
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Long"), "Longer"));
  EXPECT_TRUE(StoredValue("Longer"));
}

// A box of ours is open when the user comes back to the program: the
// records the renaming code holds must stay until the box is gone.
TEST_F(RenameInList, ComingBackWhileABoxIsOpenRefreshesOnlyOnceItIsClosed) {
  bool refreshedDuringBox = true;
  onBox_ = [&](const VtMsgBoxQuestion&) {
    const PlugInCollection* held = frame_->stores.system.plugIns.get();
    SetBinary(PlugInKey(kClassD), "New", Pattern(10, 1));
    Activate();
    Pump();
    refreshedDuringBox = frame_->stores.system.plugIns.get() != held;
  };
  ASSERT_TRUE(RenameItem(System(), ListIndexOf(System().list, "Warm"), std::string(70, 'x')));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_FALSE(refreshedDuringBox);
  EXPECT_TRUE(PumpUntil([&] { return TreeShape(System().tree).find("Not Installed 001") != std::string::npos; }));
}

// A dialog owned by the frame disables it while it runs.
TEST_F(RenameInList, ComingBackWhileADialogOwnsTheFrameRefreshesWhenItCloses) {
  EnableWindow(frame_->window, FALSE);
  const PlugInCollection* held = frame_->stores.system.plugIns.get();
  SetBinary(PlugInKey(kClassD), "New", Pattern(10, 1));
  Activate();
  Pump();
  EXPECT_EQ(held, frame_->stores.system.plugIns.get());
  EnableWindow(frame_->window, TRUE);
  // Read again: new collections, which may take the freed ones' place, so
  // the new plug-in tells.
  EXPECT_TRUE(PumpUntil([&] { return TreeShape(System().tree).find("Not Installed 001") != std::string::npos; }));
}

TEST_F(RenameInList, ComingBackDuringASplitterDragRefreshesWhenTheButtonComesUp) {
  const Pane& pane = System();
  int32_t x = pane.treeRect.right + 1, y = (pane.treeRect.top + pane.treeRect.bottom) / 2;
  POINT screen = {x, y};
  ClientToScreen(frame_->window, &screen);
  SendMessageA(frame_->window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  SendMessageA(frame_->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  const PlugInCollection* held = frame_->stores.system.plugIns.get();
  SetBinary(PlugInKey(kClassD), "New", Pattern(10, 1));
  Activate();
  Pump();
  EXPECT_EQ(held, frame_->stores.system.plugIns.get());
  SendMessageA(frame_->window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_TRUE(PumpUntil([&] { return TreeShape(System().tree).find("Not Installed 001") != std::string::npos; }));
}

}  // namespace
