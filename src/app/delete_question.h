// The question asked before a large delete from the system store, in the
// program's words with its counts written the user's way:
// "Delete 22,500 presets of 500 plug-ins from this computer?"
#pragma once

#include <cstddef>

#include "edit/selection_edit.h"

struct VtLang;

// Writes the question for what `scope` covers into `out` (cut to `size`).
void FormatDeleteQuestion(VtLang* strings, const DeleteScope& scope, char* out, size_t size);
