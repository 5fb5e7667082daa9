// The registry seam: a hierarchical key/value store with the platform's
// calls and statuses (0, 2 not found, 5 access denied, 13 invalid data,
// 234 more data, 259 no more items). The Win32 build uses the real registry;
// the native build an in-memory one that behaves the same way, enumerating
// subkeys and values in case-insensitive name order as Wine does. Windows
// promises no order of values, so nothing may rely on it.
#pragma once

#include <cstdint>

#include "platform/status.h"
#include "platform/unique_handle.h"

constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

enum class RegRoot { CurrentUser, ClassesRoot, LocalMachine };
enum class RegAccess { Read, Write, All };
// On 64-bit Windows, 32-bit and 64-bit programs see different class
// registrations. Own is the view of the running program; Other that of the
// other bitness (the same keys where there is only one, and in the memory
// registry).
enum class RegView { Own, Other };

struct RegKeyRecord;
using RegKey = RegKeyRecord*;  // an open key; null means none

struct RegKeyInfo {
  uint32_t subKeyCount;
  uint32_t maxSubKeyLength;    // characters, without the NUL
  uint32_t valueCount;
  uint32_t maxValueNameLength; // characters, without the NUL
  uint32_t maxValueSize;       // bytes
  uint64_t lastWriteTime;      // 100-ns ticks; changes whenever the key's values or subkeys change
};

// The predefined key of a root. Closing it does nothing.
RegKey Reg_Root(RegRoot root);

// Opens or creates the key at `path` (backslash-separated, may be empty)
// below `parent`. Creating makes every missing key on the way.
int32_t Reg_OpenKey(RegKey parent, const char* path, RegAccess access, RegKey* out);
int32_t Reg_CreateKey(RegKey parent, const char* path, RegAccess access, RegKey* out);
// As Reg_OpenKey, in the given view of the registry.
int32_t Reg_OpenKeyInView(RegKey parent, const char* path, RegAccess access, RegView view, RegKey* out);
void Reg_CloseKey(RegKey key);

// Enumeration by index. `*nameSize` is the buffer size in bytes on entry and
// the name's length without its NUL on success; a name that does not fit
// gives 234 and nothing is stored. Past the last item: 259.
int32_t Reg_EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameSize);

// As Reg_EnumKey for values; `type`, `data` and `dataSize` may each be null.
// With data, `*dataSize` is its capacity on entry and the value's size on
// return; data that does not fit gives 234.
int32_t Reg_EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint32_t* type, void* data,
                      uint32_t* dataSize);

int32_t Reg_QueryInfo(RegKey key, RegKeyInfo* info);

// Reads a value (the empty name or null is the default value). Without data
// only the type and size are given; with data that does not fit, 234 and the
// size needed.
int32_t Reg_QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* dataSize);
int32_t Reg_SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size);
int32_t Reg_DeleteValue(RegKey key, const char* name);

// Deletes the key at `path` below `parent` with its values; a key that still
// has subkeys is refused (5). Reg_DeleteTree removes the subkeys as well.
int32_t Reg_DeleteKey(RegKey parent, const char* path);
int32_t Reg_DeleteTree(RegKey parent, const char* path);

// Text helpers over Reg_QueryValue/Reg_SetValue. Reg_QueryText accepts
// REG_SZ and REG_EXPAND_SZ (13 otherwise), always NUL-terminates, and gives
// 234 when the text with its NUL does not fit `size` bytes. A stored text
// may lack its NUL; that is handled here.
int32_t Reg_QueryText(RegKey key, const char* name, char* text, uint32_t size, uint32_t* type = nullptr);
int32_t Reg_QueryDword(RegKey key, const char* name, uint32_t* value);
int32_t Reg_SetText(RegKey key, const char* name, const char* text, uint32_t type = kRegSz);
int32_t Reg_SetDword(RegKey key, const char* name, uint32_t value);

struct RegKeyTraits {
  using Handle = RegKey;
  static Handle Empty() { return nullptr; }
  static void Close(Handle key) { Reg_CloseKey(key); }
};
// An open key, closed when it goes out of scope.
using ScopedRegKey = UniqueHandle<RegKeyTraits>;
