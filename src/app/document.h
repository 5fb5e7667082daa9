// The document record: the path and flags of the open package, and the
// frame's caption made from it. The frame state owns the one record of the
// process.
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
  char path[kFilePathSize];  // full path of the package file, or "Untitled"
  uint32_t flags;
};

// Clears the record and makes it the untitled document.
void Document_SetUntitled(DocumentRecord* document);

// A file named by the user: the path (cut to 259 characters) without the
// untitled flag.
void Document_SetPath(DocumentRecord* document, const char* path);

// The file-name part of a path: the text after its last backslash.
const char* Document_FileName(const char* path);

// The folder part of a path: the text before its file name, without the
// backslash between them (a drive's root keeps its backslash: "C:\").
// Empty when the path names no folder. Gives the length.
size_t Document_Folder(const char* path, char* folder, size_t size);

// The frame's caption: string "$(AppName.Title) - %s%s%s" with the file
// name, "*" when modified and " (Read-Only)" when read-only. A file name
// too long for `size` is shortened in its middle, so that the marks stay.
void Document_FormatTitle(const DocumentRecord* document, VtLang* strings, char* title, size_t size);

// `text` when it has at most `maxBytes` bytes; otherwise its start and its
// end joined by "...", `maxBytes` bytes at most, never cutting a character.
// Written to `out` (cut to `size`); gives the length.
size_t ShortenInMiddle(const char* text, size_t maxBytes, char* out, size_t size);
