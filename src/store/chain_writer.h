// Writing chains into the system store and deleting them from it. Statuses
// as for the preset writers.
#pragma once

#include <cstdint>

#include "model/chain_record.h"

// Writes the chain below its key name: Flags, Name, Type, and Stream in the
// value below 256 bytes, else in a chain file named after the chain. Other
// keys that hold a chain of the same name are then removed with their
// files, so the store keeps one chain of a name. A key name that cannot name
// a key and folder of the store is refused (E_FAIL) and nothing is written.
int32_t WriteSystemChain(const ChainRecord& chain);

// Deletes the chain's key with its values, and its file if it has one.
int32_t DeleteSystemChain(const ChainRecord& chain);
