// A key that the registry refuses stable subkeys below, as Windows does for
// a volatile key: natively in the memory registry, under Wine a real one
// (it lives only while the Wine server runs).
#pragma once

#include <string>

// Creates the key at `path` below HKEY_CURRENT_USER, and every missing key
// above it, as volatile keys. False when it cannot.
bool CreateVolatileKey(const std::string& path);
