#include "model/plugin_collection.h"

#include <cstdio>

#include "model/model_list.h"
#include "model/key_index.h"
#include "platform/text.h"

namespace {

// Below this many entries a walk is as quick as the index.
constexpr int32_t kIndexFrom = 16;

}  // namespace

PlugInCollection::~PlugInCollection() {
  KeyIndex_Destroy(searchIndex);
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

namespace {

// An entry is found by name through its name and, for an editor effect, its
// display name; by identity through its flags and class key, or, for an
// editor effect, through the names it matches.
bool AddToIndex(KeyIndex* index, const PlugInEntry* entry) {
  char display[kNameSize];
  IndexKey keys[2] = {{'N', 0, entry->name}, {'I', entry->flags, entry->classKey}};
  if (entry->IsEditor()) {
    entry->GetDisplayName(display, sizeof(display));
    keys[1] = IndexKey{'N', 0, display};
  }
  return KeyIndex_Add(index, entry, keys, 2);
}

bool SameFlags(const void* record, const void* context) {
  return static_cast<const PlugInEntry*>(record)->flags == static_cast<const PlugInEntry*>(context)->flags;
}

// The index of a large collection, made on first use; null when the
// collection is small or memory is short (then it is walked).
KeyIndex* SearchIndex(const PlugInCollection& collection) {
  if (collection.searchIndex == nullptr && collection.GetCount() >= kIndexFrom) {
    collection.searchIndex = KeyIndex_Build(collection.entries, [](KeyIndex* index, const void* record) {
      return AddToIndex(index, static_cast<const PlugInEntry*>(record));
    });
  }
  return collection.searchIndex;
}

}  // namespace

int32_t PlugInCollection::Append(PlugInEntry* entry) {
  int32_t status = ModelList_Append(&entries, entry);
  if (status == 0 && searchIndex != nullptr && !AddToIndex(searchIndex, entry)) {
    KeyIndex_Destroy(searchIndex);
    searchIndex = nullptr;
  }
  return status;
}

void PlugInCollection::RemoveAt(int32_t at) {
  PlugInEntry* entry = Get(at);
  if (entry != nullptr && searchIndex != nullptr) KeyIndex_Remove(searchIndex, entry);
  ModelList_RemoveAt(entries, at);
}

PlugInEntry* PlugInCollection::FindSamePlugInEntry(const PlugInEntry& entry) const {
  bool complete = false;
  KeyIndex* index = SearchIndex(*this);
  if (index != nullptr) {
    IndexKey key = entry.IsEditor() ? IndexKey{'N', 0, entry.name} : IndexKey{'I', entry.flags, entry.classKey};
    const void* found = KeyIndex_Find(index, key, SameFlags, &entry, &complete);
    if (complete) return static_cast<PlugInEntry*>(const_cast<void*>(found));
  }
  for (int32_t i = 0; i < GetCount(); ++i) {
    PlugInEntry* candidate = Get(i);
    if (candidate != nullptr && candidate->IsSamePlugIn(entry)) return candidate;
  }
  return nullptr;
}

PlugInEntry* PlugInCollection::FindPlugInEntryByName(const char* text) const {
  bool complete = false;
  KeyIndex* index = SearchIndex(*this);
  if (index != nullptr) {
    const void* found = KeyIndex_Find(index, IndexKey{'N', 0, text}, nullptr, nullptr, &complete);
    if (complete) return static_cast<PlugInEntry*>(const_cast<void*>(found));
  }
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
