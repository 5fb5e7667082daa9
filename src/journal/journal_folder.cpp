#include "journal/journal_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "journal/journal_file.h"
#include "journal/journal_recovery.h"
#include "platform/clock.h"
#include "platform/error_text.h"
#include "platform/file.h"
#include "platform/folders.h"
#include "store/store_layout.h"

namespace {

constexpr const char* kJournalSubfolder = "Veltrane\\Ordalis\\Journal";
constexpr const char* kJournalExtension = ".journal";
constexpr const char* kEndExtension = ".done";
constexpr const char* kSetAsideExtension = ".rejected";
constexpr const char* kTemporaryExtension = ".tmp";
// Files in the folder looked at, at most.
constexpr size_t kMaxListed = 100000;

bool EndsWith(const std::string& text, const char* suffix) {
  size_t length = strlen(suffix);
  return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

std::string PathOf(const std::string& folder, const std::string& id, const char* extension) {
  return folder + "\\" + id + extension;
}

std::string Reason(int32_t status) {
  char text[256] = {};
  uint32_t code = static_cast<uint32_t>(status);
  if ((code & 0xFFFF0000u) == 0x80070000u && Platform_ErrorText(code & 0xFFFFu, text, sizeof(text))) {
    std::string reason(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' ||
                               reason.back() == ' ')) {
      reason.pop_back();
    }
    return reason;
  }
  snprintf(text, sizeof(text), "error 0x%08X", static_cast<unsigned>(code));
  return text;
}

// The ids of the journals in the folder, oldest first (ids sort by time),
// each with whether it was marked finished.
struct Entry {
  std::string id;
  bool finished = false;
};

int32_t ListEntries(const std::string& folder, std::vector<Entry>* entries, std::vector<std::string>* names) {
  int32_t status = Folder_ListFiles(folder.c_str(), kMaxListed, names);
  if (status != 0) return status;
  std::sort(names->begin(), names->end());
  for (const std::string& name : *names) {
    if (!EndsWith(name, kJournalExtension)) continue;
    Entry entry;
    entry.id = name.substr(0, name.size() - strlen(kJournalExtension));
    entry.finished = std::binary_search(names->begin(), names->end(), entry.id + kEndExtension);
    entries->push_back(std::move(entry));
  }
  return 0;
}

void RemoveJournal(const std::string& folder, const std::string& id) {
  // The journal first: a finished mark without its journal is harmless,
  // a journal without its mark would be taken back.
  File_Delete(PathOf(folder, id, kJournalExtension).c_str());
  File_Delete(PathOf(folder, id, kEndExtension).c_str());
}

void PruneBackups(const std::string& folder) {
  std::vector<Entry> entries;
  std::vector<std::string> names;
  if (ListEntries(folder, &entries, &names) != 0) return;
  size_t kept = 0;
  uint64_t bytes = 0;
  for (size_t i = entries.size(); i-- > 0;) {
    if (!entries[i].finished) continue;
    FileInfo info;
    uint64_t size = File_GetInfo(PathOf(folder, entries[i].id, kJournalExtension).c_str(), &info) == 0 ? info.size : 0;
    if (kept < kMaxBackups && bytes + size <= kMaxBackupBytes) {
      ++kept;
      bytes += size;
      continue;
    }
    RemoveJournal(folder, entries[i].id);
  }
}

// Ids sort by the time the group began, to the clock's tick.
std::string NewId(const std::string& folder, uint64_t seconds) {
  std::string time = FormatIsoTime(seconds);
  std::string stamp;
  for (char c : time) {
    if (c != '-' && c != ':' && c != 'Z') stamp += c == 'T' ? '-' : c;
  }
  for (uint64_t fraction = Clock_Now() % 10000000u;; ++fraction) {
    char id[64];
    snprintf(id, sizeof(id), "%s-%08llu", stamp.c_str(), static_cast<unsigned long long>(fraction));
    if (!File_Exists(PathOf(folder, id, kJournalExtension).c_str()) &&
        !File_Exists(PathOf(folder, id, kEndExtension).c_str()) &&
        !File_Exists(PathOf(folder, id, kSetAsideExtension).c_str())) {
      return id;
    }
  }
}

void SetAside(const std::string& folder, const std::string& id, const std::string& why, RecoveryReport* report) {
  std::string from = PathOf(folder, id, kJournalExtension), to = PathOf(folder, id, kSetAsideExtension);
  bool moved = File_Replace(from.c_str(), to.c_str()) == 0;
  report->notes.push_back("The journal " + from + " was not applied (" + why + ")" +
                          (moved ? "; it was set aside as " + to + "." : "; it could not be set aside."));
}

}  // namespace

