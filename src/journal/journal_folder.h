// The folder the journals live in, below the user's local application
// data, and the life of a journal there: written before a group's first
// change, marked finished when the group ends, kept as a backup when the
// group replaced or removed something, taken back at the next start when
// it was never marked finished.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "journal/journal.h"

// Backups kept: the newest this many groups, and no more bytes than this.
constexpr size_t kMaxBackups = 200;
constexpr uint64_t kMaxBackupBytes = 256ull * 1024 * 1024;

// "<local application data>\Veltrane\Ordalis\Journal".
int32_t GetJournalFolder(std::string* folder);

// Why a group cannot start: the folder, and the reason in words.
struct JournalRefusal {
  std::string folder;
  std::string reason;
};

// Writes the journal of a group about to start and gives its id. On a
// failure nothing of the store may change; `refusal` says why.
int32_t BeginJournal(const Journal& journal, std::string* id, JournalRefusal* refusal);
// Marks the group finished; a journal that holds nothing the group
// replaced or removed is removed, the others are kept as backups within
// the bounds.
// `digests` describe each item as the group left it (see journal_restore.h).
int32_t FinishJournal(const std::string& id, bool keep, int32_t status, const std::vector<uint64_t>& digests);

// What a start found: groups taken back, journals set aside, and what
// could not be put back.
struct RecoveryReport {
  uint32_t groups = 0;            // unfinished groups found
  uint32_t restored = 0;          // items put back
  std::vector<std::string> notes; // journals set aside and what could not be put back, in words
};
// Takes back every group whose journal was never marked finished. Gives 0
// when nothing was found or all was put back.
int32_t RecoverJournals(RecoveryReport* report);
// The message a start shows for the report, or empty when it has nothing to say.
std::string DescribeRecovery(const RecoveryReport& report);

// One kept backup, newest first in listings.
struct BackupInfo {
  std::string id;
  uint64_t time = 0;
  JournalOperation operation = JournalOperation::Copy;
  std::vector<std::string> items;
};
int32_t ListBackups(std::vector<BackupInfo>* backups);
// The journal of a kept backup, and the digests of its items as the group
// left them.
int32_t ReadBackup(const std::string& id, Journal* journal, std::vector<uint64_t>* after = nullptr);

// "2026-12-07T14:35:00Z".
std::string FormatIsoTime(uint64_t seconds);
