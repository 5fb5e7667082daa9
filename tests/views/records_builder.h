// Records built straight into a store's collections, for the views' tests.
#pragma once

#include <initializer_list>

#include "model/store_records.h"

// Adds an entry with presets of those names (a few bytes each).
PlugInEntry* AddEntry(StoreRecords& records, const char* name, std::initializer_list<const char*> presets,
                      bool editor = false);
void AddChain(StoreRecords& records, const char* name);
