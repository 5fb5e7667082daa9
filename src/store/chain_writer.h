// Writing chains into the system store and deleting them from it. Statuses
// and `write` as for the preset writers.
#pragma once

#include <cstdint>

#include "model/chain_record.h"
#include "store/store_files.h"

// Writes the chain below its key name: Flags, Name, Type, and Stream in the
// value below 256 bytes, else in a chain file named after the chain below
// DefLocation. Only that key changes. A key name that cannot name a key and
// folder of the store is refused (E_FAIL) and nothing is written.
int32_t WriteSystemChain(const ChainRecord& chain, SystemWrite* write = nullptr);

// Deletes the chain's key with its values, and the file its stream names
// when the store owns it alone.
int32_t DeleteSystemChain(const ChainRecord& chain, SystemWrite* write = nullptr);

// True when a key of that name exists below the chains key.
bool ChainKeyExists(const char* keyName);
// True when that key holds a chain named `chainName` (any letter case).
bool ChainKeyHolds(const char* keyName, const char* chainName);
