// Finds a collection's plug-in entries by identity and by name without
// walking them all: a copy of thousands of presets looks up its destination
// entry once per preset. Entries are kept under keys made by
// Text_SortKey, so a lookup finds exactly what a walk with the model's
// comparisons would, first in collection order.
//
// The index holds entry pointers, not indexes, so removing an entry costs
// only its own buckets. It relies on an indexed entry keeping its name,
// class key and flags while it is in the collection.
#pragma once

struct PlugInEntry;
struct PlugInIndex;  // owned by its collection

// Null when memory is short; the collection then walks its entries.
PlugInIndex* PlugInIndex_Create();
void PlugInIndex_Destroy(PlugInIndex* index);

// Adds an entry that was appended to the collection. False when memory is
// short or a key cannot be made: the index is then no longer complete and
// must be dropped.
bool PlugInIndex_Add(PlugInIndex* index, PlugInEntry* entry);
void PlugInIndex_Remove(PlugInIndex* index, PlugInEntry* entry);

// The first entry E with E.IsSamePlugIn(entry), or with E.MatchesName(text);
// null when there is none. `*complete` is false when the question could
// not be put to the index, and the caller must walk instead.
PlugInEntry* PlugInIndex_FindSame(PlugInIndex* index, const PlugInEntry& entry, bool* complete);
PlugInEntry* PlugInIndex_FindByName(PlugInIndex* index, const char* text, bool* complete);
