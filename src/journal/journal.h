// The journal of one group of changes to the system store: for every
// registry value and file the group may change, what was there before
// (type and bytes, or nothing), and the keys and folders it may create.
// Written to disk before the group's first change, it lets the group be
// taken back after a crash, and kept, it is the group's backup. It holds
// names, keys and bytes, never positions in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the group was, for listings.
enum class JournalOperation : uint32_t { Copy = 1, Delete = 2, Rename = 3, Import = 4, Restore = 5, Undo = 6, Redo = 7 };

// A registry value below HKEY_CURRENT_USER as it was before the group.
struct JournalValue {
  uint32_t item = 0;    // index into Journal::items
  std::string key;      // the key's path below HKEY_CURRENT_USER
  std::string name;     // the value's name
  bool present = false; // false: the value did not exist
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
};

// A file as it was before the group.
struct JournalFile {
  uint32_t item = 0;
  std::string path;
  bool present = false;  // false: the file did not exist
  std::vector<unsigned char> bytes;
};

struct Journal {
  JournalOperation operation = JournalOperation::Copy;
  uint64_t time = 0;                       // seconds since 1970, UTC
  std::vector<std::string> items;          // the items in words, in the group's order
  std::vector<JournalValue> values;
  std::vector<JournalFile> files;
  std::vector<std::string> createdKeys;    // keys that did not exist, outermost first
  std::vector<std::string> createdFolders; // folders that did not exist, outermost first

  // Whether taking the group back would bring back something it replaced
  // or removed; only such journals are worth keeping as backups.
  bool HoldsReplacedData() const;
  // Bytes held, for bounding the backups.
  uint64_t DataSize() const;
};

// The words a listing shows for an operation: "Copy to System", "Delete", ...
const char* JournalOperationName(JournalOperation operation);
