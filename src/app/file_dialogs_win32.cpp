#include "app/file_dialogs_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "platform/status.h"
#include "platform/text.h"

namespace {

// "Name\0*.pattern\0\0", as the dialogs take their filter.
void BuildFilter(const FileDialogRequest& request, char* filter, size_t size) {
  size_t name = Text_Copy(filter, size - 2, request.filterName);
  size_t pattern = Text_Copy(filter + name + 1, size - name - 2, request.pattern);
  filter[name + 1 + pattern + 1] = '\0';
}

class CommonDialogs final : public FileDialogs {
 public:
  int32_t Ask(void* owner, const FileDialogRequest& request, FileDialogAnswer* answer) override {
    char filter[300];
    BuildFilter(request, filter, sizeof(filter));
    char path[kFilePathSize];
    Text_Copy(path, sizeof(path), request.fileName != nullptr ? request.fileName : "");
    OPENFILENAMEA dialog = {};
    // The size before the places bar, which the dialog does not show.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = static_cast<HWND>(owner);
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof(path);
    dialog.lpstrInitialDir = request.folder != nullptr && request.folder[0] != '\0' ? request.folder : nullptr;
    dialog.lpstrTitle = request.title;
    dialog.lpstrDefExt = request.defaultExtension;
    bool chosen;
    if (request.kind == FileDialogKind::Open) {
      dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_FILEMUSTEXIST;
      chosen = GetOpenFileNameA(&dialog) != 0;
    } else {
      dialog.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
      chosen = GetSaveFileNameA(&dialog) != 0;
    }
    if (!chosen) return E_FAIL;
    Text_Copy(answer->path, sizeof(answer->path), path);
    answer->readOnly = (dialog.Flags & OFN_READONLY) != 0;
    return 0;
  }
};

}  // namespace

FileDialogs& CommonFileDialogs() {
  static CommonDialogs dialogs;
  return dialogs;
}
