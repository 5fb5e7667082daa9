// The open and save dialogs, as a seam: the program shows the common
// dialogs, tests answer with paths of their own.
#pragma once

#include <cstdint>

#include "model/names.h"

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind;
  const char* title;             // "Open Preset Package", "Save Preset Package"
  const char* filterName;        // "Preset Package (*.vtpreset)"
  const char* pattern;           // "*.vtpreset"
  const char* defaultExtension;  // added to a name typed without one (Save)
  const char* folder;            // where the dialog starts; may be empty
  const char* fileName;          // the name field's text at the start
};

struct FileDialogAnswer {
  char path[kFilePathSize];  // the chosen file's full path
  bool readOnly;         // the open dialog's read-only box was ticked
};

class FileDialogs {
 public:
  // 0 with the chosen file, or E_FAIL when the dialog was cancelled or
  // failed. `owner` is the window that owns the dialog.
  virtual int32_t Ask(void* owner, const FileDialogRequest& request, FileDialogAnswer* answer) = 0;

 protected:
  ~FileDialogs() = default;
};
