// Texts in the program's code page: 8-bit, NUL-terminated. The code page is
// UTF-8 natively and wherever the Windows manifest setting is honoured; older
// Windows falls back to its ANSI code page. Every function here is bounded by
// the size of its destination and cuts texts at a character boundary.
#pragma once

#include <cstddef>
#include <cstdint>

// Length in bytes of the longest start of `text` that holds at most
// `maxBytes` bytes and ends at a character boundary.
size_t Text_CutLength(const char* text, size_t maxBytes);

// Copies `src` into `dst` of `dstSize` bytes, cut at a character boundary,
// always NUL-terminated (when dstSize > 0). Gives the bytes copied.
size_t Text_Copy(char* dst, size_t dstSize, const char* src);

// Appends `src` to the text in `dst`, cut the same way. Gives the new length.
size_t Text_Append(char* dst, size_t dstSize, const char* src);

// Converts to UTF-16 into `dst` of `dstUnits` units, NUL-terminated, cut
// before a character that does not fit whole. Gives the units written.
size_t Text_ToUtf16(const char* src, char16_t* dst, size_t dstUnits);

// Converts UTF-16 (up to its NUL or `srcUnits` units, whichever comes first)
// into `dst` of `dstSize` bytes, NUL-terminated, cut at a character boundary.
// Gives the bytes written.
size_t Text_FromUtf16(const char16_t* src, size_t srcUnits, char* dst, size_t dstSize);

// Comparisons that sort what is shown: negative, 0 or positive. The
// case-insensitive one is the platform's locale-aware comparison on Windows
// and Unicode simple case folding natively. They never decide whether two
// names are the same name; Text_CompareNames and the equalities below do.
int Text_CompareNoCase(const char* a, const char* b);
int Text_Compare(const char* a, const char* b);

// The registry's order of names: ordinal over UTF-16 units, each upper-cased
// by the simple one-to-one mapping. No normalisation, nothing ignored: two
// names are one name exactly when this gives 0, on every platform.
int Text_CompareNames(const char* a, const char* b);

// The identity of names: Text_CompareNames gives 0 (letter case aside), or
// the same units (letter case counts).
bool Text_EqualNoCase(const char* a, const char* b);
bool Text_Equal(const char* a, const char* b);

// A key for hashing names: two texts have the same key exactly when they
// are equal under Text_EqualNoCase (ignoreCase) or Text_Equal. Two bytes a
// UTF-16 unit. Writes it to `key` and gives its length, or 0 when it does
// not fit in `size` bytes.
size_t Text_SortKey(const char* text, bool ignoreCase, unsigned char* key, size_t size);

// True when the code page is UTF-8 (always natively).
bool Text_IsUtf8();
