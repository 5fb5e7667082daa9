// Restoring a kept backup: what its group replaced or removed is put back
// and what it added is removed, item by item. An item changed since by
// something else is a conflict, restored only when the caller says so. The
// restore is a group of its own, journalled like any other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "journal/journal.h"
#include "journal/journal_folder.h"

// A digest of each item's places in the state the journal records.
std::vector<uint64_t> RecordedDigests(const Journal& journal);
// A digest of each item's places as they are now.
int32_t CurrentDigests(const Journal& journal, std::vector<uint64_t>* digests);

// A journal of the same items and places as `places`, with their state now.
int32_t CaptureCurrent(const Journal& places, JournalOperation operation, Journal* journal);

enum class RestoreRule { Refuse, Overwrite, Skip };

struct RestoreOutcome {
  std::vector<std::string> conflicts;  // items changed since, in words
  uint32_t restored = 0;               // items put back
  std::vector<std::string> failed;     // what could not be put back, in words
};

// Restores the backup `id`. With conflicts and RestoreRule::Refuse nothing
// is changed and E_CANCELLED is given; `refusal` is filled when the
// restore's own journal cannot be written (nothing is changed then either).
int32_t RestoreBackup(const std::string& id, RestoreRule rule, RestoreOutcome* outcome, JournalRefusal* refusal);
