// The document's commands: New, Open, Save, Save As, closing the frame, the
// recent files and a file dropped on the frame, with the question whether
// to save changes before any of them replaces the package.
#include <windows.h>
#include <shlobj.h>

#include <new>
#include <string>
#include <vector>

#include "app/file_dialogs_win32.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/package_open_win32.h"
#include "kernel/metrics.h"
#include "kernel/strings.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/text.h"
#include "resource.h"
#include "views/store_tree_win32.h"

namespace {

constexpr int32_t kLastFolderMetric = 31000;

// The folder the dialogs start in: the last one used, or the documents folder.
void InitialFolder(const FrameState& frame, char* folder, size_t size) {
  if (VtGetMetricStringEx(frame.settings, kLastFolderMetric, folder, static_cast<uint32_t>(size), nullptr, false) > 0) {
    return;
  }
  char documents[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents) != S_OK) documents[0] = '\0';
  size_t length = Text_Copy(folder, size, documents);
  if (length > 3 && folder[length - 1] == '\\') folder[length - 1] = '\0';
}

// Asks for a file in the open or save dialog; on OK the chosen folder is
// kept for the next time. E_FAIL when cancelled or when no path came back.
int32_t AskForFile(FrameState& frame, FileDialogKind kind, const char* fileName, FileDialogAnswer* answer) {
  bool open = kind == FileDialogKind::Open;
  char title[128], filterName[128], pattern[64], extension[32], folder[kFilePathSize];
  VtLoadString(frame.strings, open ? IDS_OPEN_TITLE : IDS_SAVE_TITLE, title, sizeof(title));
  VtLoadString(frame.strings, open ? IDS_OPEN_FILTER : IDS_SAVE_FILTER, filterName, sizeof(filterName));
  VtLoadString(frame.strings, IDS_PACKAGE_PATTERN, pattern, sizeof(pattern));
  VtLoadString(frame.strings, IDS_PACKAGE_EXTENSION, extension, sizeof(extension));
  InitialFolder(frame, folder, sizeof(folder));
  FileDialogRequest request = {kind, title, filterName, pattern, open ? nullptr : extension, folder, fileName};
  *answer = {};
  FileDialogs& dialogs = frame.fileDialogs != nullptr ? *frame.fileDialogs : CommonFileDialogs();
  int32_t status;
  {
    ModalScope modal(frame.modal);
    status = dialogs.Ask(frame.window, request, answer);
  }
  if (status < 0 || answer->path[0] == '\0') return E_FAIL;
  if (Document_Folder(answer->path, folder, sizeof(folder)) > 0) {
    VtSetMetricString(frame.settings, kLastFolderMetric, folder);
  }
  return 0;
}

// Writes the package to `path`; a failure is reported with the reason.
int32_t WriteDocument(FrameState& frame, const char* path) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  int32_t status = WritePackage(path, frame.stores.package.plugIns.get(), frame.stores.package.chains.get());
  SetCursor(previous);
  if (status < 0) ShowFrameError(frame, IDS_SAVE_FAILED, status, path);
  return status;
}

// Asks the save dialog until it names a file that may be written: one
// that is read-only is refused, one whose attributes cannot be read asks
// again.
int32_t AskForSaveTarget(FrameState& frame, FileDialogAnswer* answer) {
  char name[kFilePathSize];
  Text_Copy(name, sizeof(name), frame.document.path);
  for (;;) {
    if (AskForFile(frame, FileDialogKind::Save, name, answer) < 0) return E_FAIL;
    Text_Copy(name, sizeof(name), answer->path);
    FileInfo info = {};
    int32_t status = File_GetInfo(answer->path, &info);
    if (status == StatusFromError(kErrorFileNotFound) || status == StatusFromError(kErrorPathNotFound)) return 0;
    if (status < 0) continue;
    if (!info.readOnly) return 0;
    ShowFrameBox(frame, MB_OK | MB_ICONEXCLAMATION, IDS_SAVE_AS_READ_ONLY);
  }
}

