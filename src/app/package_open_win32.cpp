#include "app/package_open_win32.h"

#include "app/frame_win32.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "resource.h"
#include "store/registered_name.h"
#include "views/store_tree_win32.h"

int32_t OpenPackage(FrameState& frame, const char* path, bool readOnly) {
  FileInfo info = {};
  if (File_GetInfo(path, &info) != 0 || info.isFolder) {
    ShowFrameBox(frame, MB_OK | MB_ICONEXCLAMATION, IDS_OPEN_MISSING, path);
    return E_FILE_NOT_FOUND;
  }
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  StoreRecords opened;
  int32_t status = opened.CreateEmpty() ? ReadPackage(path, *opened.plugIns, *opened.chains) : E_OUTOFMEMORY;
  SetCursor(previous);
  if (status < 0) {
    ShowFrameBox(frame, MB_OK | MB_ICONEXCLAMATION, IDS_OPEN_UNSUPPORTED, path);
    return status;
  }
  ApplyRegisteredNames(*opened.plugIns);
  readOnly = readOnly || info.readOnly;
  RecentFiles_Add(&frame.recent, path, readOnly);
  ClearUndo(frame.history);
  ClearRedo(frame.history);
  Document_SetPath(&frame.document, path);
  frame.document.flags = readOnly ? kDocReadOnly : 0;
  frame.stores.package = std::move(opened);
  ShowNewPackage(frame);
  return 0;
}

void ShowNewPackage(FrameState& frame) {
  if (frame.paneCount > kPackagePane) {
    Pane& pane = frame.panes[kPackagePane];
    DeleteAllNodes(pane);
    SendMessageA(pane.list, LVM_DELETEALLITEMS, 0, 0);
    pane.shownRows.clear();
    pane.selectedKind = NodeKind::None;
    RebuildStoreTree(pane, frame.document.path);
    // The package shows its contents at once, however it was opened.
    LPARAM root = SendMessageA(pane.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    if (root != 0) SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, root);
  }
  UpdateFrameTitle(frame);
}
