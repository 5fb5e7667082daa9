#include "journal/journal.h"

#include "store/store_layout.h"

bool Journal::HoldsReplacedData() const {
  // A store key's DefLocation is kept for an exact take-back; a group
  // leaves it as it is.
  for (const JournalValue& value : values) {
    if (value.present && value.name != kDefLocationValue) return true;
  }
  for (const JournalFile& file : files) {
    if (file.present) return true;
  }
  return false;
}

uint64_t Journal::DataSize() const {
  uint64_t total = 0;
  for (const JournalValue& value : values) total += value.bytes.size() + value.key.size() + value.name.size();
  for (const JournalFile& file : files) total += file.bytes.size() + file.path.size();
  return total;
}

const char* JournalOperationName(JournalOperation operation) {
  switch (operation) {
    case JournalOperation::Copy: return "Copy to System";
    case JournalOperation::Delete: return "Delete";
    case JournalOperation::Rename: return "Rename";
    case JournalOperation::Import: return "Import";
    case JournalOperation::Restore: return "Restore";
    case JournalOperation::Undo: return "Undo";
    case JournalOperation::Redo: return "Redo";
  }
  return "Change";
}
