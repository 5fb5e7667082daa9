// backups [--json]: the kept backups of the system store's changes, newest
// first; restore ID: one of them put back; and the recovery every store
// command runs first.
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "journal/journal_folder.h"
#include "journal/journal_restore.h"
#include "platform/status.h"

namespace {

// The first few item names a listing shows.
constexpr size_t kListedItems = 3;

void PrintJsonText(const std::string& text) {
  putchar('"');
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      printf("\\%c", c);
    } else if (c < 0x20) {
      printf("\\u%04x", c);
    } else {
      putchar(c);
    }
  }
  putchar('"');
}

void PrintJson(const std::vector<BackupInfo>& backups) {
  printf("[");
  for (size_t i = 0; i < backups.size(); ++i) {
    const BackupInfo& backup = backups[i];
    printf("%s\n  {\"id\": ", i == 0 ? "" : ",");
    PrintJsonText(backup.id);
    printf(", \"time\": ");
    PrintJsonText(FormatIsoTime(backup.time));
    printf(", \"operation\": ");
    PrintJsonText(JournalOperationName(backup.operation));
    printf(", \"items\": %u, \"names\": [", static_cast<unsigned>(backup.items.size()));
    for (size_t n = 0; n < backup.items.size(); ++n) {
      if (n > 0) printf(", ");
      PrintJsonText(backup.items[n]);
    }
    printf("]}");
  }
  printf("%s]\n", backups.empty() ? "" : "\n");
}

void PrintText(const std::vector<BackupInfo>& backups) {
  for (const BackupInfo& backup : backups) {
    printf("%s  %s  %s  %u item%s", backup.id.c_str(), FormatIsoTime(backup.time).c_str(),
           JournalOperationName(backup.operation), static_cast<unsigned>(backup.items.size()),
           backup.items.size() == 1 ? "" : "s");
    for (size_t n = 0; n < backup.items.size() && n < kListedItems; ++n) {
      printf("%s%s", n == 0 ? ": " : ", ", backup.items[n].c_str());
    }
    printf("%s\n", backup.items.size() > kListedItems ? ", ..." : "");
  }
}

}  // namespace

void Cli_RecoverJournals() {
  RecoveryReport report;
  RecoverJournals(&report);
  std::string text = DescribeRecovery(report);
  if (!text.empty()) fprintf(stderr, "ordalis-cli: %s\n", text.c_str());
}

int Cli_Backups(int argc, char** argv) {
  bool json = false;
  for (int i = 0; i < argc; ++i) {
    if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else {
      return Cli_UsageError("backups: unknown argument '%s'", argv[i]);
    }
  }
  std::vector<BackupInfo> backups;
  int32_t status = ListBackups(&backups);
  if (status != 0) return Cli_Failure("backups", status);
  if (json) {
    PrintJson(backups);
  } else {
    PrintText(backups);
  }
  return kExitSuccess;
}

int Cli_Restore(int argc, char** argv) {
  const char* id = nullptr;
  RestoreRule rule = RestoreRule::Refuse;
  for (int i = 0; i < argc; ++i) {
    if (strcmp(argv[i], "--overwrite") == 0 || strcmp(argv[i], "--skip") == 0) {
      if (rule != RestoreRule::Refuse) return Cli_UsageError("restore: --overwrite and --skip exclude each other");
      rule = argv[i][2] == 'o' ? RestoreRule::Overwrite : RestoreRule::Skip;
    } else if (argv[i][0] == '-' || id != nullptr) {
      return Cli_UsageError("restore: unexpected argument '%s'", argv[i]);
    } else {
      id = argv[i];
    }
  }
  if (id == nullptr) return Cli_UsageError("restore: no backup named (see ordalis-cli backups)");
  RestoreOutcome outcome;
  JournalRefusal refusal;
  int32_t status = RestoreBackup(id, rule, &outcome, &refusal);
  if (status == E_CANCELLED) {
    Cli_Error("restore: %u item%s changed since; nothing was changed (use --overwrite or --skip):",
              static_cast<unsigned>(outcome.conflicts.size()), outcome.conflicts.size() == 1 ? " was" : "s were");
    for (const std::string& conflict : outcome.conflicts) fprintf(stderr, "  %s\n", conflict.c_str());
    return kExitFailure;
  }
  if (!refusal.reason.empty()) {
    return Cli_Error("restore: the journal folder %s could not be written (%s); nothing was changed",
                     refusal.folder.c_str(), refusal.reason.c_str());
  }
  for (const std::string& failed : outcome.failed) fprintf(stderr, "ordalis-cli: restore: %s\n", failed.c_str());
  if (status != 0) {
    char what[160];
    snprintf(what, sizeof(what), "restore %s", id);
    return Cli_Failure(what, status);
  }
  printf("restore: %u item%s restored\n", outcome.restored, outcome.restored == 1 ? "" : "s");
  return kExitSuccess;
}
