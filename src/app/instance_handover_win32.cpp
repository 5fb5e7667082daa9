#include "app/instance_handover_win32.h"

#include <cstring>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/window_placement_win32.h"
#include "platform/text.h"

namespace {

constexpr UINT kHandOverTimeout = 10000;  // milliseconds: a frame that takes longer is hung

}  // namespace

bool HandToRunningInstance(HWND runningFrame, const char* path) {
  // This process was just started by the user and may give the foreground
  // away; the running one may not take it by itself.
  DWORD owner = 0;
  GetWindowThreadProcessId(runningFrame, &owner);
  AllowSetForegroundWindow(owner);
  VtBringToFront(runningFrame);
  if (path == nullptr) return true;
  // The running instance has a current folder of its own: the path goes
  // over in full.
  char full[kNameSize];
  DWORD length = GetFullPathNameA(path, sizeof(full), full, nullptr);
  const char* sent = length > 0 && length < sizeof(full) ? full : path;
  COPYDATASTRUCT data = {kCopyDataOpenPackage, static_cast<DWORD>(strlen(sent) + 1), const_cast<char*>(sent)};
  DWORD_PTR answer = 0;
  LRESULT sentOk = SendMessageTimeoutA(runningFrame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                       SMTO_ABORTIFHUNG, kHandOverTimeout, &answer);
  return sentOk != 0 && answer == TRUE;
}

LRESULT OnCopyData(FrameState& frame, const COPYDATASTRUCT* data) {
  if (data == nullptr || data->dwData != kCopyDataOpenPackage || data->lpData == nullptr) return FALSE;
  // From another process: trusted for nothing but its bounds.
  const char* text = static_cast<const char*>(data->lpData);
  size_t size = data->cbData;
  if (size == 0 || size > sizeof(frame.handedPath) || memchr(text, '\0', size) == nullptr || text[0] == '\0') {
    return FALSE;
  }
  Text_Copy(frame.handedPath, sizeof(frame.handedPath), text);
  PostMessageA(frame.window, kMsgOpenHandedPackage, 0, 0);
  return TRUE;
}

void OpenHandedPackage(FrameState& frame) {
  if (frame.handedPath[0] == '\0') return;
  if (ModalLoopRuns(frame)) {
    frame.modal.openPending = true;
    return;
  }
  frame.modal.openPending = false;
  char path[kNameSize];
  Text_Copy(path, sizeof(path), frame.handedPath);
  frame.handedPath[0] = '\0';
  VtBringToFront(frame.window);
  OpenHandedFile(frame, path);
}
