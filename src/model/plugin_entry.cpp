#include "model/plugin_entry.h"

#include <cstdio>
#include <cstring>

#include "model/model_list.h"
#include "platform/text.h"

PlugInEntry::PlugInEntry(const char* entryName, const char* entryClassKey) : flags(0), presets(nullptr) {
  SetName(entryName);
  Text_Copy(classKey, sizeof(classKey), entryClassKey != nullptr ? entryClassKey : "");
}

PlugInEntry::~PlugInEntry() { ModelList_Destroy(presets); }

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

int32_t PlugInEntry::FindPreset(const char* presetName) const {
  for (int32_t i = 0; i < VtList_Count(presets); ++i) {
    const PresetRecord* preset = GetPreset(i);
    if (preset != nullptr && Text_EqualNoCase(preset->name, presetName)) return i;
  }
  return -1;
}

int32_t PlugInEntry::GetPresetCount() const { return VtList_Count(presets); }

PresetRecord* PlugInEntry::GetPreset(int32_t index) const { return ModelList_At<PresetRecord>(presets, index); }

int32_t PlugInEntry::AppendPreset(PresetRecord* preset) { return ModelList_Append(&presets, preset); }

void PlugInEntry::RemovePreset(int32_t index) { ModelList_RemoveAt(presets, index); }
