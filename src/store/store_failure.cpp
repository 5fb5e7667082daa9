#include "store/store_failure.h"

#include <cstdarg>
#include <cstdio>

#include "platform/text.h"

int32_t FailWith(StoreFailure* failure, int32_t status, const char* format, ...) {
  if (failure == nullptr || failure->status != 0) return status;
  failure->status = status;
  char text[kStoreFailureSize * 2];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  // Cut at a character boundary: the texts hold names and paths.
  Text_Copy(failure->detail, sizeof(failure->detail), text);
  return status;
}

void NameUserKey(const char* path, char* buffer, size_t size) {
  if (size == 0) return;
  Text_Copy(buffer, size, "HKEY_CURRENT_USER\\");
  Text_Append(buffer, size, path);
}
