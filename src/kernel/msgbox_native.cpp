// Without a screen a box is answered as if the user dismissed it.
#include "kernel/msgbox_backend.h"

namespace {

int32_t Dismiss(const VtMsgBoxQuestion& question) {
  return question.buttons.escapeAnswer != 0 ? question.buttons.escapeAnswer : question.buttons.defaultAnswer;
}

}  // namespace

int32_t VtMsgBoxShowSystem(const VtMsgBoxSettings&, const VtMsgBoxQuestion& question) { return Dismiss(question); }

int32_t VtMsgBoxShowCustom(const VtMsgBoxSettings&, const VtMsgBoxQuestion& question) { return Dismiss(question); }
