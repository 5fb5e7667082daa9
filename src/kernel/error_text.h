// Explanations of statuses in words, as the error-report box appends them
// to an operation's text and as ordalis-cli prints them.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies the explanation of `status` into `buffer` (cut to its size). The
// program's own explanations begin with two line breaks, and so do the
// platform's words for a platform error (0x8007xxxx) the program does not
// explain; any other status gives "Error 0x%08x (message missing)".
void VtGetErrorExplanation(int32_t status, char* buffer, size_t size);
