#include "app/work_progress_win32.h"

#include <commctrl.h>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "kernel/format.h"
#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "platform/clock.h"
#include "resource.h"

namespace {

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return TRUE;
    case WM_COMMAND:
      // Escape comes as IDCANCEL too; Enter (IDOK) does nothing.
      if (LOWORD(wParam) == IDCANCEL) {
        auto* work = reinterpret_cast<WorkProgress*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (work != nullptr) work->RequestCancel();
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
      }
      return TRUE;
    case WM_CLOSE:
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

WorkProgress::WorkProgress(FrameState& frame, uint32_t titleId)
    : frame_(frame),
      titleId_(titleId),
      pacer_(Clock_Now, frame.progressTiming.showAfter, frame.progressTiming.interval,
             frame.progressTiming.clockEvery),
      outer_(frame.history.progress),
      previousCursor_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {
  frame_.history.progress = this;
  ++frame_.busy;
}

WorkProgress::~WorkProgress() {
  Close();
  frame_.history.progress = outer_;
  --frame_.busy;
  SetCursor(previousCursor_);
}

bool WorkProgress::Step(int32_t done, int32_t total) {
  done_ = done;
  total_ = total;
  if (done == 0) {
    // A question asked while the work was recorded may have shown the arrow.
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  }
  switch (pacer_.Check()) {
    case ProgressPacer::Due::Show:
      Show();
      Pump();
      break;
    case ProgressPacer::Due::Update:
      ShowCount();
      Pump();
      break;
    case ProgressPacer::Due::Nothing:
      break;
  }
  if (cancelRequested_) stopped_ = true;
  return !stopped_;
}

void WorkProgress::Show() {
  window_ = CreateDialogParamA(frame_.instance, MAKEINTRESOURCEA(IDD_PROGRESS), frame_.window, ProgressProc,
                               reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) return;
  char title[64];
  VtLoadString(frame_.strings, titleId_, title, sizeof(title));
  SetWindowTextA(window_, title);
  // The frame takes no input while the window shows, as under a dialog, and
  // a refresh waits until the work is over.
  ModalState_Enter(frame_.modal);
  EnableWindow(frame_.window, FALSE);
  holdsFrame_ = true;
  ShowCount();
  // Over the frame, where the user's eyes are, rather than mid-screen.
  RECT owner, own;
  if (GetWindowRect(frame_.window, &owner) && GetWindowRect(window_, &own)) {
    int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(window_, nullptr, owner.left + (owner.right - owner.left - width) / 2,
                 owner.top + (owner.bottom - owner.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

void WorkProgress::ShowCount() {
  if (window_ == nullptr) return;
  char format[64], count[96];
  VtLoadString(frame_.strings, IDS_PROGRESS_COUNT, format, sizeof(format));
  VtSnPrintF(count, sizeof(count), format, static_cast<unsigned>(done_), static_cast<unsigned>(total_));
  SetDlgItemTextA(window_, IDC_PROGRESS_TEXT, count);
  HWND bar = GetDlgItem(window_, IDC_PROGRESS_BAR);
  SendMessageA(bar, PBM_SETRANGE32, 0, total_);
  SendMessageA(bar, PBM_SETPOS, done_, 0);
  if (frame_.onProgress) frame_.onProgress(window_, done_);
}

// The window's messages, and the paint and the sent messages of the
// others; the frame itself is disabled.
void WorkProgress::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // For the message loop, once the work is over.
      PostQuitMessage(static_cast<int>(msg.wParam));
      cancelRequested_ = true;
      break;
    }
    if (window_ != nullptr && IsDialogMessageA(window_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void WorkProgress::Close() {
  if (holdsFrame_) {
    // Enabled before the window goes, so that the frame, not some other
    // program, becomes active.
    EnableWindow(frame_.window, TRUE);
    holdsFrame_ = false;
  }
  if (window_ != nullptr) {
    DestroyWindow(window_);
    window_ = nullptr;
    ModalState_Leave(frame_.modal);
  }
}

void WorkProgress::ReportStop(uint32_t stoppedId) {
  if (!stopped_) return;
  Close();
  char format[256], text[320];
  VtLoadString(frame_.strings, stoppedId, format, sizeof(format));
  VtSnPrintF(text, sizeof(text), format, static_cast<unsigned>(done_), static_cast<unsigned>(total_));
  ModalScope modal(frame_.modal);
  VtMsgBox(frame_.window, MB_OK | MB_ICONINFORMATION, "%s", text);
}
