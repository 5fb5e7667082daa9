// The name under which a plug-in class is registered on this computer.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads the default value of HKEY_CLASSES_ROOT\CLSID\<classKey> into
// `buffer`, in the program's own registry view and, when that gives no name,
// in the other one: on 64-bit Windows a plug-in of the other bitness is
// registered only there. Gives 0 with the name, or the own view's non-zero
// status: 234 when the buffer is smaller than 40 bytes or the name does not
// fit, 13 when the value is not a REG_SZ, or the registry's status when the
// key or value is missing.
int32_t LookupRegisteredName(const char* classKey, char* buffer, size_t size);

class PlugInCollection;

// Gives every DirectShow plug-in of a package the name its class is
// registered with on this computer, where it is registered with a name; the
// others keep the name the package holds. Editor effects keep theirs.
void ApplyRegisteredNames(PlugInCollection& plugIns);
