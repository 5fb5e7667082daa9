// The history on its own, with actions that only log what is done to them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "edit/history.h"
#include "model/owned.h"

namespace {

struct Log {
  std::vector<std::string> lines;
  int destroyed = 0;
};

struct LoggingAction final : public HistoryAction {
  Log* log;
  std::string name;
  int32_t applyStatus;
  int32_t revertStatus;

  LoggingAction(Log* target, const char* actionName, int32_t onApply, int32_t onRevert)
      : HistoryAction(StoreId::Package), log(target), name(actionName), applyStatus(onApply), revertStatus(onRevert) {}
  ~LoggingAction() override { ++log->destroyed; }
  int32_t Apply(Stores&, StoreFailure*) override {
    log->lines.push_back("apply " + name);
    return applyStatus;
  }
  int32_t Revert(Stores&, StoreFailure*) override {
    log->lines.push_back("revert " + name);
    return revertStatus;
  }
  void NameItem(char* buffer, size_t size) const override { snprintf(buffer, size, "%s", name.c_str()); }
};

class HistoryTest : public ::testing::Test {
 protected:
  int32_t Record(const char* name, int32_t onApply = 0, int32_t onRevert = 0) {
    return AddAction(history_, MakeOwned<LoggingAction>(&log_, name, onApply, onRevert));
  }
  std::vector<std::string> TakeLog() {
    std::vector<std::string> lines;
    lines.swap(log_.lines);
    return lines;
  }

  History history_;
  Stores stores_;
  Log log_;
};

using Lines = std::vector<std::string>;

TEST_F(HistoryTest, UndoTakesAGroupBackNewestFirstAndRedoReplaysItInOrder) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  Record("a");
  Record("b");
  EXPECT_TRUE(TakeLog().empty());  // nothing happens while recording
  ASSERT_EQ(0, CommitGroup(history_, stores_));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());
  EXPECT_EQ(1, GetUndoCount(history_));
  EXPECT_EQ(0, GetRedoCount(history_));

  StoreId changed = StoreId::System;
  ASSERT_EQ(0, Undo(history_, stores_, &changed));
  EXPECT_EQ(StoreId::Package, changed);
  EXPECT_EQ((Lines{"revert b", "revert a"}), TakeLog());
  EXPECT_EQ(0, GetUndoCount(history_));
  EXPECT_EQ(1, GetRedoCount(history_));

  ASSERT_EQ(0, Redo(history_, stores_, &changed));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());
  EXPECT_EQ(1, GetUndoCount(history_));

  // Nothing to redo: nothing happens.
  EXPECT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(HistoryTest, ACommitEmptiesTheRedoStack) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  Record("first");
  ASSERT_EQ(0, CommitGroup(history_, stores_));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  ASSERT_EQ(1, GetRedoCount(history_));

  BeginGroup(history_, StoreId::Package, StoreId::Package, GroupKind::Delete);
  Record("second");
  ASSERT_EQ(0, CommitGroup(history_, stores_));
  EXPECT_EQ(0, GetRedoCount(history_));
  EXPECT_EQ(1, GetUndoCount(history_));
  EXPECT_EQ(1, log_.destroyed);  // the redone-no-more group went with its action
}

TEST_F(HistoryTest, AnEmptyGroupIsNotCommitted) {
  EXPECT_EQ(E_FAIL, CommitGroup(history_, stores_));  // nothing pending
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  EXPECT_EQ(E_FAIL, CommitGroup(history_, stores_));
  EXPECT_EQ(0, GetUndoCount(history_));
  EXPECT_EQ(nullptr, history_.pending);

  // Without a pending group an action is destroyed, not leaked or kept.
  EXPECT_EQ(E_OUTOFMEMORY, Record("stray"));
  EXPECT_EQ(1, log_.destroyed);
  EXPECT_EQ(E_FAIL, CommitGroup(history_, stores_));
}

TEST_F(HistoryTest, TheFirstFailureIsReportedAndOnlyWhatWasDoneIsTakenBack) {
  BeginGroup(history_, StoreId::System, StoreId::System, GroupKind::Delete);
  Record("registry error", StatusFromError(kErrorAccessDenied), 0);
  Record("file failure", E_RIFF_WRITE, E_FAIL);
  Record("fine", 0, E_RIFF_WRITE);
  Record("later failure", E_FAIL, 0);
  ActionFailure failure;
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), CommitGroup(history_, stores_, &failure));
  EXPECT_EQ(4u, TakeLog().size());
  EXPECT_STREQ("registry error", failure.item);
  EXPECT_EQ(1, GetUndoCount(history_));  // kept whatever the status
  // The failed actions changed nothing, so only the one carried out is
  // taken back; a failure there is reported too.
  EXPECT_EQ(E_RIFF_WRITE, Undo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"revert fine"}), TakeLog());
  // What could not be taken back is still to be taken back next time.
  ASSERT_EQ(1, GetRedoCount(history_));
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), Redo(history_, stores_, nullptr));
  EXPECT_EQ(4u, TakeLog().size());
}

TEST_F(HistoryTest, TheNewestGroupOfEachStackTellsWhatItDid) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  Record("copy");
  ASSERT_EQ(0, CommitGroup(history_, stores_));
  BeginGroup(history_, StoreId::Package, StoreId::Package, GroupKind::Delete);
  Record("delete");
  ASSERT_EQ(0, CommitGroup(history_, stores_));
  EXPECT_EQ(GroupKind::Delete, GetUndoKind(history_));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(GroupKind::Copy, GetUndoKind(history_));
  EXPECT_EQ(GroupKind::Delete, GetRedoKind(history_));

  ClearUndo(history_);
  ClearRedo(history_);
  EXPECT_EQ(0, GetUndoCount(history_) + GetRedoCount(history_));
  EXPECT_EQ(2, log_.destroyed);
}

TEST_F(HistoryTest, BeginningAgainDropsTheGroupBeingRecorded) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  Record("abandoned");
  history_.overwriteRule = OverwriteRule::OverwriteAll;
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  EXPECT_EQ(1, log_.destroyed);
  EXPECT_EQ(OverwriteRule::Ask, history_.overwriteRule);
  EXPECT_EQ(0, GetPendingActionCount(history_));
  Record("kept");
  DiscardGroup(history_);
  EXPECT_EQ(2, log_.destroyed);
  EXPECT_EQ(E_FAIL, CommitGroup(history_, stores_));
}

}  // namespace
