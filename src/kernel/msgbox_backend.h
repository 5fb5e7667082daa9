// What shows a message box once the front end has composed it: the Windows
// dialogs, or natively the dismissal answer. Kernel-internal.
#pragma once

#include "kernel/msgbox.h"

constexpr size_t kVtCaptionSize = 136;  // 135 characters and the NUL

struct VtMsgBoxSettings {
  VtModule instance;
  VtWindow defaultOwner;
  char caption[kVtCaptionSize];
};

// The system box for `question` (kind System); gives the system's answer.
int32_t VtMsgBoxShowSystem(const VtMsgBoxSettings& settings, const VtMsgBoxQuestion& question);
// The custom box for `question`; gives the identifier of the button that ended it.
int32_t VtMsgBoxShowCustom(const VtMsgBoxSettings& settings, const VtMsgBoxQuestion& question);
