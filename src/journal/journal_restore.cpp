#include "journal/journal_restore.h"

#include <new>
#include <set>

#include "journal/journal_capture.h"
#include "journal/journal_recovery.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "store/store_paths.h"

namespace {

// FNV-1a, 64 bits: a digest to tell states apart, not a defence.
class Digest {
 public:
  void Bytes(const void* data, size_t size) {
    const unsigned char* at = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) value_ = (value_ ^ at[i]) * 0x100000001B3ull;
  }
  void Text(const std::string& text) { Bytes(text.c_str(), text.size() + 1); }
  void Word(uint64_t word) { Bytes(&word, sizeof(word)); }
  uint64_t Get() const { return value_; }

 private:
  uint64_t value_ = 0xCBF29CE484222325ull;
};

void AddValue(Digest* digest, const JournalValue& value) {
  digest->Text(value.key);
  digest->Text(value.name);
  digest->Word(value.present ? 1 : 0);
  digest->Word(value.type);
  digest->Word(value.bytes.size());
  digest->Bytes(value.bytes.data(), value.bytes.size());
}

void AddFile(Digest* digest, const JournalFile& file) {
  digest->Text(file.path);
  digest->Word(file.present ? 1 : 0);
  digest->Word(file.bytes.size());
  digest->Bytes(file.bytes.data(), file.bytes.size());
}

std::vector<uint64_t> DigestsOf(const Journal& journal) {
  std::vector<Digest> digests(journal.items.size());
  for (const JournalValue& value : journal.values) AddValue(&digests[value.item], value);
  for (const JournalFile& file : journal.files) AddFile(&digests[file.item], file);
  std::vector<uint64_t> result;
  for (const Digest& digest : digests) result.push_back(digest.Get());
  return result;
}

// The backup's places of the items taken, renumbered.
Journal Subset(const Journal& backup, const std::vector<bool>& take) {
  Journal subset;
  subset.operation = JournalOperation::Restore;
  subset.time = backup.time;
  std::vector<uint32_t> number(backup.items.size(), 0);
  for (size_t i = 0; i < backup.items.size(); ++i) {
    if (!take[i]) continue;
    number[i] = static_cast<uint32_t>(subset.items.size());
    subset.items.push_back(backup.items[i]);
  }
  for (JournalValue value : backup.values) {
    if (!take[value.item]) continue;
    value.item = number[value.item];
    subset.values.push_back(std::move(value));
  }
  for (JournalFile file : backup.files) {
    if (!take[file.item]) continue;
    file.item = number[file.item];
    subset.files.push_back(std::move(file));
  }
  subset.createdKeys = backup.createdKeys;
  subset.createdFolders = backup.createdFolders;
  return subset;
}

void NoteMissingKeys(const std::string& path, std::set<std::string>* seen, std::vector<std::string>* missing) {
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    std::string partial = path.substr(0, end);
    if (seen->insert(partial).second) {
      ScopedRegKey probe;
      if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), partial.c_str(), RegAccess::Read, probe.Out()) != 0) {
        missing->push_back(partial);
      }
    }
    if (end == std::string::npos) break;
  }
}

}  // namespace

std::vector<uint64_t> RecordedDigests(const Journal& journal) {
  try {
    return DigestsOf(journal);
  } catch (const std::bad_alloc&) {
    return {};
  }
}

int32_t CaptureCurrent(const Journal& places, JournalOperation operation, Journal* journal) {
  *journal = Journal{};
  try {
    journal->operation = operation;
    journal->time = places.time;
    journal->items = places.items;
    journal->values = places.values;
    journal->files = places.files;
    std::set<std::string> seenKeys, seenFolders;
    for (JournalValue& value : journal->values) {
      int32_t status = ReadValueNow(&value);
      if (status != 0) return status;
      NoteMissingKeys(value.key, &seenKeys, &journal->createdKeys);
    }
    for (JournalFile& file : journal->files) {
      int32_t status = ReadFileNow(&file);
      if (status != 0) return status;
      std::string folder = file.path.substr(0, file.path.rfind('\\'));
      if (seenFolders.insert(folder).second && !File_Exists(folder.c_str())) journal->createdFolders.push_back(folder);
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

int32_t CurrentDigests(const Journal& journal, std::vector<uint64_t>* digests) {
  Journal now;
  int32_t status = CaptureCurrent(journal, journal.operation, &now);
  if (status != 0) return status;
  try {
    *digests = DigestsOf(now);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

int32_t RestoreBackup(const std::string& id, RestoreRule rule, RestoreOutcome* outcome, JournalRefusal* refusal) {
  *outcome = RestoreOutcome{};
  Journal backup;
  std::vector<uint64_t> after, now;
  int32_t status = ReadBackup(id, &backup, &after);
  if (status != 0) return status;
  std::string problem;
  if (!CheckJournal(backup, &problem)) {
    outcome->failed.push_back("the backup " + id + " was not applied: " + problem);
    return E_FAIL;
  }
  status = CurrentDigests(backup, &now);
  if (status != 0) return status;
  std::vector<uint64_t> before = RecordedDigests(backup);
  if (before.size() != backup.items.size()) return E_OUTOFMEMORY;
  Journal restore, current;
  try {
    std::vector<bool> take(backup.items.size(), false);
    for (size_t i = 0; i < backup.items.size(); ++i) {
      if (now[i] == before[i]) continue;  // back already
      if (now[i] == after[i]) {
        take[i] = true;
      } else {
        outcome->conflicts.push_back(backup.items[i]);
        take[i] = rule == RestoreRule::Overwrite;
      }
    }
    if (!outcome->conflicts.empty() && rule == RestoreRule::Refuse) return E_CANCELLED;
    restore = Subset(backup, take);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (restore.items.empty()) return 0;
  status = CaptureCurrent(restore, JournalOperation::Restore, &current);
  if (status != 0) return status;
  std::string journalId;
  status = BeginJournal(current, &journalId, refusal);
  if (status != 0) return status;
  TakeBackResult result;
  status = TakeBackJournal(restore, &result);
  outcome->restored = result.restored;
  outcome->failed = std::move(result.failed);
  std::vector<uint64_t> left;
  if (CurrentDigests(current, &left) != 0) left.clear();
  FinishJournal(journalId, current.HoldsReplacedData() && !left.empty(), status, left);
  return status;
}
