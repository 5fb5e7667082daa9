// An edit fixture whose history is journalled into a local application
// data folder of the test's own.
#pragma once

#include <cstdlib>
#include <string>

#include "edit/edit_fixture.h"
#include "edit/group_journal.h"
#include "journal/journal_folder.h"
#include "platform/change_fault.h"
#include "support/temp_folder.h"

class JournalTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    setenv("LOCALAPPDATA", appData_.Path().c_str(), 1);
    history_.guard = &journal_;
  }
  void TearDown() override {
    ChangeFault_Disarm();
    unsetenv("LOCALAPPDATA");
    EditTest::TearDown();
  }

  std::string JournalFolder() const { return appData_.Path() + "\\Veltrane\\Ordalis\\Journal"; }

  // What a new start of the program does: the history is gone, unfinished
  // groups are taken back, the store is read again.
  RecoveryReport Restart() {
    ChangeFault_Disarm();
    ClearUndo(history_);
    ClearRedo(history_);
    RecoveryReport report;
    RecoverJournals(&report);
    LoadSystem();
    return report;
  }

  TempFolder appData_;
  GroupJournal journal_;
};
