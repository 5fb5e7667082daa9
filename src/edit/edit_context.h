// What the record-level copy and delete operations work with: the stores,
// the history whose pending group they record into, and how to ask the
// overwrite question.
#pragma once

#include <cstdint>

#include "edit/history.h"
#include "kernel/msgbox.h"
#include "store/stores.h"

struct VtLang;

// Told of every item that already exists in the destination of a copy,
// before the overwrite question is asked: the destination entry's display
// name (or "Chain") and the item's name as the destination spells it.
using ConflictListener = void (*)(void* context, const char* kind, const char* name);

struct EditContext {
  Stores* stores;            // not owned
  History* history;          // not owned
  VtLang* strings;           // the program's strings; null reads the running program's own
  VtWindow owner;            // owner of the overwrite question
  uint32_t overwriteCount;   // presets and chains the current copy covers
  ConflictListener onConflict;  // optional
  void* conflictContext;
};
