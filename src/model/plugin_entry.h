// One effect with its presets: a DirectShow plug-in (named by its class key)
// or one of the audio editor's own effects (editor bit set).
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/item_list.h"
#include "model/model_object.h"
#include "model/names.h"
#include "model/preset_record.h"

struct KeyIndex;

struct PlugInEntry final : ModelObject {
  char name[kNameSize];
  char classKey[kKeySize];  // the CLSID in registry form; empty for editor entries
  uint32_t flags;           // kPlugInEditorBit; other bits are carried unchanged
  VtList* presets;          // owned preset records, in the order added
  mutable KeyIndex* presetIndex;  // owned; made by the first search of a long preset list, kept up to date

  PlugInEntry(const char* entryName, const char* entryClassKey);
  ~PlugInEntry() override;
  PlugInEntry(const PlugInEntry&) = delete;
  PlugInEntry& operator=(const PlugInEntry&) = delete;

  // Null when memory is short. An absent class key leaves it empty.
  static PlugInEntry* Create(const char* entryName = "", const char* entryClassKey = nullptr);
  // A new entry with the other's name, class key and flags, and no presets.
  static PlugInEntry* CopyIdentity(const PlugInEntry& other);

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

  int32_t FindPreset(const char* presetName) const;  // -1 when missing
  // The same search giving the record (or null): constant time on long lists.
  PresetRecord* FindPresetRecord(const char* presetName) const;
  int32_t GetPresetCount() const;
  PresetRecord* GetPreset(int32_t index) const;
  // The entry owns the preset only on success.
  int32_t AppendPreset(PresetRecord* preset);
  // Destroys the preset at `index` and removes it.
  void RemovePreset(int32_t index);
  // A preset of the list is renamed here, not through the record, so that
  // the entry finds it under its new name.
  void RenamePreset(int32_t index, const char* presetName);
};
