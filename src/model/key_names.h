// Which class keys and chain key names may name a registry key and a folder
// of the system store. Such names come from package files as well as from
// the registry, so both the package reader and the store's writers ask here.
#pragma once

#include <cstddef>

// False for an empty name, ".", "..", and a name holding "\", "/", ":" or a
// control character: such a name could lead out of the store's keys and
// folders.
bool IsSafeKeyName(const char* name);

// True when the name holds at most `chars` UTF-16 units: a field of
// `chars` + 1 units holds it whole, its NUL included.
bool NameFitsUnits(const char* name, size_t chars);
