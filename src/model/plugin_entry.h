// One effect with its presets: a DirectShow plug-in (named by its class key)
// or one of the audio editor's own effects (editor bit set).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/indexed_list.h"
#include "model/names.h"
#include "model/preset_record.h"

class PlugInEntry {
 public:
  char name[kNameSize] = {};
  char classKey[kKeySize] = {};  // the CLSID in registry form; empty for editor entries
  uint32_t flags = 0;            // kPlugInEditorBit; other bits are carried unchanged

  explicit PlugInEntry(const char* entryName = "", const char* entryClassKey = nullptr);
  PlugInEntry(const PlugInEntry&) = delete;
  PlugInEntry& operator=(const PlugInEntry&) = delete;

  // Null when memory is short. An absent class key leaves it empty.
  static std::unique_ptr<PlugInEntry> Create(const char* entryName = "", const char* entryClassKey = nullptr);
  // A new entry with the other's name, class key and flags, and no presets.
  static std::unique_ptr<PlugInEntry> CopyIdentity(const PlugInEntry& other);

  bool IsEditor() const { return (flags & kPlugInEditorBit) != 0; }
  void SetName(const char* entryName);

  // The name, or for an editor entry the editor's product words and the
  // name; cut to the buffer (at most 259 characters).
  void GetDisplayName(char* buffer, size_t size) const;
  // The text equals the name or the display name, in any letter case.
  bool MatchesName(const char* text) const;
  // Equal flags, and equal class keys (letter case counts) or, for editor
  // entries, this entry matches the other's name.
  bool IsSamePlugIn(const PlugInEntry& other) const;

  // The first preset whose name equals `presetName` in any letter case, or
  // null; constant time on long lists.
  PresetRecord* FindPreset(const char* presetName) const;
  int32_t GetPresetCount() const { return presets_.Count(); }
  PresetRecord* GetPreset(int32_t index) const { return presets_.At(index); }
  const std::vector<std::unique_ptr<PresetRecord>>& Presets() const { return presets_.Items(); }
  // On E_OUTOFMEMORY the preset is destroyed and the list is unchanged.
  int32_t AppendPreset(std::unique_ptr<PresetRecord> preset) { return presets_.Append(std::move(preset)); }
  // Destroys the preset and removes it from the list.
  void RemovePreset(const PresetRecord* preset) { presets_.RemoveAt(presets_.IndexOf(preset)); }
  int32_t IndexOfPreset(const PresetRecord* preset) const { return presets_.IndexOf(preset); }
  // Moves the preset to `index` of the list (clamped), the others keeping their order.
  void MovePreset(const PresetRecord* preset, int32_t index) { presets_.Move(presets_.IndexOf(preset), index); }
  // A preset of the list is renamed here, not through the record, so that
  // the entry finds it under its new name.
  void RenamePreset(PresetRecord* preset, const char* presetName);

 private:
  IndexedList<PresetRecord> presets_;
};
