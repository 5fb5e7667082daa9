// Paths written the Unix way, as file managers and scripts pass them to a
// program under Wine: Wine's own kernel32 maps them to a drive path. On
// Windows the mapping is not there and such a path stays unknown.
#pragma once

#include <cstddef>

// Writes the drive path of `unixPath` ("/home/me/bank.vtpreset" becomes
// "Z:\home\me\bank.vtpreset") into `out`; false without Wine's mapping,
// when it knows no drive for the path, or when the result does not fit.
bool MapUnixPath(const char* unixPath, char* out, size_t size);
