// Noticing changes in the registry without reading it all again: a subkey
// enumeration that also gives each subkey's last-write time, and watches
// that tell whether anything below a key has changed.
#pragma once

#include <cstdint>

#include "platform/registry.h"

// As Reg_EnumKey, also giving the subkey's last-write time (the scale of
// RegKeyInfo::lastWriteTime), in the same single call on Windows.
int32_t Reg_EnumKeyWithTime(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint64_t* lastWriteTime);

// A watch on one key and everything below it. Owned by whoever started it,
// ended with RegWatch_Stop.
struct RegWatchRecord;
using RegWatch = RegWatchRecord*;

// Starts watching the existing key at `path` below `parent`. Gives 0 and the
// watch, or a non-zero status and null (the key is missing, or the platform
// cannot watch it).
int32_t RegWatch_Start(RegKey parent, const char* path, RegWatch* out);

// True once anything below the key may have changed since the watch started:
// a value set or deleted, a subkey created or deleted, the key itself
// deleted. It stays true; start a new watch to go on watching. A null watch
// always counts as fired.
bool RegWatch_Fired(RegWatch watch);

// Null is fine.
void RegWatch_Stop(RegWatch watch);

struct RegWatchTraits {
  using Handle = RegWatch;
  static Handle Empty() { return nullptr; }
  static void Close(Handle watch) { RegWatch_Stop(watch); }
};
// A watch, stopped when it goes out of scope.
using ScopedRegWatch = UniqueHandle<RegWatchTraits>;
