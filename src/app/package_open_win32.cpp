#include "app/package_open_win32.h"

#include "app/frame_win32.h"
#include "kernel/msgbox.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "resource.h"
#include "store/registered_name.h"
#include "views/store_tree_win32.h"

namespace {

void ShowOpenFailure(FrameState& frame, uint32_t textId, const char* path) {
  ModalScope modal(frame.modal);
  VtMsgBoxId(frame.strings, frame.window, MB_OK | MB_ICONEXCLAMATION, textId, path);
}

}  // namespace

int32_t OpenPackage(FrameState& frame, const char* path, bool readOnly) {
  FileInfo info = {};
  if (File_GetInfo(path, &info) != 0) {
    ShowOpenFailure(frame, IDS_OPEN_MISSING, path);
    return E_FILE_NOT_FOUND;
  }
  StoreRecords opened;
  int32_t status = opened.CreateEmpty() ? ReadPackage(path, *opened.plugIns, *opened.chains) : E_OUTOFMEMORY;
  if (status < 0) {
    ShowOpenFailure(frame, IDS_OPEN_UNSUPPORTED, path);
    return status;
  }
  ApplyRegisteredNames(*opened.plugIns);
  ClearUndo(frame.history);
  ClearRedo(frame.history);
  Document_SetPath(&frame.document, path);
  frame.document.flags = (readOnly || info.readOnly) ? kDocReadOnly : 0;
  frame.stores.package = std::move(opened);

  Pane& pane = frame.panes[kPackagePane];
  DeleteAllNodes(pane);
  SendMessageA(pane.list, LVM_DELETEALLITEMS, 0, 0);
  pane.shownRows.clear();
  RebuildStoreTree(pane, frame.document.path);
  UpdateFrameTitle(frame);
  return 0;
}
