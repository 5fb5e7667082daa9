// The history on its own, with actions that only log what is done to them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
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

// Stops the work when `stopAt` items are behind; remembers what it was told.
struct StoppingProgress final : public GroupProgress {
  int32_t stopAt;
  std::vector<std::pair<int32_t, int32_t>> steps;
  explicit StoppingProgress(int32_t at) : stopAt(at) {}
  bool Step(int32_t done, int32_t total) override {
    steps.emplace_back(done, total);
    return done != stopAt;
  }
};

class StoppedWork : public HistoryTest {
 protected:
  // Commits a group of actions a, b, c, d unwatched.
  void CommitFour() {
    BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Delete);
    for (const char* name : {"a", "b", "c", "d"}) Record(name);
    ASSERT_EQ(0, CommitGroup(history_, stores_));
    TakeLog();
  }
};

TEST_F(StoppedWork, ACommitStoppedPartWayKeepsWhatItDidAsOneUndoableStep) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Delete);
  for (const char* name : {"a", "b", "c", "d"}) Record(name);
  StoppingProgress progress(2);
  history_.progress = &progress;
  EXPECT_EQ(E_CANCELLED, CommitGroup(history_, stores_));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());
  EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 4}, {1, 4}, {2, 4}}), progress.steps);
  EXPECT_EQ(2, log_.destroyed);  // c and d never happened: they are not part of the step
  ASSERT_EQ(1, GetUndoCount(history_));

  history_.progress = nullptr;
  EXPECT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"revert b", "revert a"}), TakeLog());
  EXPECT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"apply a", "apply b"}), TakeLog());  // redo carries out only what the commit did
}

TEST_F(StoppedWork, ACommitStoppedBeforeItsFirstItemLeavesNothingToUndo) {
  BeginGroup(history_, StoreId::System, StoreId::Package, GroupKind::Copy);
  Record("a");
  StoppingProgress progress(0);
  history_.progress = &progress;
  EXPECT_EQ(E_CANCELLED, CommitGroup(history_, stores_));
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(0, GetUndoCount(history_));
  EXPECT_EQ(1, log_.destroyed);
}

TEST_F(StoppedWork, AnUndoStoppedPartWaySplitsTheStepWhereItStopped) {
  CommitFour();
  StoppingProgress progress(3);
  history_.progress = &progress;
  StoreId changed = StoreId::System;
  EXPECT_EQ(E_CANCELLED, Undo(history_, stores_, &changed));
  EXPECT_EQ(StoreId::Package, changed);
  EXPECT_EQ((Lines{"revert d", "revert c", "revert b"}), TakeLog());  // newest first
  // What was taken back can be carried out again; the rest can still be undone.
  ASSERT_EQ(1, GetUndoCount(history_));
  ASSERT_EQ(1, GetRedoCount(history_));
  history_.progress = nullptr;
  EXPECT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"revert a"}), TakeLog());
  EXPECT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"apply a"}), TakeLog());
  EXPECT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"apply b", "apply c", "apply d"}), TakeLog());
  EXPECT_EQ(0, log_.destroyed);
  EXPECT_EQ(GroupKind::Delete, GetUndoKind(history_));
}

TEST_F(StoppedWork, ARedoStoppedPartWayLeavesTheRestToRedo) {
  CommitFour();
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  TakeLog();
  StoppingProgress progress(1);
  history_.progress = &progress;
  EXPECT_EQ(E_CANCELLED, Redo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"apply a"}), TakeLog());
  history_.progress = nullptr;
  ASSERT_EQ(1, GetUndoCount(history_));
  ASSERT_EQ(1, GetRedoCount(history_));
  EXPECT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"apply b", "apply c", "apply d"}), TakeLog());
  EXPECT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ((Lines{"revert d", "revert c", "revert b"}), TakeLog());

  // Stopped at once, nothing moves.
  StoppingProgress atOnce(0);
  history_.progress = &atOnce;
  EXPECT_EQ(E_CANCELLED, Redo(history_, stores_, nullptr));
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(1, GetUndoCount(history_));
  EXPECT_EQ(1, GetRedoCount(history_));
  EXPECT_EQ(0, log_.destroyed);
}

uint64_t fakeNow = 0;
uint64_t FakeClock() { return fakeNow; }

TEST(ProgressPacer, ShowsAfterTheWaitThenUpdatesAtTheIntervalAndSurvivesAClockSetBack) {
  fakeNow = 5000;
  ProgressPacer pacer(FakeClock, 1000, 50, 1);
  EXPECT_EQ(ProgressPacer::Due::Nothing, pacer.Check());
  fakeNow = 5999;
  EXPECT_EQ(ProgressPacer::Due::Nothing, pacer.Check());
  EXPECT_FALSE(pacer.Shown());
  fakeNow = 6000;
  EXPECT_EQ(ProgressPacer::Due::Show, pacer.Check());
  EXPECT_TRUE(pacer.Shown());
  fakeNow = 6049;
  EXPECT_EQ(ProgressPacer::Due::Nothing, pacer.Check());
  fakeNow = 6050;
  EXPECT_EQ(ProgressPacer::Due::Update, pacer.Check());
  // The clock set back: the interval starts again from there.
  fakeNow = 100;
  EXPECT_EQ(ProgressPacer::Due::Nothing, pacer.Check());
  fakeNow = 150;
  EXPECT_EQ(ProgressPacer::Due::Update, pacer.Check());

  ProgressPacer atOnce(FakeClock, 0, 0);
  EXPECT_EQ(ProgressPacer::Due::Show, atOnce.Check());
  EXPECT_EQ(ProgressPacer::Due::Nothing, atOnce.Check());  // the clock is not read at every item
}

TEST(ProgressPacer, ReadsTheClockAtEveryNthItemOnly) {
  static int readings = 0;
  readings = 0;
  fakeNow = 0;
  auto counting = []() -> uint64_t {
    ++readings;
    return fakeNow;
  };
  ProgressPacer pacer(counting, 100, 10, 4);
  EXPECT_EQ(1, readings);  // the start
  fakeNow = 1000;
  std::vector<ProgressPacer::Due> due;
  for (int i = 0; i < 9; ++i) due.push_back(pacer.Check());
  using D = ProgressPacer::Due;
  EXPECT_EQ((std::vector<D>{D::Show, D::Nothing, D::Nothing, D::Nothing, D::Nothing, D::Nothing, D::Nothing, D::Nothing,
                            D::Nothing}),
            due);
  EXPECT_EQ(1 + 3, readings);  // items 0, 4 and 8
  fakeNow = 2000;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(D::Nothing, pacer.Check());
  EXPECT_EQ(D::Update, pacer.Check());
}

}  // namespace
