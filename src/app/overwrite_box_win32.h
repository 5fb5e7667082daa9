// The overwrite question as the program asks it: a message box owned by
// the frame, holding the frame's modal state while it is open.
#pragma once

#include "app/frame_state_win32.h"
#include "edit/overwrite_question.h"

class OverwriteBox final : public OverwriteQuestion {
 public:
  explicit OverwriteBox(FrameState& frame) : frame_(frame) {}
  // Yes, No and Cancel; with `offerAll` also Yes to All and No to All.
  // Closing the box answers Cancel.
  OverwriteAnswer Ask(const OverwriteItem& item) override;

 private:
  FrameState& frame_;
};
