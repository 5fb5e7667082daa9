// String resources: a string handle reads one module's string table (or the
// table of its language module), hands out texts from a ring buffer, and
// keeps in-memory tables of built-in texts that string resources override.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/string_resource.h"

constexpr int32_t kVtRingDefault = 8192;
constexpr int32_t kVtRingSmall = 2048;
constexpr size_t kVtRingReserve = 1024;  // a text starts over at the front when less is left

struct VtLang;  // opaque; owned by whoever opened it, freed by VtLang_Close

// Opens a handle for `module` (null: the running program). Next to the
// module it loads the language module, if there is one, and reads
// `language`'s strings from it first. A ring size of 0 means 8192 bytes;
// sizes up to 2048 mean 2048. Gives 0 or E_OUTOFMEMORY.
int32_t VtLang_Open(VtLang** out, VtModule module, uint32_t language, int32_t ringSize);
// Frees the handle, its tables and its language module. Null is fine.
void VtLang_Close(VtLang* handle);

// Reads string `id` into `buffer` (cut to `size`) and gives its length; a
// leading "^*" is dropped. A missing string gives an empty text. A null
// handle reads the running program's strings.
int32_t VtLoadString(VtLang* handle, uint32_t id, char* buffer, size_t size);

// As VtLoadString, into the handle's ring buffer. The text stays valid until
// the ring wraps: copy it if it is needed beyond the next few loads.
const char* VtGetString(VtLang* handle, uint32_t id);

// Registers `count` texts for the identifiers `first` to `first + count - 1`.
// The texts are not copied: they must outlive the handle (static tables).
// A range that overlaps a registered one gives E_INVALIDARG.
int32_t VtLang_AddStringTable(VtLang* handle, const char* const* texts, uint32_t count, uint32_t first);

// The text of `id` from the registered tables: on first use the string
// resource of that number if there is one, else the table's text; kept and
// handed out again. An identifier in no table gives
// "VtGetString2(uId=<id>, ERROR)"; a handle without tables an empty text.
const char* VtGetString2(VtLang* handle, uint32_t id);

void VtLang_DestroyStringTables(VtLang* handle);
