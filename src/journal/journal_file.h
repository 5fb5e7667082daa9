// Writing a journal to disk and reading it back through the hardened RIFF
// reader. Every write goes to a temporary file beside the target, is
// flushed, then renamed into place, so a journal is either whole or absent.
#pragma once

#include <cstdint>
#include <vector>

#include "journal/journal.h"

// Writes the journal to `path` (temporary, flushed, renamed).
int32_t WriteJournal(const char* path, const Journal& journal);
// Reads a journal; E_PACKAGE_FORMAT for anything that is not a whole,
// well-formed journal within the bounds (cut short, counts that do not
// match, texts or bytes too long).
int32_t ReadJournal(const char* path, Journal* journal);

// The marker that the group of a journal finished: its status, and a
// digest of each item's state as the group left it (none when the journal
// is not kept).
int32_t WriteJournalEnd(const char* path, int32_t status, const std::vector<uint64_t>& digests);
int32_t ReadJournalEnd(const char* path, int32_t* status, std::vector<uint64_t>* digests);
