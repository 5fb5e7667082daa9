// The history on its own, with actions that only log what is done to them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/history.h"
#include "resource.h"

namespace {

struct Log {
  std::vector<std::string> lines;
  int destroyed = 0;
};

struct LoggingAction final : HistoryAction {
  Log* log;
  std::string name;
  int32_t applyStatus;
  int32_t revertStatus;

  LoggingAction(Log* target, const char* actionName, int32_t onApply, int32_t onRevert)
      : HistoryAction(kPackageStore), log(target), name(actionName), applyStatus(onApply), revertStatus(onRevert) {}
  ~LoggingAction() override { ++log->destroyed; }
  int32_t Apply(Stores&) override {
    log->lines.push_back("apply " + name);
    return applyStatus;
  }
  int32_t Revert(Stores&) override {
    log->lines.push_back("revert " + name);
    return revertStatus;
  }
};

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(nullptr, history_); }
  void TearDown() override {
    DestroyHistory(history_);
    Stores_Clear(stores_);
  }

  void Record(const char* name, int32_t onApply = 0, int32_t onRevert = 0) {
    AddAction(*history_, NewModelObject<LoggingAction>(&log_, name, onApply, onRevert));
  }
  std::vector<std::string> TakeLog() {
    std::vector<std::string> lines;
    lines.swap(log_.lines);
    return lines;
  }

  History* history_ = CreateHistory();
  Stores stores_{};
  Log log_;
};

using Lines = std::vector<std::string>;

TEST_F(HistoryTest, UndoAndRedoReplayAGroupInRecordingOrder) {
  BeginGroup(*history_, kSystemStore, kPackageStore);
  Record("a");
  Record("b");
  EXPECT_TRUE(TakeLog().empty());  // nothing happens while recording
  ASSERT_EQ(0, CommitGroup(*history_, stores_));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());
  EXPECT_EQ(1, GetUndoCount(*history_));
  EXPECT_EQ(0, GetRedoCount(*history_));

  uint32_t changed = 99;
  ASSERT_EQ(0, Undo(*history_, stores_, &changed));
  EXPECT_EQ(kPackageStore, changed);
  EXPECT_EQ((Lines{"revert a", "revert b"}), TakeLog());  // not reversed
  EXPECT_EQ(0, GetUndoCount(*history_));
  EXPECT_EQ(1, GetRedoCount(*history_));

  ASSERT_EQ(0, Redo(*history_, stores_, &changed));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());
  EXPECT_EQ(1, GetUndoCount(*history_));

  // Nothing to redo: nothing happens.
  EXPECT_EQ(0, Redo(*history_, stores_, nullptr));
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(HistoryTest, ACommitEmptiesTheRedoStack) {
  BeginGroup(*history_, kSystemStore, kPackageStore);
  Record("first");
  ASSERT_EQ(0, CommitGroup(*history_, stores_));
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  ASSERT_EQ(1, GetRedoCount(*history_));

  BeginGroup(*history_, kPackageStore, kPackageStore);
  Record("second");
  ASSERT_EQ(0, CommitGroup(*history_, stores_));
  EXPECT_EQ(0, GetRedoCount(*history_));
  EXPECT_EQ(1, GetUndoCount(*history_));
  EXPECT_EQ(1, log_.destroyed);  // the redone-no-more group went with its action
}

TEST_F(HistoryTest, AnEmptyGroupIsNotCommitted) {
  EXPECT_EQ(E_FAIL, CommitGroup(*history_, stores_));  // nothing pending
  BeginGroup(*history_, kSystemStore, kPackageStore);
  EXPECT_EQ(E_FAIL, CommitGroup(*history_, stores_));
  EXPECT_EQ(0, GetUndoCount(*history_));
  EXPECT_EQ(nullptr, history_->pending);

  // Without a pending group an action is destroyed, not leaked or kept.
  Record("stray");
  EXPECT_EQ(1, log_.destroyed);
  EXPECT_EQ(E_FAIL, CommitGroup(*history_, stores_));
}

TEST_F(HistoryTest, TheFirstFailureIsReportedAndTheRestStillRun) {
  BeginGroup(*history_, kSystemStore, kSystemStore);
  Record("registry error", kErrorAccessDenied, 0);
  Record("file failure", E_RIFF_WRITE, E_FAIL);
  Record("fine", 0, E_RIFF_WRITE);
  Record("later failure", E_FAIL, 0);
  EXPECT_EQ(E_RIFF_WRITE, CommitGroup(*history_, stores_));
  EXPECT_EQ(4u, TakeLog().size());
  EXPECT_EQ(1, GetUndoCount(*history_));  // kept whatever the status
  EXPECT_EQ(E_FAIL, Undo(*history_, stores_, nullptr));
  EXPECT_EQ(4u, TakeLog().size());

  // Without a failure the last status stands, positive registry codes too.
  BeginGroup(*history_, kSystemStore, kSystemStore);
  Record("one");
  Record("two", kErrorFileNotFound);
  EXPECT_EQ(kErrorFileNotFound, CommitGroup(*history_, stores_));
}

TEST_F(HistoryTest, GroupsAreNamedFromTheProgramsStrings) {
  BeginGroup(*history_, kSystemStore, kPackageStore);
  SetGroupName(*history_, nullptr, IDS_GROUP_COPY);
  Record("copy");
  ASSERT_EQ(0, CommitGroup(*history_, stores_));
  BeginGroup(*history_, kPackageStore, kPackageStore);
  SetGroupName(*history_, nullptr, IDS_GROUP_DELETE);
  Record("delete");
  ASSERT_EQ(0, CommitGroup(*history_, stores_));
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));

  char name[16];
  GetUndoName(*history_, name, sizeof(name));
  EXPECT_STREQ("Copy", name);
  GetRedoName(*history_, name, sizeof(name));
  EXPECT_STREQ("Delete", name);
  GetRedoName(*history_, name, 4);
  EXPECT_STREQ("Del", name);

  ClearUndo(*history_);
  ClearRedo(*history_);
  GetUndoName(*history_, name, sizeof(name));
  EXPECT_STREQ("", name);
  EXPECT_EQ(2, log_.destroyed);
}

TEST_F(HistoryTest, BeginningAgainDropsTheGroupBeingRecorded) {
  BeginGroup(*history_, kSystemStore, kPackageStore);
  Record("abandoned");
  history_->overwriteAnswer = kOverwriteAll;
  BeginGroup(*history_, kSystemStore, kPackageStore);
  EXPECT_EQ(1, log_.destroyed);
  EXPECT_EQ(kOverwriteAsk, history_->overwriteAnswer);
  EXPECT_EQ(0, GetPendingActionCount(*history_));
  Record("kept");
  DiscardGroup(*history_);
  EXPECT_EQ(2, log_.destroyed);
  EXPECT_EQ(E_FAIL, CommitGroup(*history_, stores_));
}

}  // namespace
