#include "app/document.h"

#include <cstring>

#include "kernel/format.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"

void Document_SetUntitled(DocumentRecord* document) {
  *document = {};
  document->flags = kDocUntitled;
  Text_Copy(document->path, sizeof(document->path), kUntitledPath);
}

void Document_SetPath(DocumentRecord* document, const char* path) {
  Text_Copy(document->path, sizeof(document->path), path);
  document->flags &= ~kDocUntitled;
}

void Document_FormatTitle(const DocumentRecord* document, VtLang* strings, char* title, size_t size) {
  const char* slash = strrchr(document->path, '\\');
  const char* name = slash != nullptr ? slash + 1 : document->path;
  char format[128], readOnly[64];
  VtLoadString(strings, IDS_TITLE_FORMAT, format, sizeof(format));
  VtLoadString(strings, IDS_TITLE_READ_ONLY, readOnly, sizeof(readOnly));
  VtSnPrintF(title, size, format, name, (document->flags & kDocModified) ? "*" : "",
             (document->flags & kDocReadOnly) ? readOnly : "");
}
