// Prints a store (a plug-in collection and a chain collection, either may be
// absent) for people or as JSON. `list` and `system` print the same way.
#pragma once

#include <cstdio>

class PlugInCollection;
class ChainCollection;

// A readable tree of the plug-ins with their presets and sizes, then the chains.
void PrintStoreTree(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains);

// One line of JSON, UTF-8, keys in a fixed order, entries in collection order:
// {"plugins":[{"name","displayName","classKey","flags","presets":[{"name","size","data"}]}],
//  "chains":[{"name","keyName","flags","type","size","stream"}]}
// data and stream (lowercase hex) only when `withData` is set.
void PrintStoreJson(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains, bool withData);
