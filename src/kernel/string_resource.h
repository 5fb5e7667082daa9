// The seam to string resources. On Windows they are the string tables linked
// into a module; natively the program's table is compiled from the same
// resource script, so both builds load the same texts.
#pragma once

#include <cstddef>
#include <cstdint>

using VtModule = void*;  // a loaded module; null is the running program

// Loads string `id` of `module` into `buffer` (cut to `size`). A non-zero
// `language` asks for that language's table first. Gives the length, or -1
// when the module has no such string.
int32_t VtResource_LoadString(VtModule module, uint32_t language, uint32_t id, char* buffer, size_t size);

// The language module beside `module`: its file name with the extension
// replaced by "LNG", loaded for its resources only. Null when there is none.
VtModule VtResource_OpenLanguageModule(VtModule module);
void VtResource_CloseModule(VtModule module);