int32_t GetJournalFolder(std::string* folder) {
  char local[kStorePathSize];
  int32_t status = Folder_GetLocalAppData(local, sizeof(local));
  if (status != 0) return status;
  try {
    *folder = std::string(local) + "\\" + kJournalSubfolder;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

int32_t BeginJournal(const Journal& journal, std::string* id, JournalRefusal* refusal) {
  std::string folder;
  int32_t status = GetJournalFolder(&folder);
  if (status != 0) {
    refusal->folder = "the local application-data folder";
    refusal->reason = Reason(status);
    return status;
  }
  refusal->folder = folder;
  status = File_CreateFolderPath(folder.c_str());
  if (status == 0) {
    *id = NewId(folder, journal.time);
    status = WriteJournal(PathOf(folder, *id, kJournalExtension).c_str(), journal);
  }
  if (status != 0) refusal->reason = Reason(status);
  return status;
}

int32_t FinishJournal(const std::string& id, bool keep, int32_t status, const std::vector<uint64_t>& digests) {
  std::string folder;
  int32_t result = GetJournalFolder(&folder);
  if (result != 0) return result;
  result = WriteJournalEnd(PathOf(folder, id, kEndExtension).c_str(), status, digests);
  if (result != 0) return result;
  if (!keep) RemoveJournal(folder, id);
  PruneBackups(folder);
  return 0;
}

int32_t RecoverJournals(RecoveryReport* report) {
  *report = RecoveryReport{};
  std::string folder;
  if (GetJournalFolder(&folder) != 0 || !File_Exists(folder.c_str())) return 0;
  std::vector<Entry> entries;
  std::vector<std::string> names;
  int32_t status = 0;
  try {
    status = ListEntries(folder, &entries, &names);
    if (status != 0) return status;
    for (const std::string& name : names) {
      // A journal never renamed into place: its group never started.
      if (EndsWith(name, kTemporaryExtension)) File_Delete((folder + "\\" + name).c_str());
      if (EndsWith(name, kEndExtension)) {
        std::string id = name.substr(0, name.size() - strlen(kEndExtension));
        if (!std::binary_search(names.begin(), names.end(), id + kJournalExtension)) {
          File_Delete((folder + "\\" + name).c_str());
        }
      }
    }
    // The newest group first: an older one was finished before it began.
    for (size_t i = entries.size(); i-- > 0;) {
      if (entries[i].finished) continue;
      ++report->groups;
      std::string path = PathOf(folder, entries[i].id, kJournalExtension);
      Journal journal;
      int32_t read = ReadJournal(path.c_str(), &journal);
      if (read != 0) {
        SetAside(folder, entries[i].id, "it could not be read", report);
        status = E_FAIL;
        continue;
      }
      std::string problem;
      if (!CheckJournal(journal, &problem)) {
        SetAside(folder, entries[i].id, problem, report);
        status = E_FAIL;
        continue;
      }
      TakeBackResult result;
      int32_t taken = TakeBackJournal(journal, &result);
      report->restored += result.restored;
      if (taken == 0) {
        File_Delete(path.c_str());
        continue;
      }
      status = E_FAIL;
      std::string what;
      for (const std::string& failed : result.failed) what += (what.empty() ? "" : "; ") + failed;
      report->notes.push_back("Could not restore " + what + ". The bytes are kept in " + path + ".");
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return status;
}

std::string DescribeRecovery(const RecoveryReport& report) {
  std::string text;
  try {
    if (report.groups > 0 && report.notes.empty()) {
      text = "An earlier change to the system presets did not finish. It was taken back: " +
             std::to_string(report.restored) + " items restored.";
    } else if (report.groups > 0) {
      text = "An earlier change to the system presets did not finish. " + std::to_string(report.restored) +
             " items were restored.";
      for (const std::string& note : report.notes) text += "\n" + note;
    }
  } catch (const std::bad_alloc&) {
    text.clear();
  }
  return text;
}

int32_t ListBackups(std::vector<BackupInfo>* backups) {
  backups->clear();
  std::string folder;
  int32_t status = GetJournalFolder(&folder);
  if (status != 0) return status;
  if (!File_Exists(folder.c_str())) return 0;
  std::vector<Entry> entries;
  std::vector<std::string> names;
  try {
    status = ListEntries(folder, &entries, &names);
    if (status != 0) return status;
    for (size_t i = entries.size(); i-- > 0;) {
      if (!entries[i].finished) continue;
      Journal journal;
      if (ReadJournal(PathOf(folder, entries[i].id, kJournalExtension).c_str(), &journal) != 0) continue;
      BackupInfo info;
      info.id = entries[i].id;
      info.time = journal.time;
      info.operation = journal.operation;
      info.items = std::move(journal.items);
      backups->push_back(std::move(info));
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

int32_t ReadBackup(const std::string& id, Journal* journal, std::vector<uint64_t>* after) {
  std::string folder;
  int32_t status = GetJournalFolder(&folder);
  if (status != 0) return status;
  if (id.empty() || id.find_first_of("\\/:.") != std::string::npos) return E_INVALIDARG;
  try {
    std::vector<uint64_t> digests;
    int32_t ended = 0;
    status = ReadJournalEnd(PathOf(folder, id, kEndExtension).c_str(), &ended, &digests);
    if (status == 0) status = ReadJournal(PathOf(folder, id, kJournalExtension).c_str(), journal);
    if (status == 0 && digests.size() != journal->items.size()) status = E_PACKAGE_FORMAT;
    if (status == 0 && after != nullptr) *after = std::move(digests);
    return status;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

std::string FormatIsoTime(uint64_t seconds) {
  // Civil date from days since 1970 (proleptic Gregorian calendar).
  int64_t days = static_cast<int64_t>(seconds / 86400);
  uint32_t rest = static_cast<uint32_t>(seconds % 86400);
  days += 719468;
  int64_t era = days / 146097;
  uint32_t dayOfEra = static_cast<uint32_t>(days - era * 146097);
  uint32_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t year = static_cast<int64_t>(yearOfEra) + era * 400;
  uint32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  uint32_t mp = (5 * dayOfYear + 2) / 153;
  uint32_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  uint32_t month = mp < 10 ? mp + 3 : mp - 9;
  if (month <= 2) ++year;
  char text[96];
  snprintf(text, sizeof(text), "%04lld-%02u-%02uT%02u:%02u:%02uZ", static_cast<long long>(year), month, day, rest / 3600,
           rest / 60 % 60, rest % 60);
  return text;
}
