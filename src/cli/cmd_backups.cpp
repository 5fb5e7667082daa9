// backups [--json]: the kept backups of the system store's changes, newest
// first; and the recovery every store command runs first.
#include <cstring>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "journal/journal_folder.h"

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
    printf(", \"items\": %zu, \"names\": [", backup.items.size());
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
    printf("%s  %s  %s  %zu item%s", backup.id.c_str(), FormatIsoTime(backup.time).c_str(),
           JournalOperationName(backup.operation), backup.items.size(), backup.items.size() == 1 ? "" : "s");
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
