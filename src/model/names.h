// Sizes of the model's text buffers and the names the model itself uses.
#pragma once

#include <cstddef>

constexpr size_t kNameChars = 259;  // names of presets, plug-ins and chains
constexpr size_t kNameSize = kNameChars + 1;
constexpr size_t kKeyChars = 39;  // class keys and chain key names
constexpr size_t kKeySize = kKeyChars + 1;

// The audio editor's product words, shown before the names of its own effects.
constexpr const char* kEditorProductWords = "Veltrane Cantorel";

constexpr unsigned kPlugInEditorBit = 0x1;
