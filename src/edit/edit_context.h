// What the record-level copy and delete operations work with: the stores,
// the history whose pending group they record into, and who answers the
// overwrite question.
#pragma once

#include <cstdint>

#include "edit/history.h"
#include "edit/name_list.h"
#include "edit/overwrite_question.h"
#include "edit/pending_targets.h"
#include "store/stores.h"

struct EditContext {
  Stores& stores;
  History& history;
  OverwriteQuestion* question;  // null: an existing item is never overwritten
  uint32_t overwriteCount = 0;  // presets and chains the current copy covers
  // What the copy being recorded writes into its destination.
  PendingTargets targets{};
  // Items the copy being recorded leaves out because no store can hold them
  // (no data or stream), in words: "the preset "Warm" of Studio Reverb has
  // no data".
  NameList leftOut{};
};
