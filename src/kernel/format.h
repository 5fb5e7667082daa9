// The kernel's formatting: printf-style conversions plus string tokens and
// numbers written the user's way. Every call is bounded by the destination's
// size and cuts the result at a character boundary.
//
//   "$$"             one "$"
//   "%%", "$%"       one "%"
//   "$(Name)"        the value of token Name (any case); unchanged when there
//                    is no such token; a token's value is not expanded again
//   "$(1234567.5)"   the number with the user's grouping: "1,234,567.5"
//   "%..."           printf flags, width and precision with d i u x X o c s
//                    e E f g G, the length prefixes h, l, ll and I64
//   "$..."           the same, but d, i, u and the floating-point
//                    conversions are written with the user's grouping and
//                    decimal separator
//
// An unknown conversion is copied as it stands and takes no argument.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// Writes the expansion of `format` into `dest` (always NUL-terminated when
// `size` > 0) and gives its length in bytes.
int32_t VtSnPrintF(char* dest, size_t size, const char* format, ...);
int32_t VtVSnPrintF(char* dest, size_t size, const char* format, va_list args);

// True when formatting could change `text` (it holds a "%" or a "$").
bool VtFormat_NeedsExpansion(const char* text);
