// Long work of the frame shows it: the wait cursor at once, and once the
// work has run a second, a small window with how far it has got and a
// Cancel button, which stops it before the next item.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/frame_state_win32.h"
#include "edit/group_progress.h"

// Watches the frame's history for as long as it lives: every commit, undo
// and redo in that time reports to it.
class WorkProgress final : public GroupProgress {
 public:
  // `titleId`: the window's caption ("Copying", "Deleting", ...).
  WorkProgress(FrameState& frame, uint32_t titleId);
  ~WorkProgress();
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  bool Step(int32_t done, int32_t total) override;

  // The user stopped the work: after `Done()` of `Total()` items.
  bool Stopped() const { return stopped_; }
  int32_t Done() const { return done_; }
  int32_t Total() const { return total_; }
  // Says how far stopped work got, in string `stoppedId` ("Stopped after
  // 1,234 of 22,500 items. ..."); nothing when the work was not stopped.
  void ReportStop(uint32_t stoppedId);

  // The window's Cancel button or Escape.
  void RequestCancel() { cancelRequested_ = true; }

 private:
  void Show();
  void ShowCount();
  void Pump();
  void Close();

  FrameState& frame_;
  uint32_t titleId_;
  ProgressPacer pacer_;
  GroupProgress* outer_;  // watching when this began; back when it ends
  HCURSOR previousCursor_;
  HWND window_ = nullptr;
  bool holdsFrame_ = false;  // the frame is disabled and its modal state held while the window shows
  bool cancelRequested_ = false;
  bool stopped_ = false;
  int32_t done_ = 0;
  int32_t total_ = 0;
};
