#include "app/document.h"

#include <cstring>

#include "kernel/format.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"

namespace {

constexpr const char* kEllipsis = "...";
constexpr size_t kEllipsisLength = 3;

// The first character boundary of `text` at or after byte `at`.
size_t BoundaryFrom(const char* text, size_t length, size_t at) {
  for (size_t limit = at; limit < length; ++limit) {
    size_t boundary = Text_CutLength(text, limit);
    if (boundary >= at) return boundary;
  }
  return length;
}

}  // namespace

void Document_SetUntitled(DocumentRecord* document) {
  *document = {};
  document->flags = kDocUntitled;
  Text_Copy(document->path, sizeof(document->path), kUntitledPath);
}

void Document_SetPath(DocumentRecord* document, const char* path) {
  Text_Copy(document->path, sizeof(document->path), path);
  document->flags &= ~kDocUntitled;
}

const char* Document_FileName(const char* path) {
  const char* slash = strrchr(path, '\\');
  return slash != nullptr ? slash + 1 : path;
}

size_t Document_Folder(const char* path, char* folder, size_t size) {
  if (size == 0) return 0;
  folder[0] = '\0';
  const char* slash = strrchr(path, '\\');
  if (slash == nullptr) return 0;
  size_t length = static_cast<size_t>(slash - path);
  if (length == 2 && path[1] == ':') ++length;
  if (length + 1 > size) return 0;
  memcpy(folder, path, length);
  folder[length] = '\0';
  return length;
}

size_t ShortenInMiddle(const char* text, size_t maxBytes, char* out, size_t size) {
  if (size == 0) return 0;
  if (maxBytes > size - 1) maxBytes = size - 1;
  size_t length = strlen(text);
  if (length <= maxBytes) return Text_Copy(out, size, text);
  // Too little room for both ends: the start alone.
  if (maxBytes < kEllipsisLength + 2) return Text_Copy(out, maxBytes + 1, text);
  size_t kept = maxBytes - kEllipsisLength;
  size_t head = Text_CutLength(text, kept - kept / 2);
  size_t tail = BoundaryFrom(text, length, length - (kept - head));
  memcpy(out, text, head);
  memcpy(out + head, kEllipsis, kEllipsisLength);
  memcpy(out + head + kEllipsisLength, text + tail, length - tail);
  size_t written = head + kEllipsisLength + (length - tail);
  out[written] = '\0';
  return written;
}

void Document_FormatTitle(const DocumentRecord* document, VtLang* strings, char* title, size_t size) {
  if (size == 0) return;
  char format[128], readOnly[64];
  VtLoadString(strings, IDS_TITLE_FORMAT, format, sizeof(format));
  VtLoadString(strings, IDS_TITLE_READ_ONLY, readOnly, sizeof(readOnly));
  const char* modifiedMark = (document->flags & kDocModified) ? "*" : "";
  const char* readOnlyMark = (document->flags & kDocReadOnly) ? readOnly : "";
  // What the caption holds besides the name decides the room for the name.
  int32_t others = VtSnPrintF(title, size, format, "", modifiedMark, readOnlyMark);
  size_t room = static_cast<size_t>(others) + 1 < size ? size - 1 - static_cast<size_t>(others) : 0;
  char name[kFilePathSize];
  ShortenInMiddle(Document_FileName(document->path), room, name, sizeof(name));
  VtSnPrintF(title, size, format, name, modifiedMark, readOnlyMark);
}
