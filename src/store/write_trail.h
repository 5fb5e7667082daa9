// What a write created that was not there before: keys below
// HKEY_CURRENT_USER, the DefLocation it gave a store key, and the folders it
// made for files. Taking a write back removes them again, so that a copy
// that fails, or that is undone, leaves the registry and the folders as it
// found them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "store/store_failure.h"

struct WriteTrail {
  std::vector<std::string> keys;  // paths below HKEY_CURRENT_USER, outermost first
  std::string defLocationKey;     // the store key whose DefLocation the write set, or empty
  std::vector<std::string> folders;  // full paths, outermost first

  bool Empty() const { return keys.empty() && defLocationKey.empty() && folders.empty(); }
};

// Opens the key at `path` below HKEY_CURRENT_USER for all access, creating
// it and every missing key above it, and adds those it created to `trail`
// (when given). A key that cannot be created leaves none of those it made.
int32_t CreateUserKey(const char* path, ScopedRegKey* key, WriteTrail* trail, StoreFailure* failure);

// Opens the key `name` (one level) below `parent`, whose path below
// HKEY_CURRENT_USER is `parentPath`, for all access, creating it when
// missing and adding it to `trail` (when given).
int32_t CreateSubkey(RegKey parent, const char* parentPath, const char* name, ScopedRegKey* key, WriteTrail* trail,
                     StoreFailure* failure);

// Notes in `trail` (when given) that the write set DefLocation of the
// store key at `storePath`.
int32_t NoteDefLocationSet(WriteTrail* trail, const char* storePath);

// Notes in `trail` (when given) that the write made the folder `path`.
int32_t NoteFolderMade(WriteTrail* trail, const char* path);

// Adds what `from` records to `to` (when given); on E_OUTOFMEMORY `from`
// is taken back instead.
int32_t KeepTrail(WriteTrail* to, WriteTrail* from);

// Removes what the trail records: its folders, innermost first, each only
// while it is empty; the DefLocation it set; then its keys, innermost first,
// each only while it holds no value and no subkey. The trail is empty
// afterwards.
void TakeBack(WriteTrail* trail);
