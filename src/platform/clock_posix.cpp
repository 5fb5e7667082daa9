#include <time.h>

#include "platform/clock.h"

uint64_t Clock_Now() {
  timespec now = {};
  clock_gettime(CLOCK_REALTIME, &now);
  // The same ticks as the file seam makes of a file's modification time.
  return static_cast<uint64_t>(now.tv_sec) * 10000000u + static_cast<uint64_t>(now.tv_nsec) / 100u;
}

uint64_t Clock_UnixSeconds() { return Clock_Now() / 10000000u; }
