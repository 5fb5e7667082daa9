// What a find keeps of a store: the presets and chains whose names hold the
// text, every preset of a plug-in whose own name holds it, and the plug-in
// entries that keep a preset. An inactive match keeps everything.
#pragma once

#include <cstdint>

#include "model/name_match.h"
#include "model/store_records.h"

// The entry's name as shown (its display name) holds the text: all its
// presets are kept.
bool KeepsWholeEntry(const PlugInEntry& entry, const NameMatch& match);
bool KeepsPreset(const PlugInEntry& entry, const PresetRecord& preset, const NameMatch& match);
// The entry keeps at least one preset.
bool KeepsEntry(const PlugInEntry& entry, const NameMatch& match);
bool KeepsChain(const ChainRecord& chain, const NameMatch& match);

// Some entry of the store is kept; some chain is kept.
bool KeepsAnyEntry(const StoreRecords& records, const NameMatch& match);
bool KeepsAnyChain(const StoreRecords& records, const NameMatch& match);

// The presets and chains kept, and all of them.
struct KeptCount {
  uint32_t kept;
  uint32_t total;
};
KeptCount CountKeptItems(const StoreRecords& records, const NameMatch& match);

// Removes from the store every preset, entry and chain the match does not
// keep (an entry goes when it keeps no preset).
void NarrowRecords(StoreRecords& records, const NameMatch& match);