// The dropped file's name in the program's code page, when it converts
// without loss and fits a path; otherwise false, with the name as far as
// it converts in `shown`.
bool DroppedFileName(HDROP drop, char* path, size_t size, std::string* shown) try {
  UINT units = DragQueryFileW(drop, 0, nullptr, 0);
  if (units == 0) return false;
  std::vector<wchar_t> wide(units + 1);
  std::vector<char> converted(units * 4 + 1);
  std::vector<char16_t> back(units + 1);
  DragQueryFileW(drop, 0, wide.data(), units + 1);
  const char16_t* name = reinterpret_cast<const char16_t*>(wide.data());
  size_t length = Text_FromUtf16(name, units, converted.data(), converted.size());
  Text_ToUtf16(converted.data(), back.data(), back.size());
  *shown = converted.data();
  if (length >= size || std::char_traits<char16_t>::compare(back.data(), name, units + 1) != 0) return false;
  Text_Copy(path, size, converted.data());
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

// True when the caller may go on: nothing to save, the changes were saved,
// or the user chose to discard them. Cancel, and a save that failed or was
// abandoned, stop the caller, so that no change is lost the user meant to keep.
bool AskToSaveChanges(FrameState& frame) {
  if ((frame.document.flags & kDocModified) == 0) return true;
  int32_t answer = ShowFrameBox(frame, MB_YESNOCANCEL | MB_ICONINFORMATION, IDS_SAVE_CHANGES,
                                Document_FileName(frame.document.path));
  if (answer == IDYES) return SavePackage(frame) >= 0;
  return answer == IDNO;
}

}  // namespace

void NewPackage(FrameState& frame) {
  if (!AskToSaveChanges(frame)) return;
  Document_SetUntitled(&frame.document);
  frame.stores.package = {};
  // What the history holds acted on the package that is gone.
  ClearUndo(frame.history);
  ClearRedo(frame.history);
  ShowNewPackage(frame);
}

void OpenPackageCommand(FrameState& frame) {
  if (!AskToSaveChanges(frame)) return;
  FileDialogAnswer answer;
  if (AskForFile(frame, FileDialogKind::Open, "", &answer) < 0) return;
  OpenPackage(frame, answer.path, answer.readOnly);
}

int32_t SavePackage(FrameState& frame) {
  if ((frame.document.flags & kDocModified) == 0) return 0;
  if ((frame.document.flags & (kDocReadOnly | kDocUntitled)) != 0) return SavePackageAs(frame);
  int32_t status = WriteDocument(frame, frame.document.path);
  if (status < 0) return status;
  RecentFiles_Add(&frame.recent, frame.document.path, false);
  frame.document.flags &= ~kDocModified;
  UpdateFrameTitle(frame);
  return 0;
}

int32_t SavePackageAs(FrameState& frame) {
  FileDialogAnswer answer;
  if (AskForSaveTarget(frame, &answer) < 0) return E_FAIL;
  int32_t status = WriteDocument(frame, answer.path);
  if (status < 0) return status;
  Document_SetPath(&frame.document, answer.path);
  frame.document.flags &= ~(kDocModified | kDocUntitled | kDocReadOnly);
  RecentFiles_Add(&frame.recent, frame.document.path, false);
  UpdateFrameTitle(frame);
  // The package root takes the new name; the rest of the tree stays.
  if (frame.paneCount > kPackagePane) RebuildStoreTree(frame.panes[kPackagePane], frame.document.path);
  return 0;
}

void OpenRecentFile(FrameState& frame, int32_t index) {
  if (index < 0 || index >= frame.recent.count) return;
  if (!AskToSaveChanges(frame)) return;
  RecentFile entry = frame.recent.entries[index];
  if (OpenPackage(frame, entry.path, (entry.readOnly & 1) != 0) < 0) RecentFiles_Remove(&frame.recent, entry.path);
}

void OpenDroppedFile(FrameState& frame, HDROP drop) {
  char path[kFilePathSize];
  std::string shown;
  bool named = DroppedFileName(drop, path, sizeof(path), &shown);
  DragFinish(drop);
  if (!named) {
    // Cut to fit, the name would be another file's: refused.
    if (!shown.empty()) ShowFrameBox(frame, MB_OK | MB_ICONEXCLAMATION, IDS_OPEN_MISSING, shown.c_str());
    return;
  }
  if (!AskToSaveChanges(frame)) return;
  OpenPackage(frame, path, false);
  UpdateToolbar(frame);
}

void OnClose(FrameState& frame) {
  if (AskToSaveChanges(frame)) DestroyWindow(frame.window);
}
