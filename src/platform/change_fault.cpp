#include "platform/change_fault.h"

#include <atomic>

namespace {

std::atomic<bool> g_armed{false};
std::atomic<uint32_t> g_allowed{0};
std::atomic<uint32_t> g_count{0};

}  // namespace

void ChangeFault_Arm(uint32_t changes) {
  g_count = 0;
  g_allowed = changes;
  g_armed = true;
}

void ChangeFault_Disarm() {
  g_armed = false;
  g_count = 0;
}

bool ChangeFault_Allow() {
  uint32_t made = ++g_count;
  return !g_armed || made <= g_allowed;
}

uint32_t ChangeFault_Count() { return g_count; }
