// The plug-in entries of one store, in the order they were added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/indexed_list.h"
#include "model/plugin_entry.h"

class PlugInCollection {
 public:
  PlugInCollection();
  PlugInCollection(const PlugInCollection&) = delete;
  PlugInCollection& operator=(const PlugInCollection&) = delete;

  static std::unique_ptr<PlugInCollection> Create();  // null when memory is short

  int32_t GetCount() const { return entries_.Count(); }
  PlugInEntry* Get(int32_t index) const { return entries_.At(index); }
  const std::vector<std::unique_ptr<PlugInEntry>>& Entries() const { return entries_.Items(); }
  // On E_OUTOFMEMORY the entry is destroyed and the collection is unchanged.
  int32_t Append(std::unique_ptr<PlugInEntry> entry) { return entries_.Append(std::move(entry)); }
  // Destroys the entry and removes it.
  void Remove(const PlugInEntry* entry) { entries_.RemoveAt(entries_.IndexOf(entry)); }
  int32_t IndexOf(const PlugInEntry* entry) const { return entries_.IndexOf(entry); }
  // Moves the entry to `index` (clamped), the others keeping their order.
  void Move(const PlugInEntry* entry, int32_t index) { entries_.Move(entries_.IndexOf(entry), index); }
  // The entry's name changed: searches by name must find it under the new one.
  void NamesChanged() { entries_.KeysChanged(); }

  // The first entry E for which E.IsSamePlugIn(entry) holds, or null.
  PlugInEntry* FindSamePlugIn(const PlugInEntry& entry) const;
  // The first entry that MatchesName(text), or null.
  PlugInEntry* FindPlugInByName(const char* text) const;
  uint32_t GetTotalPresetCount() const;
  // "Not Installed %03u" with the first number that no entry's name matches.
  void MakeNotInstalledName(char* buffer, size_t size) const;

 private:
  IndexedList<PlugInEntry> entries_;
};

// Forms "Not Installed %03u" for `number`, cut to the buffer.
void FormatNotInstalledName(uint32_t number, char* buffer, size_t size);
