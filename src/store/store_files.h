// What the preset and chain writers share: the keys of the store, the
// DefLocation folders, the preset files kept there, and the value that
// holds either an item's bytes or the path of its file.
//
// The store never destroys a file it does not own: a value's old file goes
// only when it lies below the store's own DefLocation folders, no other
// value names it, its bytes were read (so that an undo can bring it back)
// and it is a plain file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/registry.h"
#include "store/store_failure.h"
#include "store/store_layout.h"
#include "store/system_index.h"
#include "store/write_trail.h"

// How one write or delete goes about the store's files, and what it
// reports back.
struct SystemWrite {
  // Which files the values of the store name. Without it no value's old
  // file is known to be read, so none is deleted.
  const SystemIndex* index = nullptr;
  // The file the item's value named when its record was taken: named again
  // when it still holds the record's bytes, or when the record has no bytes
  // (its file could not be read then); written again in its place when it
  // is gone. Null or empty for none.
  const char* file = nullptr;
  WriteTrail* trail = nullptr;       // receives the keys and the DefLocation the write created
  // A delete that is the second half of an overwrite deletes the item's
  // file only when it lies below the store's own DefLocation folders, as
  // the overwrite of a value does.
  bool replacing = false;
  StoreFailure* failure = nullptr;   // what failed, in words
  char written[kStorePathSize] = {}; // out: the file the value names now, or empty
};

// One store key: its path, and the folder below the program's own where
// its DefLocation points when this program is the first to write there.
struct StoreKey {
  const char* path;
  const char* programSubfolder;  // null: the key has no DefLocation (the editor's)
};
extern const StoreKey kDirectShowStore;
extern const StoreKey kChainStore;
extern const StoreKey kEditorStore;

// Creates (or opens) the item's key `itemKeyName` (one level) below the
// store key, for all access, creating the store key and its DefLocation
// when missing; all that it created goes into the write's trail.
int32_t CreateItemKey(const StoreKey& store, const char* itemKeyName, ScopedRegKey* itemKey, SystemWrite* write);

// DefLocation of the store key as text, whatever its type, never expanded,
// checked to be a folder that files can be written into; where the key has
// none yet, the one the first write gives it. Gives 0 with the text, or a
// failure naming the setting: unreadable, longer than 259 characters, or no
// absolute folder.
int32_t ReadDefLocation(const StoreKey& store, char* text, size_t size, StoreFailure* failure);

// The full path of the file an item of this name gets below `location` (a
// DefLocation), in the folder named after `folderKeyName` (the class key or
// the chain key name). A name too long for the path is shortened so that a
// numbered file and the file written beside it first fit; a failure naming
// the path when even a short name could not fit (DefLocation or the folder
// is too long).
int32_t FormItemPath(const char* location, const char* folderKeyName, const char* itemName, const char* extension,
                     char* path, size_t size, StoreFailure* failure);

// The item whose value a writer sets.
struct ItemValue {
  const StoreKey* store;
  const char* itemPath;       // the item's key below HKEY_CURRENT_USER, for failures
  const char* folderKeyName;  // names its folder below DefLocation
  const char* valueName;      // the value that holds the bytes or the path
  const char* itemName;       // names its file
  const char* extension;
  const void* data;
  uint32_t size;
  bool alwaysInline;          // the bytes stay in the registry whatever their size
  // What the index knows the value names (null: nothing), and whether that
  // file's bytes were read.
  const char* knownFile;
  bool knownRead;
};

// A value's bytes made ready: a file already written, or the bytes for the
// registry itself.
struct PreparedValue {
  char current[kStorePathSize] = {};  // the file the value names now, or empty
  bool currentRead = false;           // its bytes were read: an undo can write them back
  char path[kStorePathSize] = {};     // the file it is to name, or empty for bytes in the value
  bool wroteFile = false;             // `path` is a file this write made (not the old one replaced)
  char temporary[kStorePathSize] = {};// the new bytes beside the value's own file, moved over it once the value is set
};

// Writes the file the value is to name, if any: the item's old file again
// (SystemWrite::file), else below DefLocation in a file named after the item
// (numbered when another value names that file). Nothing of the registry
// changes.
int32_t PrepareItemValue(RegKey itemKey, const ItemValue& item, SystemWrite* write, PreparedValue* prepared);

// Sets the value to what PrepareItemValue made ready and deletes the old
// file when the store owns it alone. A value that cannot be set leaves no
// file of this write behind.
int32_t SetItemValue(RegKey itemKey, const ItemValue& item, PreparedValue* prepared, SystemWrite* write);

// Undoes PrepareItemValue when the value will not be set.
void DropPreparedValue(PreparedValue* prepared);

// Whether the file a value names now (`current`) is the one the index
// knows, with its bytes read.
bool IsKnownRead(const char* current, const char* knownFile, bool knownRead);

// Deletes the file that a value named, when the store owns it alone: no
// other value names it, its bytes were read (`read`) and it is a plain
// file; when replacing, it must also lie below the store's own DefLocation
// folders.
void DeleteNamedFile(const char* file, bool read, const SystemWrite* write);

// The REG_SZ text of a value when it is a full path, or an empty text.
void ReadValueFile(RegKey key, const char* valueName, char* path, size_t size);
