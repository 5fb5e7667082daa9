#include "model/plugin_entry.h"

#include <cstdio>
#include <cstring>

#include "model/key_index.h"
#include "model/model_list.h"
#include "platform/text.h"

namespace {

// Below this many presets a walk is as quick as the index.
constexpr int32_t kIndexFrom = 32;

bool AddToIndex(KeyIndex* index, const PresetRecord* preset) {
  IndexKey key{'N', 0, preset->name};
  return KeyIndex_Add(index, preset, &key, 1);
}

}  // namespace

PlugInEntry::PlugInEntry(const char* entryName, const char* entryClassKey)
    : flags(0), presets(nullptr), presetIndex(nullptr) {
  SetName(entryName);
  Text_Copy(classKey, sizeof(classKey), entryClassKey != nullptr ? entryClassKey : "");
}

PlugInEntry::~PlugInEntry() {
  KeyIndex_Destroy(presetIndex);
  ModelList_Destroy(presets);
}

PlugInEntry* PlugInEntry::Create(const char* entryName, const char* entryClassKey) {
  PlugInEntry* entry = NewModelObject<PlugInEntry>(entryName, entryClassKey);
  if (entry == nullptr) return nullptr;
  if (ModelList_Create(&entry->presets) != 0) {
    DestroyModelObject(entry);
    return nullptr;
  }
  return entry;
}

PlugInEntry* PlugInEntry::CopyIdentity(const PlugInEntry& other) {
  PlugInEntry* entry = Create(other.name, other.classKey);
  if (entry != nullptr) entry->flags = other.flags;
  return entry;
}

void PlugInEntry::SetName(const char* entryName) {
  Text_Copy(name, sizeof(name), entryName != nullptr ? entryName : "");
}

void PlugInEntry::GetDisplayName(char* buffer, size_t size) const {
  if (size == 0) return;
  if (size > kNameSize) size = kNameSize;
  if (!IsEditor()) {
    Text_Copy(buffer, size, name);
    return;
  }
  Text_Copy(buffer, size, kEditorProductWords);
  Text_Append(buffer, size, " ");
  Text_Append(buffer, size, name);
}

bool PlugInEntry::MatchesName(const char* text) const {
  if (Text_EqualNoCase(text, name)) return true;
  if (!IsEditor()) return false;
  char display[kNameSize];
  GetDisplayName(display, sizeof(display));
  return Text_EqualNoCase(text, display);
}

bool PlugInEntry::IsSamePlugIn(const PlugInEntry& other) const {
  if (flags != other.flags) return false;
  if (!IsEditor()) return Text_Equal(classKey, other.classKey);
  return MatchesName(other.name);
}

PresetRecord* PlugInEntry::FindPresetRecord(const char* presetName) const {
  if (presetIndex == nullptr && GetPresetCount() >= kIndexFrom) {
    presetIndex = KeyIndex_Build(presets, [](KeyIndex* index, const void* record) {
      return AddToIndex(index, static_cast<const PresetRecord*>(record));
    });
  }
  if (presetIndex != nullptr) {
    bool complete = false;
    const void* found = KeyIndex_Find(presetIndex, IndexKey{'N', 0, presetName}, nullptr, nullptr, &complete);
    if (complete) return static_cast<PresetRecord*>(const_cast<void*>(found));
  }
  for (int32_t i = 0; i < GetPresetCount(); ++i) {
    PresetRecord* preset = GetPreset(i);
    if (preset != nullptr && Text_EqualNoCase(preset->name, presetName)) return preset;
  }
  return nullptr;
}

int32_t PlugInEntry::FindPreset(const char* presetName) const {
  const PresetRecord* found = FindPresetRecord(presetName);
  return found != nullptr ? VtList_IndexOf(presets, found) : -1;
}

int32_t PlugInEntry::GetPresetCount() const { return VtList_Count(presets); }

PresetRecord* PlugInEntry::GetPreset(int32_t index) const { return ModelList_At<PresetRecord>(presets, index); }

int32_t PlugInEntry::AppendPreset(PresetRecord* preset) {
  int32_t status = ModelList_Append(&presets, preset);
  if (status == 0 && presetIndex != nullptr && !AddToIndex(presetIndex, preset)) {
    KeyIndex_Destroy(presetIndex);
    presetIndex = nullptr;
  }
  return status;
}

void PlugInEntry::RemovePreset(int32_t index) {
  PresetRecord* preset = GetPreset(index);
  if (preset != nullptr && presetIndex != nullptr) KeyIndex_Remove(presetIndex, preset);
  ModelList_RemoveAt(presets, index);
}

void PlugInEntry::RenamePreset(int32_t index, const char* presetName) {
  PresetRecord* preset = GetPreset(index);
  if (preset == nullptr) return;
  preset->SetName(presetName);
  // Its place among the other presets of its new name is its place in the
  // list, which the index cannot tell: it is made again when next needed.
  KeyIndex_Destroy(presetIndex);
  presetIndex = nullptr;
}
