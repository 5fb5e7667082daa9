// Why an item of the system store could not be read, and the list of such
// items that a load of the store keeps beside its collections.
#pragma once

#include <cstddef>
#include <cstdint>

// Describes in `reason` why the file `path` that a value names could not be
// read, from the status of the read (that of ReadPresetBytes) and a look at
// the file now: "its file is missing", "its file is a folder", "its file
// names a device", "its file is in use by another program", "its file is
// too large to read into memory", "its file is named by a relative path",
// "its file is on a network path that could not be read", ...
void DescribeUnreadableFile(const char* path, int32_t status, char* reason, size_t size);

// True for a path whose last part names one of the system's devices (NUL,
// CON, COM1, LPT1, ...), whatever the folder or extension, or that lies in
// the device namespace.
bool IsDevicePath(const char* path);
