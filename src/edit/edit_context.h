// What the record-level copy and delete operations work with: the stores,
// the history whose pending group they record into, and who answers the
// overwrite question.
#pragma once

#include <cstdint>

#include "edit/history.h"
#include "edit/overwrite_question.h"
#include "store/stores.h"

struct EditContext {
  Stores& stores;
  History& history;
  OverwriteQuestion* question;  // null: an existing item is never overwritten
  uint32_t overwriteCount = 0;  // presets and chains the current copy covers
};
