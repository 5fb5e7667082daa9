// Named string tokens such as "$(AppName.Title)", expanded wherever the
// kernel formats text. One table per process, safe to use from any thread.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kVtTokenNameMax = 259;  // characters of a token name that count

// Replaces any token of that name (compared without regard to case) and
// inserts the new one. Non-zero on success; 0 when memory runs out, in which
// case an old token of that name is already gone.
int32_t VtPrintF_AddToken(const char* name, const char* value);

// Removes the token; true when there was one.
bool VtPrintF_DeleteToken(const char* name);

// Copies the value of the token named by the `nameLength` bytes at `name`
// into `value` (cut to `size`). False when no token has that name.
bool VtPrintF_FindToken(const char* name, size_t nameLength, char* value, size_t size);

// Frees every token (kernel shutdown).
void VtPrintF_DeleteAllTokens();
