// Prints a store (a plug-in collection and a chain collection, either may be
// absent) for people or as JSON. `list` and `system` print the same way.
#pragma once

#include <cstdio>
#include <vector>

#include "model/unreadable_item.h"

class PlugInCollection;
class ChainCollection;

// A readable tree of the plug-ins with their presets and sizes, then the
// chains, then (when there are any) the items that could not be read, each
// with its reason.
void PrintStoreTree(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains,
                    const std::vector<UnreadableItem>* unreadable = nullptr);

// One line of JSON, UTF-8, keys in a fixed order, entries in collection order:
// {"plugins":[{"name","displayName","classKey","flags","presets":[{"name","size","data"}]}],
//  "chains":[{"name","keyName","flags","type","size","stream"}],
//  "unreadable":[{"type","plugin","keyName","name","file","reason"}]}
// data and stream (lowercase hex) only when `withData` is set; "unreadable"
// only when there are such items ("type" is "preset" or "chain", "plugin"
// empty for a chain).
void PrintStoreJson(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains, bool withData,
                    const std::vector<UnreadableItem>* unreadable = nullptr);
