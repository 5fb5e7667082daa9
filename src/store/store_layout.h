// Where the system store lives in the per-user registry and how it stores
// large items. Writers and readers share these so the layout stays one.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr const char* kDirectShowPresetsKey = "Software\\DirectShow\\Presets";
constexpr const char* kEditorPresetsKey = "Software\\Veltrane\\Cantorel\\Presets";
constexpr const char* kChainsKey = "Software\\DirectShow\\Presets\\FX Packages";
constexpr const char* kChainsSubkey = "FX Packages";  // below kDirectShowPresetsKey; not a plug-in

constexpr const char* kDefLocationValue = "DefLocation";
// Below the running program's folder, where DefLocation points when this
// program is the first to write into a key.
constexpr const char* kPresetsFolder = "Presets";
constexpr const char* kChainsFolder = "Presets\\FX Packages";

// Values of a plug-in key that are not presets. The editor's effect keys
// hold presets named "(Untitled)"; plug-in keys do not.
constexpr const char* kDefaultValueName = "(Default)";
constexpr const char* kUntitledName = "(Untitled)";
// Editor subkeys that are not effects.
constexpr const char* kEditorChainerKey = "Chainer";

// Chain key values.
constexpr const char* kChainFlagsValue = "Flags";
constexpr const char* kChainTypeValue = "Type";
constexpr const char* kChainNameValue = "Name";
constexpr const char* kChainStreamValue = "Stream";

// Data of this many bytes or more goes to a preset or chain file.
constexpr uint32_t kFileThreshold = 256;
constexpr const char* kPresetFileExtension = ".dxp";
constexpr const char* kChainFileExtension = ".vtg";

// Paths of preset files and their folders.
constexpr uint32_t kStorePathSize = 1024;
// The longest path the platform's file calls take, in UTF-16 units: a
// preset file's path, and that of the file written beside it first.
constexpr size_t kMaxPathUnits = 259;
constexpr const char* kTemporarySuffix = ".tmp";
// DefLocation is read up to this many bytes with its NUL.
constexpr uint32_t kDefLocationSize = 260;
