#include "model/plugin_collection.h"

#include <cstdio>

#include "model/model_list.h"
#include "platform/text.h"

PlugInCollection::~PlugInCollection() { ModelList_Destroy(entries); }

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

int32_t PlugInCollection::Append(PlugInEntry* entry) { return ModelList_Append(&entries, entry); }

void PlugInCollection::RemoveAt(int32_t index) { ModelList_RemoveAt(entries, index); }

int32_t PlugInCollection::FindSamePlugIn(const PlugInEntry& entry) const {
  for (int32_t i = 0; i < GetCount(); ++i) {
    const PlugInEntry* candidate = Get(i);
    if (candidate != nullptr && candidate->IsSamePlugIn(entry)) return i;
  }
  return -1;
}

int32_t PlugInCollection::FindPlugInByName(const char* text) const {
  for (int32_t i = 0; i < GetCount(); ++i) {
    const PlugInEntry* candidate = Get(i);
    if (candidate != nullptr && candidate->MatchesName(text)) return i;
  }
  return -1;
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
    if (FindPlugInByName(candidate) < 0) break;
  }
  FormatNotInstalledName(k, buffer, size);
}
