// The platform's own words for one of its error codes, for statuses made
// from them (0x8007xxxx) that the program's own texts do not explain.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies the text into `buffer` (cut to its size); false when the platform
// has none for the code.
bool Platform_ErrorText(uint32_t code, char* buffer, size_t size);
