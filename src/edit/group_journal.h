// The guard that journals every group changing the system store: before
// the group's first change its journal is on disk, and when the group ends
// the journal is marked finished (and kept as a backup when the group
// replaced or removed something). A journal that cannot be written stops
// the group before it changes anything.
#pragma once

#include <string>

#include "edit/history.h"
#include "journal/journal.h"

class GroupJournal final : public GroupGuard {
 public:
  int32_t Begin(const HistoryGroup& group, GroupStep step, ActionFailure* failure) override;
  void End(const HistoryGroup& group, int32_t status) override;

  // What a commit is called in listings; a copy unless the caller says
  // otherwise (an import, a restore).
  JournalOperation commitOperation = JournalOperation::Copy;

 private:
  std::string id_;     // the journal of the running group, or empty
  bool keep_ = false;  // it holds what the group replaces or removes
  Journal journal_;    // while kept: its places, whose state the finished mark describes
};
