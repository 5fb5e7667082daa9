#include "model/plugin_collection.h"

#include <cstdio>

#include "model/model_list.h"
#include "model/plugin_index.h"
#include "platform/text.h"

namespace {

// Below this many entries a walk is as quick as the index.
constexpr int32_t kIndexFrom = 16;

}  // namespace

PlugInCollection::~PlugInCollection() {
  PlugInIndex_Destroy(searchIndex);
  ModelList_Destroy(entries);
}

PlugInCollection* PlugInCollection::Create() {
  PlugInCollection* collection = NewModelObject<PlugInCollection>();
  if (collection == nullptr) return nullptr;
  if (ModelList_Create(&collection->entries) != 0) {
    DestroyModelObject(collection);
    return nullptr;
  }
  return collection;
}

int32_t PlugInCollection::GetCount() const { return VtList_Count(entries); }

PlugInEntry* PlugInCollection::Get(int32_t index) const { return ModelList_At<PlugInEntry>(entries, index); }

int32_t PlugInCollection::Append(PlugInEntry* entry) {
  int32_t status = ModelList_Append(&entries, entry);
  if (status == 0 && searchIndex != nullptr && !PlugInIndex_Add(searchIndex, entry)) {
    PlugInIndex_Destroy(searchIndex);
    searchIndex = nullptr;
  }
  return status;
}

void PlugInCollection::RemoveAt(int32_t at) {
  PlugInEntry* entry = Get(at);
  if (entry != nullptr && searchIndex != nullptr) PlugInIndex_Remove(searchIndex, entry);
  ModelList_RemoveAt(entries, at);
}

namespace {

// Makes the index of a large collection when it has none; null when the
// collection is small or memory is short (then it is walked).
PlugInIndex* SearchIndex(const PlugInCollection& collection) {
  if (collection.searchIndex != nullptr || collection.GetCount() < kIndexFrom) return collection.searchIndex;
  PlugInIndex* index = PlugInIndex_Create();
  for (int32_t i = 0; index != nullptr && i < collection.GetCount(); ++i) {
    PlugInEntry* entry = collection.Get(i);
    if (entry != nullptr && !PlugInIndex_Add(index, entry)) {
      PlugInIndex_Destroy(index);
      index = nullptr;
    }
  }
  collection.searchIndex = index;
  return index;
}

}  // namespace

PlugInEntry* PlugInCollection::FindSamePlugInEntry(const PlugInEntry& entry) const {
  bool complete = false;
  PlugInIndex* indexed = SearchIndex(*this);
  PlugInEntry* found = indexed != nullptr ? PlugInIndex_FindSame(indexed, entry, &complete) : nullptr;
  if (complete) return found;
  for (int32_t i = 0; i < GetCount(); ++i) {
    PlugInEntry* candidate = Get(i);
    if (candidate != nullptr && candidate->IsSamePlugIn(entry)) return candidate;
  }
  return nullptr;
}

PlugInEntry* PlugInCollection::FindPlugInEntryByName(const char* text) const {
  bool complete = false;
  PlugInIndex* indexed = SearchIndex(*this);
  PlugInEntry* found = indexed != nullptr ? PlugInIndex_FindByName(indexed, text, &complete) : nullptr;
  if (complete) return found;
  for (int32_t i = 0; i < GetCount(); ++i) {
    PlugInEntry* candidate = Get(i);
    if (candidate != nullptr && candidate->MatchesName(text)) return candidate;
  }
  return nullptr;
}

int32_t PlugInCollection::FindSamePlugIn(const PlugInEntry& entry) const {
  const PlugInEntry* found = FindSamePlugInEntry(entry);
  return found != nullptr ? VtList_IndexOf(entries, found) : -1;
}

int32_t PlugInCollection::FindPlugInByName(const char* text) const {
  const PlugInEntry* found = FindPlugInEntryByName(text);
  return found != nullptr ? VtList_IndexOf(entries, found) : -1;
}

uint32_t PlugInCollection::GetTotalPresetCount() const {
  uint32_t total = 0;
  for (int32_t i = 0; i < GetCount(); ++i) {
    const PlugInEntry* entry = Get(i);
    if (entry != nullptr) total += static_cast<uint32_t>(entry->GetPresetCount());
  }
  return total;
}

void FormatNotInstalledName(uint32_t number, char* buffer, size_t size) {
  char text[32];
  snprintf(text, sizeof(text), "Not Installed %03u", number);
  Text_Copy(buffer, size, text);
}

void PlugInCollection::MakeNotInstalledName(char* buffer, size_t size) const {
  uint32_t count = static_cast<uint32_t>(GetCount());
  char candidate[32];
  uint32_t k = 0;
  for (; k < count; ++k) {
    FormatNotInstalledName(k, candidate, sizeof(candidate));
    if (FindPlugInEntryByName(candidate) == nullptr) break;
  }
  FormatNotInstalledName(k, buffer, size);
}
