// Renaming a preset or a chain in place: the rules a new name must meet,
// and the rename itself in either store. In the system store the item is
// written under its new name before it is removed under its old one, so
// whatever fails, the store keeps it under one name or the other (or both),
// never neither, and the records in memory are brought in line with what
// the store then holds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/node_kind.h"
#include "store/store_failure.h"
#include "store/stores.h"

// Names longer than this are refused; the edit box stops typing here.
constexpr size_t kMaxRenameChars = 63;

enum class NameCheck { Cancelled, TooLong, Acceptable };

// A null or empty text is a cancelled edit. Characters are counted as the
// edit box counts them (UTF-16 units).
NameCheck CheckNewName(const char* text);

// The typed name without its leading and trailing spaces, which would make
// an item look like another one (and name a file "Drum Hall .dxp"); cut to
// the buffer.
void TrimNewName(const char* text, char* out, size_t size);

enum class RenameConflict { None, SameName, Conflict };

// Whether `newName` is taken where the list shows `oldLabel`: by a preset
// of the entry labelled `nodeLabel`, or for a node of kind ChainGroup by a
// chain. SameName when that item is the one being renamed: unchanged, or
// changed only in letter case, which renames it all the same.
RenameConflict FindRenameConflict(const StoreRecords& records, NodeKind nodeKind, const char* nodeLabel,
                                  const char* oldLabel, const char* newName);

// The system store's operations a rename uses, so that tests can make one
// of them fail.
struct SystemStoreOperations {
  int32_t (*putPreset)(Stores&, const PlugInEntry&, const PresetRecord&, StoreId, const StoreChange*);
  int32_t (*removePreset)(Stores&, const PlugInEntry&, const PresetRecord&, StoreId, const StoreChange*);
  int32_t (*rewriteChain)(Stores&, const ChainRecord&, const StoreChange*);
};
const SystemStoreOperations& RealSystemStoreOperations();

enum class RenameStep { None, WriteNew, RemoveOld };

struct RenameOutcome {
  bool renamed = false;       // the item now goes by the new name: the list keeps the new label
  bool bothStored = false;    // the store holds the item under both names, and so do the records
  bool takenInStore = false;  // the system store has an item of the new name that the records do not: nothing changed
  RenameStep failed = RenameStep::None;  // the step that failed, None when all went well
  int32_t status = 0;         // that step's status (negative)
  StoreFailure failure;       // what failed, in words
};

// Renames the item the list shows as `oldLabel` below the node `nodeLabel`
// of kind `nodeKind` (PlugIn: a preset of that entry; ChainGroup: a chain).
// An item that is no longer there is left alone (renamed false), and so is
// one whose new name another program has given to an item of the system
// store since it was read: writing would replace that item.
RenameOutcome RenameItem(Stores& stores, StoreId store, NodeKind nodeKind, const char* nodeLabel,
                         const char* oldLabel, const char* newName,
                         const SystemStoreOperations& operations = RealSystemStoreOperations());
