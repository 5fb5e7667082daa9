// The paths that values of the system store name: when two name one file,
// whether a file lies in the store's own folders, whether it may be
// deleted, and whether a DefLocation is a folder that files can go into.
#pragma once

#include <cstddef>
#include <string>

// A key that two spellings of one path share: "/" and "\" alike, repeated
// separators, "." and ".." resolved, the dots and blanks the file system
// drops at a name's end dropped, and letter case folded. False when memory
// is short.
bool MakePathKey(const char* path, std::string* key);

// True when `path` lies below the folder `folder` (both full paths), in the
// sense of the keys above.
bool IsBelowFolder(const char* path, const char* folder);

// The length of a path as the platform counts it, in UTF-16 units.
size_t PathUnits(const char* path);

// True for an existing file that is neither a folder nor a device.
bool IsPlainFile(const char* path);

// Why files cannot be written below a DefLocation, or null when they can:
// it must be an absolute folder path, not empty, relative or
// drive-relative, and hold no unexpanded %VARIABLE% (DefLocation is never
// expanded, so a file would land in a folder of that very name).
const char* DefLocationProblem(const char* location);
