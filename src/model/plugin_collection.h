// The plug-in entries of one store, in the order they were added.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/item_list.h"
#include "model/model_object.h"
#include "model/plugin_entry.h"

struct KeyIndex;

struct PlugInCollection final : ModelObject {
  VtList* entries;              // owned plug-in entries
  mutable KeyIndex* searchIndex;  // owned; made by the first search of a large collection, kept by Append and RemoveAt

  PlugInCollection() : entries(nullptr), searchIndex(nullptr) {}
  ~PlugInCollection() override;
  PlugInCollection(const PlugInCollection&) = delete;
  PlugInCollection& operator=(const PlugInCollection&) = delete;

  static PlugInCollection* Create();  // null when memory is short

  int32_t GetCount() const;
  PlugInEntry* Get(int32_t index) const;
  // The collection owns the entry only on success.
  int32_t Append(PlugInEntry* entry);
  // Destroys the entry at `index` and removes it.
  void RemoveAt(int32_t index);

  // First entry E for which E.IsSamePlugIn(entry) holds, or -1.
  int32_t FindSamePlugIn(const PlugInEntry& entry) const;
  // First entry that MatchesName(text), or -1.
  int32_t FindPlugInByName(const char* text) const;
  // The same two searches giving the entry itself (or null): they take
  // constant time on large collections, where finding the index would not.
  PlugInEntry* FindSamePlugInEntry(const PlugInEntry& entry) const;
  PlugInEntry* FindPlugInEntryByName(const char* text) const;
  uint32_t GetTotalPresetCount() const;
  // "Not Installed %03u" with the first number that no entry's name matches.
  void MakeNotInstalledName(char* buffer, size_t size) const;
};

// Forms "Not Installed %03u" for `number`, cut to the buffer.
void FormatNotInstalledName(uint32_t number, char* buffer, size_t size);
