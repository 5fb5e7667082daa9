// The one rule by which the store deletes or replaces a preset or chain
// file: only its own. A file is the store's own when it lies in the folder
// the store itself uses for the item (DefLocation and the item's class key
// or chain key name), is a plain file with a single name, reached through
// no link below DefLocation, and no other value of the store names it by
// whatever spelling. "The same file" is decided from the file itself; where
// any of that cannot be established, the file is kept.
#pragma once

#include <cstddef>

class SystemIndex;
struct StoreKey;

// The item's folder: DefLocation and the safe form of `folderKeyName`.
// True, with its path, when DefLocation is usable and the folder exists and
// is a folder itself, not a link to one.
bool FindItemFolder(const StoreKey& store, const char* folderKeyName, char* folder, size_t size);

// True when `a` and `b` reach one existing file.
bool IsSameFile(const char* a, const char* b);

// True when the name `path` in the item's own folder may be written over:
// nothing is there, or a plain file with one name that is no link.
bool MayReplaceName(const char* path);

// True when the store owns `file`, which a value of the item names; gives
// in `own` the path by which to delete or replace it: its name in the item's
// folder. `index` counts the values that name each file (none: nothing is
// owned).
bool OwnsItemFile(const StoreKey& store, const char* folderKeyName, const char* file, const SystemIndex* index,
                  char* own, size_t size);
