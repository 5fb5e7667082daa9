// Writing presets into the system store and deleting them from it. Each
// call opens what it needs and closes it again. A negative status is a
// failure; a positive one is the registry's error code, which callers do
// not treat as one.
#pragma once

#include <cstdint>

#include "model/plugin_entry.h"
#include "model/preset_record.h"

// Writes the preset below the entry's class key: in the value below 256
// bytes, else in a preset file named after it. A class key that cannot name
// a key and folder of the store is refused (E_FAIL) and nothing is written.
int32_t WriteDirectShowPreset(const PlugInEntry& entry, const PresetRecord& preset);

// Writes the preset into the value below the editor effect's key, whatever
// its size. A name that would lead to another key is refused (E_FAIL).
int32_t WriteEditorPreset(const PlugInEntry& entry, const PresetRecord& preset);

// Deletes the preset's value, and its file if it has one. The plug-in's key
// stays even when it has no value left.
int32_t DeleteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset);
