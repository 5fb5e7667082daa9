// Taking the "before" picture of a group: for every item it may change,
// the registry values, the files they name, the files its writers may
// create beside them, and the keys and folders it may create.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "journal/journal.h"

enum class JournalStore : uint8_t { DirectShow, Editor, Chains };

// One item a group may change, as an action of the group names it.
struct JournalTarget {
  JournalStore store = JournalStore::DirectShow;
  std::string keyName;    // the item's key below the store key
  std::string valueName;  // the preset's value; empty for a chain, whose whole key is kept
  std::string itemName;   // what its file is named after
  std::string file;       // the file the item's snapshot named, or empty
  std::string label;      // the item in words, for listings
  bool mayUseFile = false;  // the group may write bytes enough for a file
};

// Fills `journal` with the state, now, of everything the targets may
// change. Files outside the store's own folders are never written by the
// store and are left out.
int32_t CaptureJournal(const std::vector<JournalTarget>& targets, JournalOperation operation, Journal* journal);

// The state now of the place a journal value or file names (its key and
// name, or its path): present, type and bytes.
int32_t ReadValueNow(JournalValue* value);
int32_t ReadFileNow(JournalFile* file);

// The store key of a journal store: its path below HKEY_CURRENT_USER.
const char* JournalStorePath(JournalStore store);
