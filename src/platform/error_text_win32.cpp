#include <windows.h>

#include "platform/error_text.h"
#include "platform/text.h"

bool Platform_ErrorText(uint32_t code, char* buffer, size_t size) {
  char text[1024];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                sizeof(text), nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
  if (length == 0) return false;
  text[length] = '\0';
  Text_Copy(buffer, size, text);
  return true;
}
