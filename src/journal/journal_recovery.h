// Taking a group back from its journal: every value, file, key and folder
// the journal records is put back as it was before the group. A journal is
// checked first: one that names anything outside the store's own keys and
// folders is never applied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "journal/journal.h"

// Gives true when every key, value and path the journal names lies within
// the store's keys and folders; else false, with the first offending name
// in `problem`.
bool CheckJournal(const Journal& journal, std::string* problem);

struct TakeBackResult {
  uint32_t restored = 0;             // items of which something had to be put back
  std::vector<std::string> failed;   // what could not be put back, in words
};

// Puts back what the journal records. Continues past a failure, which
// `result` names; gives 0 when all was put back, else E_FAIL.
int32_t TakeBackJournal(const Journal& journal, TakeBackResult* result);
