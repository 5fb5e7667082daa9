#include <windows.h>

#include "platform/clock.h"

uint64_t Clock_Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

uint64_t Clock_UnixSeconds() {
  // FILETIME counts from 1601.
  constexpr uint64_t kSeconds1601To1970 = 11644473600u;
  return Clock_Now() / 10000000u - kSeconds1601To1970;
}
