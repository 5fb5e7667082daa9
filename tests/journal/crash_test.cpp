// A group that ends at any one of its registry or file changes (the journal's
// own included) is taken back exactly at the next start; one that got as far
// as being marked finished is kept as it is.
#include <gtest/gtest.h>

#include <functional>

#include "journal/journal_fixture.h"
#include "journal/journal_recovery.h"
#include "platform/file.h"
#include "store/store_layout.h"

namespace {

class Crash : public JournalTest {
 protected:
  // Runs the group once whole (for the store after it and its number of
  // changes), takes it back through its backup, then runs it once for every
  // change, ending the run there.
  void CrashAtEveryChange(const std::function<EditOutcome()>& group) {
    LoadSystem();
    std::string before = Disk();
    ChangeFault_Arm(UINT32_MAX);
    EditOutcome whole = group();
    uint32_t changes = ChangeFault_Count();
    ChangeFault_Disarm();
    ASSERT_TRUE(whole.committed);
    ASSERT_EQ(0, whole.status);
    std::string after = Disk();
    ASSERT_NE(before, after);
    RestoreBefore(before);

    for (uint32_t allowed = 0; allowed < changes; ++allowed) {
      SCOPED_TRACE("the run ends after change " + std::to_string(allowed) + " of " + std::to_string(changes));
      ChangeFault_Arm(allowed);
      group();
      RecoveryReport report = Restart();
      EXPECT_TRUE(report.notes.empty()) << report.notes.front();
      std::string now = Disk();
      if (report.groups == 1) {
        EXPECT_EQ(before, now);
      } else {
        // Either the journal never made it (nothing changed) or the group
        // was marked finished (all of it is there).
        EXPECT_TRUE(now == before || now == after) << now;
      }
      if (now != before) RestoreBefore(before);
    }
  }

  // A finished group is kept as the newest backup: taking that back gives
  // the store before it, so the next run starts where the others did.
  void RestoreBefore(const std::string& before) {
    std::vector<BackupInfo> backups;
    ASSERT_EQ(0, ListBackups(&backups));
    ASSERT_FALSE(backups.empty());
    Journal journal;
    ASSERT_EQ(0, ReadBackup(backups.front().id, &journal));
    TakeBackResult result;
    ASSERT_EQ(0, TakeBackJournal(journal, &result));
    ASSERT_EQ(before, Disk());
    Restart();
  }

  std::function<EditOutcome()> lastGroup_;
};

TEST_F(Crash, ACopyOverInlineAndFileBackedPresetsWithAChainKeyCollision) {
  PlugInEntry* seed = AddEntry(StoreId::Package, "Seed", kClassA);
  AddPreset(seed, "Small", Pattern(10, 1));
  AddPreset(seed, "Large", Pattern(300, 2));
  AddPreset(seed, "Grows", Pattern(20, 3));
  AddPreset(seed, "Shrinks", Pattern(400, 4));
  AddChain(StoreId::Package, "Vocal", "Chain0001", Pattern(500, 5));
  Answer({});
  history_.guard = nullptr;
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, StoreId::Package,
                                        Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}))
                  .committed);
  history_.guard = &journal_;
  stores_.package = {};
  ClearUndo(history_);

  PlugInEntry* incoming = AddEntry(StoreId::Package, "Whatever", kClassA);
  AddPreset(incoming, "small", Pattern(12, 11));
  AddPreset(incoming, "Large", Pattern(350, 12));
  AddPreset(incoming, "Grows", Pattern(600, 13));
  AddPreset(incoming, "Shrinks", Pattern(30, 14));
  AddPreset(incoming, "New", Pattern(280, 15));
  PlugInEntry* fresh = AddEntry(StoreId::Package, "Fresh", kClassB);
  AddPreset(fresh, "First", Pattern(900, 17));
  // Another chain whose key is taken by "Vocal": it goes under a new key.
  AddChain(StoreId::Package, "Drums", "Chain0001", Pattern(700, 16));
  AddChain(StoreId::Package, "vocal", "Chain0002", Pattern(40, 18));
  lastGroup_ = [this] {
    Answer({OverwriteAnswer::YesToAll});
    return CopySelectionToOtherStore(edit_, StoreId::Package,
                                     Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}));
  };
  CrashAtEveryChange(lastGroup_);
}

TEST_F(Crash, ADeleteOfSharedAndUnsharedFiles) {
  std::string folder = presetFolder_ + "\\" + kClassB;
  ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
  std::string own = folder + "\\Room.dxp", shared = folder + "\\Hall.dxp";
  ASSERT_TRUE(WriteWholeFile(own, Pattern(900, 2)));
  ASSERT_TRUE(WriteWholeFile(shared, Pattern(800, 3)));
  SetText(PlugInKey(kClassB), "Room", own);
  SetText(PlugInKey(kClassB), "Hall", shared);
  SetText(PlugInKey(kClassC), "Hall too", shared);
  SetBinary(PlugInKey(kClassB), "Inline", Pattern(40, 1));
  SetChain("Chain0007", "Strings", Pattern(30, 4));
  lastGroup_ = [this] {
    return DeleteSelection(edit_, StoreId::System,
                           Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"Not Installed 000"}));
  };
  CrashAtEveryChange(lastGroup_);
}

}  // namespace
