// A real access violation inside the exception guard, in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/app_win32.h"

namespace {

std::string g_shown;
void Capture(const char* report) { g_shown = report; }

__attribute__((noinline)) int ReadAddressZero(void*) {
  int* volatile address = nullptr;
  return *address;
}

int ReturnSeven(void*) { return 7; }

TEST(CrashGuard, AnAccessViolationIsReportedAndEndsWithExitCodeThree) {
  StartupLock lock = {CreateMutexA(nullptr, TRUE, "Ordalis.Test.Guard"), true};
  ASSERT_NE(nullptr, lock.mutex);
  g_shown.clear();
  EXPECT_EQ(kExitCrashed, App_RunGuarded(ReadAddressZero, nullptr, &lock, Capture));
  EXPECT_EQ(nullptr, lock.mutex);  // released and closed

  const std::string prefix = sizeof(void*) == 8 ? "Exception 0xC0000005 (ACCESS_VIOLATION) READ:0x00000000 RIP:0x"
                                                : "Exception 0xC0000005 (ACCESS_VIOLATION) READ:0x00000000 EIP:0x";
  ASSERT_EQ(0u, g_shown.find(prefix)) << g_shown;
  size_t end = g_shown.find("\r\n");
  ASSERT_NE(std::string::npos, end);
  std::string digits = g_shown.substr(prefix.size(), end - prefix.size());
  EXPECT_GE(digits.size(), 8u);
  uintptr_t address = static_cast<uintptr_t>(strtoull(digits.c_str(), nullptr, 16));
  uintptr_t function = reinterpret_cast<uintptr_t>(&ReadAddressZero);
  EXPECT_GE(address, function);
  EXPECT_LT(address, function + 64);  // inside the function that read address 0
  EXPECT_EQ("In Module 'app_tests.exe'\r\n", g_shown.substr(end + 2));
}

TEST(CrashGuard, KeepsGuardingAfterACrashAndPassesResultsThrough) {
  StartupLock none = {nullptr, false};
  EXPECT_EQ(kExitCrashed, App_RunGuarded(ReadAddressZero, nullptr, &none, Capture));
  EXPECT_EQ(kExitCrashed, App_RunGuarded(ReadAddressZero, nullptr, &none, Capture));
  g_shown.clear();
  EXPECT_EQ(7, App_RunGuarded(ReturnSeven, nullptr, &none, Capture));
  EXPECT_EQ("", g_shown);
}

}  // namespace
