// Test hooks of the in-memory registry of the native build.
#pragma once

#include <cstdint>

#include "platform/registry.h"

// Removes every key and value below the three roots. Open keys become
// deleted keys (their calls give 1018).
void MemoryRegistry_Clear();

// Keys that refuse changes, as a real registry may.
// Creates the key at `path` as a volatile key, as RegCreateKeyEx with
// REG_OPTION_VOLATILE does: creating a (non-volatile) subkey below it then
// gives 1021. Gives the status of the creation.
int32_t MemoryRegistry_CreateVolatileKey(RegRoot root, const char* path);
// Makes the existing key at `path` refuse every change of its own values
// and subkeys with `error` (0 lifts the refusal): setting and deleting
// values, creating and deleting subkeys.
int32_t MemoryRegistry_RefuseChanges(RegRoot root, const char* path, int32_t error);
