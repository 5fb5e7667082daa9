// The preset package file (.vtpreset): a RIFF form "VTPD" carrying plug-in
// entries with their presets and effect chains from one computer to another.
#pragma once

#include <cstdint>

class PlugInCollection;
class ChainCollection;

// Reads the package at `path` into two new, empty collections, appending in
// file order. Names are taken as the file holds them (the caller may show a
// plug-in under the name its class is registered with on this computer). On
// failure their contents are undefined and the caller destroys them.
// Statuses: E_FILE_OPEN, E_PACKAGE_FORMAT (not a package, a broken
// structure, a member without its header, or an unsafe class key or chain
// key name), E_RIFF_READ, E_OUTOFMEMORY. When the file is at fault,
// `problem` (optional) receives a lasting text saying what is wrong with it,
// such as "the package has no format chunk"; otherwise null.
int32_t ReadPackage(const char* path, PlugInCollection& plugIns, ChainCollection& chains,
                    const char** problem = nullptr);

// Writes the collections (either may be null: empty) to `path`. The package
// is written to a temporary file in the same folder, flushed, and only then
// moved over `path`; on failure `path` is left as it was and the temporary
// file is removed. Records the reader would refuse are left out: presets
// without data, chains without a stream or with an unsafe key name, entries
// with an unsafe class key or without such presets. A name longer than its
// field is never cut: nothing is written and the status is the platform's
// "file name too long". Statuses: E_FILE_CREATE, E_RIFF_WRITE.
int32_t WritePackage(const char* path, const PlugInCollection* plugIns, const ChainCollection* chains);
