// What the preset and chain writers share: the DefLocation folder of a store
// key, the preset files kept there, and the value that holds either the
// bytes or the path of their file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/registry.h"

// Creates (or opens) the store key at `storePath` below HKEY_CURRENT_USER
// and the item's key below it, for all access. A store key without
// DefLocation first gets one (REG_EXPAND_SZ): the running program's folder
// followed by `subfolder`; one already there is left as it is. Gives the
// first failing status: negative when the program's folder cannot be had,
// else the registry's.
int32_t CreateItemKey(const char* storePath, const char* subfolder, const char* itemKeyName, ScopedRegKey* storeKey,
                      ScopedRegKey* itemKey);

// DefLocation as text, whatever its type, never expanded; at most 259
// characters. Gives the registry's status, or 234 when it is longer.
int32_t ReadDefLocation(RegKey storeKey, char* text, uint32_t size);

// Sets the value `valueName` of `itemKey` to `data`: in the value itself
// (REG_BINARY) below the file threshold, else in a file of the folder named
// after `folderKeyName` below the DefLocation of `storeKey`, named after
// `itemName` with `extension`, and the value to its path (REG_SZ). The file
// is written whole beside its place and then moved there, so a failed write
// leaves the old file and the value as they were (E_RIFF_WRITE). A file of
// that name that belongs to another item is not overwritten: the new file
// takes a numbered name. Gives the status of the last registry call.
int32_t WriteItemValue(RegKey storeKey, RegKey itemKey, const char* folderKeyName, const char* valueName,
                       const char* itemName, const char* extension, const void* data, uint32_t size);

// Deletes the file that the REG_SZ value `valueName` of `key` names, if it
// is one; a file that cannot be deleted is left.
void DeleteValueFile(RegKey key, const char* valueName);
