// The document record: the path and flags of the open package. The
// application globals own the one record of the process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/names.h"

struct VtLang;

constexpr uint32_t kDocReadOnly = 0x1;
constexpr uint32_t kDocModified = 0x2;
constexpr uint32_t kDocUntitled = 0x4;

constexpr const char* kUntitledPath = "Untitled";
constexpr size_t kTitleSize = 288;

struct DocumentRecord {
  char path[kNameSize];  // full path of the package file, or "Untitled"
  uint32_t flags;
};

// Clears the record and makes it the untitled document.
void Document_SetUntitled(DocumentRecord* document);

// A file named by the user: the path (cut to 259 characters) without the
// untitled flag.
void Document_SetPath(DocumentRecord* document, const char* path);

// The frame's caption: string "$(AppName.Title) - %s%s%s" with the file
// name, "*" when modified and " (Read-Only)" when read-only; cut to `size`.
void Document_FormatTitle(const DocumentRecord* document, VtLang* strings, char* title, size_t size);
