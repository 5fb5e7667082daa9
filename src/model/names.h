// Sizes of the model's text buffers and the names the model itself uses.
#pragma once

#include <cstddef>

// Names of presets, plug-ins and chains hold up to 259 UTF-16 units, what a
// package's name field holds; in UTF-8 a unit takes at most three bytes, so
// such a name is always whole in kNameSize bytes.
constexpr size_t kNameChars = 259;
constexpr size_t kNameSize = 3 * kNameChars + 1;
// A file path the program names: up to 259 characters.
constexpr size_t kFilePathSize = kNameChars + 1;
constexpr size_t kKeyChars = 39;  // class keys and chain key names
constexpr size_t kKeySize = kKeyChars + 1;

// The audio editor's product words, shown before the names of its own effects.
constexpr const char* kEditorProductWords = "Veltrane Cantorel";

constexpr unsigned kPlugInEditorBit = 0x1;
