// Restoring a backup puts back what its group replaced or removed and
// removes what it added; an item changed since is a conflict that the
// caller's rule decides, and nothing is replaced silently.
#include <gtest/gtest.h>

#include "journal/journal_fixture.h"
#include "journal/journal_restore.h"
#include "platform/file.h"

namespace {

class Restore : public JournalTest {
 protected:
  // Warm (in the registry) and Room (in a file) overwritten, New added.
  void CopyOverTwo() {
    SetBinary(PlugInKey(kClassA), "Warm", Pattern(10, 1));
    std::string folder = presetFolder_ + "\\" + kClassA;
    ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
    room_ = folder + "\\Room.dxp";
    ASSERT_TRUE(WriteWholeFile(room_, Pattern(900, 2)));
    SetText(PlugInKey(kClassA), "Room", room_);
    LoadSystem();
    before_ = Disk();
    PlugInEntry* incoming = AddEntry(StoreId::Package, "Whatever", kClassA);
    AddPreset(incoming, "Warm", Pattern(12, 3));
    AddPreset(incoming, "Room", Pattern(950, 4));
    AddPreset(incoming, "New", Pattern(20, 5));
    Answer({OverwriteAnswer::YesToAll});
    ASSERT_EQ(0, CopySelectionToOtherStore(edit_, StoreId::Package,
                                           Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}))
                     .status);
    after_ = Disk();
    std::vector<BackupInfo> backups;
    ASSERT_EQ(0, ListBackups(&backups));
    ASSERT_EQ(1u, backups.size());
    EXPECT_EQ(3u, backups[0].items.size());
    id_ = backups[0].id;
  }

  std::string room_, before_, after_, id_;
};

TEST_F(Restore, TheNewestBackupBringsBackWhatTheCopyReplacedAndIsItselfUndoneByItsOwnBackup) {
  CopyOverTwo();
  RestoreOutcome outcome;
  JournalRefusal refusal;
  ASSERT_EQ(0, RestoreBackup(id_, RestoreRule::Refuse, &outcome, &refusal));
  EXPECT_TRUE(outcome.conflicts.empty());
  EXPECT_EQ(3u, outcome.restored);
  EXPECT_EQ(before_, Disk());

  // The restore is a group of its own, kept as the newest backup.
  std::vector<BackupInfo> backups;
  ASSERT_EQ(0, ListBackups(&backups));
  ASSERT_EQ(2u, backups.size());
  EXPECT_EQ(JournalOperation::Restore, backups[0].operation);
  ASSERT_EQ(0, RestoreBackup(backups[0].id, RestoreRule::Refuse, &outcome, &refusal));
  EXPECT_EQ(after_, Disk());
  // Restoring the first backup again finds every item as that group left it.
  ASSERT_EQ(0, RestoreBackup(id_, RestoreRule::Refuse, &outcome, &refusal));
  EXPECT_EQ(before_, Disk());
  ASSERT_EQ(0, RestoreBackup(id_, RestoreRule::Refuse, &outcome, &refusal));
  EXPECT_EQ(0u, outcome.restored) << "nothing left to put back";
}

TEST_F(Restore, AnItemChangedSinceIsAConflictThatOnlyTheRuleResolves) {
  CopyOverTwo();
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(14, 9));  // changed by something else
  std::string changed = Disk();
  RestoreOutcome outcome;
  JournalRefusal refusal;
  EXPECT_EQ(E_CANCELLED, RestoreBackup(id_, RestoreRule::Refuse, &outcome, &refusal));
  ASSERT_EQ(1u, outcome.conflicts.size());
  EXPECT_NE(std::string::npos, outcome.conflicts[0].find("Warm"));
  EXPECT_EQ(changed, Disk()) << "nothing was changed";

  ASSERT_EQ(0, RestoreBackup(id_, RestoreRule::Skip, &outcome, &refusal));
  EXPECT_EQ(2u, outcome.restored);
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Warm", &type, &bytes));
  EXPECT_EQ(Pattern(14, 9), bytes) << "the conflict was skipped";
  ASSERT_TRUE(ReadWholeFile(room_, &bytes));
  EXPECT_EQ(Pattern(900, 2), bytes);
  EXPECT_FALSE(QueryValue(PlugInKey(kClassA), "New", &type, &bytes));

  ASSERT_EQ(0, RestoreBackup(id_, RestoreRule::Overwrite, &outcome, &refusal));
  EXPECT_EQ(before_, Disk());
}

}  // namespace
