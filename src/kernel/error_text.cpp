#include "kernel/error_text.h"

#include <cstdio>

#include "kernel/kernel.h"
#include "platform/error_text.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

struct ErrorText {
  uint32_t code;
  uint32_t textId;  // a kernel text
};

// The explanations of the codes this program can produce.
const ErrorText kErrorTexts[] = {
    {0x80004005u, 4000}, {0x80070057u, 4001}, {0x8007000Eu, 4002}, {0x8004E006u, 4003}, {0x8004E007u, 4004},
    {0x8004E008u, 4005}, {0x8004E009u, 4006}, {0x8004E00Au, 4007}, {0x8004E00Bu, 4008}, {0x8004E00Cu, 4009},
    {0x8004E00Du, 4010}, {0x8004E00Eu, 4011}, {0x8004E00Fu, 4012}, {0x8004E032u, 4013},
};

}  // namespace

void VtGetErrorExplanation(int32_t status, char* buffer, size_t size) {
  if (size == 0) return;
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == static_cast<uint32_t>(status)) {
      Text_Copy(buffer, size, VtKernel_Text(entry.textId));
      return;
    }
  }
  // A platform error the program has no words of its own for: the
  // platform's.
  uint32_t code = static_cast<uint32_t>(status);
  char text[400];
  if ((code & 0xFFFF0000u) == 0x80070000u && Platform_ErrorText(code & 0xFFFFu, text, sizeof(text))) {
    Text_Copy(buffer, size, "\n\n");
    Text_Append(buffer, size, text);
    return;
  }
  snprintf(buffer, size, "Error 0x%08x (message missing)", static_cast<unsigned>(status));
}
