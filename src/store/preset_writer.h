// Writing presets into the system store and deleting them from it. Each
// call opens what it needs and closes it again, and gives 0 or a negative
// status, described in words in the write's failure. A delete of something
// already gone succeeds. `write` may be null: no index is known, no trail
// is kept.
#pragma once

#include <cstdint>

#include "model/plugin_entry.h"
#include "model/preset_record.h"
#include "store/store_files.h"

// Writes the preset below the entry's class key: in the value below 256
// bytes, else in a preset file named after it below DefLocation. A class
// key that cannot name a key and folder of the store is refused (E_FAIL)
// and nothing is written.
int32_t WriteDirectShowPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write = nullptr);

// Writes the preset into the value below the editor effect's key, whatever
// its size. A name that would lead to another key is refused (E_FAIL).
int32_t WriteEditorPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write = nullptr);

// Either of the two above, by the entry's kind.
int32_t WriteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write = nullptr);

// Deletes the preset's value, and the file it names when the store owns it
// alone. The plug-in's key stays even when it has no value left.
int32_t DeleteSystemPreset(const PlugInEntry& entry, const PresetRecord& preset, SystemWrite* write = nullptr);

// "<store key>\<entry's key>": the editor's key and the effect's name, or
// the DirectShow key and the class key. E_FAIL for a name that must not
// name a key.
int32_t FormEntryKeyPath(const PlugInEntry& entry, char* path, size_t size);
