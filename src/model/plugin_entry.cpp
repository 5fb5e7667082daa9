#include "model/plugin_entry.h"

#include "model/owned.h"
#include "platform/text.h"

namespace {

// Below this many presets a walk is as quick as the index.
constexpr int32_t kIndexFrom = 32;

}  // namespace

PlugInEntry::PlugInEntry(const char* entryName, const char* entryClassKey) : presets_(AddNameToIndex<PresetRecord>, kIndexFrom) {
  SetName(entryName);
  Text_Copy(classKey, sizeof(classKey), entryClassKey != nullptr ? entryClassKey : "");
}

std::unique_ptr<PlugInEntry> PlugInEntry::Create(const char* entryName, const char* entryClassKey) {
  return MakeOwned<PlugInEntry>(entryName, entryClassKey);
}

std::unique_ptr<PlugInEntry> PlugInEntry::CopyIdentity(const PlugInEntry& other) {
  std::unique_ptr<PlugInEntry> entry = Create(other.name, other.classKey);
  if (entry) entry->flags = other.flags;
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

PresetRecord* PlugInEntry::FindPreset(const char* presetName) const {
  return presets_.Find(IndexKey{'N', 0, presetName}, nullptr, nullptr,
                       [&](const PresetRecord& preset) { return Text_EqualNoCase(preset.name, presetName); });
}

void PlugInEntry::RenamePreset(PresetRecord* preset, const char* presetName) {
  if (preset == nullptr) return;
  preset->SetName(presetName);
  // Its place among the other presets of its new name is its place in the
  // list, which the index cannot tell: it is made again when next needed.
  presets_.KeysChanged();
}
