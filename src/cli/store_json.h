// Reads a store from the JSON that PrintStoreJson writes with data, so that
// `create --from-json` takes what `list --json --data` gives.
#pragma once

#include "cli/json_reader.h"

#include <cstddef>

class PlugInCollection;
class ChainCollection;
class PlugInEntry;
struct ChainRecord;

// Room for the words of a refused record with its names.
constexpr size_t kProblemSize = 2200;

// What `create` refuses, for records from anywhere (`check` asks the same of
// a package): false with the reason in `problem` when the record could not
// be written into a package and imported whole.
bool IsPackagePlugIn(const PlugInEntry& entry, char* problem, size_t size);
bool IsPackageChain(const ChainRecord& chain, char* problem, size_t size);

// Appends the document's plug-in entries and chains to the collections.
// Every key of the shape is required except "displayName" and "size", which
// are checked and ignored. Refuses what a package could not give back: names
// longer than their fields, empty data or streams, plug-ins without presets,
// class keys and chain key names that the package reader refuses; and what
// an import into the system store would refuse: class keys and effect names
// that cannot name a key there, preset names that would not come back as
// presets. Gives false with the reason in the reader's error; the
// collections then hold part of the document.
bool ReadStoreJson(JsonReader* reader, PlugInCollection* plugIns, ChainCollection* chains);
