// Pieces shared by the two text back ends.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes of the character at `text`, looking at no more than `available`
// bytes; a malformed sequence counts one byte.
size_t TextUtf8CharLength(const char* text, size_t available);

// Bytes of the character at `text` in the program's code page.
size_t TextCharLength(const char* text, size_t available);

size_t TextUtf8ToUtf16(const char* src, char16_t* dst, size_t dstUnits);
size_t TextUtf16ToUtf8(const char16_t* src, size_t srcUnits, char* dst, size_t dstSize);

// Decodes the character at `s` and moves past it: malformed input gives
// U+FFFD for each offending byte, as Windows converts it.
uint32_t TextUtf8Decode(const unsigned char*& s);
