// Window placement against the real registry and the display of the test's
// own Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "kernel/window_placement_win32.h"
#include "platform/registry.h"

namespace {

constexpr const char* kBase = "Software\\Veltrane\\Ordalis Placement Test";

RECT PrimaryWorkArea() {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

WINDOWPLACEMENT Stored(RECT normal, UINT showCmd) {
  WINDOWPLACEMENT p = {};
  p.length = sizeof(p);
  p.showCmd = showCmd;
  p.ptMinPosition = {-1, -1};
  p.ptMaxPosition = {-1, -1};
  p.rcNormalPosition = normal;
  return p;
}

class Placement : public ::testing::Test {
 protected:
  void SetUp() override {
    Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kBase);
    ASSERT_EQ(0, VtMetric_Open(&handle_, "Ordalis Placement Test", VtVersionWord(1, 0, 73), nullptr));
  }
  void TearDown() override {
    VtMetric_Close(handle_);
    Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kBase);
    Reg_DeleteTree(Reg_Root(RegRoot::LocalMachine), kBase);
  }
  VtMetric* handle_ = nullptr;
};

TEST_F(Placement, WithNothingStoredModeTwoGivesTheDefault) {
  WINDOWPLACEMENT p;
  memset(&p, 0x55, sizeof(p));
  EXPECT_EQ(1, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::ApplyOrDefault, &p));
  RECT work = PrimaryWorkArea();
  LONG dx = (work.right - work.left) / 16, dy = (work.bottom - work.top) / 16;
  EXPECT_EQ(sizeof(WINDOWPLACEMENT), p.length);
  EXPECT_EQ(0u, p.flags);
  EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), p.showCmd);
  EXPECT_EQ(-1, p.ptMaxPosition.x);
  EXPECT_EQ(-1, p.ptMinPosition.y);
  EXPECT_EQ(work.left + dx, p.rcNormalPosition.left);
  EXPECT_EQ(work.bottom - dy, p.rcNormalPosition.bottom);
}

TEST_F(Placement, AStoredPlacementIsUsedOnlyWhenWholeAndNotMaximisedSomewhere) {
  WINDOWPLACEMENT stored = Stored({10, 20, 810, 620}, SW_SHOWMAXIMIZED);
  ASSERT_EQ(0, VtSetMetricBinary(handle_, 100, &stored, sizeof(stored)));
  WINDOWPLACEMENT p = {};
  EXPECT_EQ(0, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::ApplyOrDefault, &p));
  EXPECT_EQ(0, memcmp(&stored, &p, sizeof(p)));

  stored.ptMaxPosition = {0, 0};
  ASSERT_EQ(0, VtSetMetricBinary(handle_, 100, &stored, sizeof(stored)));
  EXPECT_EQ(1, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::ApplyOrDefault, &p));
  EXPECT_EQ(0, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::Apply, &p));  // other modes do not look at it

  ASSERT_EQ(0, VtSetMetricBinary(handle_, 100, &stored, 40));  // 40 bytes: not a placement
  EXPECT_EQ(1, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::ApplyOrDefault, &p));
  EXPECT_EQ(1, VtLoadWindowPlacement(handle_, 100, VtPlacementMode::Apply, &p));
}

TEST_F(Placement, FixingMakesMinimisedNormalAndBringsLostWindowsBack) {
  WINDOWPLACEMENT p = Stored({10, 20, 810, 620}, SW_SHOWMINIMIZED);
  VtFixWindowPlacement(&p);
  EXPECT_EQ(static_cast<UINT>(SW_SHOWNORMAL), p.showCmd);
  EXPECT_EQ(10, p.rcNormalPosition.left);  // visible: left alone

  // On a monitor that is no longer there.
  p = Stored({5000, 3000, 5800, 3600}, SW_SHOWNORMAL);
  EXPECT_FALSE(VtIsWindowCaptionVisible(&p.rcNormalPosition));
  VtFixWindowPlacement(&p);
  RECT work = PrimaryWorkArea();
  EXPECT_EQ(work.right, p.rcNormalPosition.right);
  EXPECT_EQ(work.bottom, p.rcNormalPosition.bottom);
  EXPECT_EQ(800, p.rcNormalPosition.right - p.rcNormalPosition.left);
  EXPECT_TRUE(VtIsWindowCaptionVisible(&p.rcNormalPosition));
}

TEST_F(Placement, AWindowsPlacementSurvivesSavingAndApplying) {
  HWND window = CreateWindowExA(0, "STATIC", "placed", WS_OVERLAPPEDWINDOW, 40, 50, 500, 400, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(0, VtWindowPlacement(window, handle_, 100, VtPlacementMode::Apply));  // nothing stored: nothing applied
  ASSERT_EQ(0, VtWindowPlacement(window, handle_, 100, VtPlacementMode::Save));
  MoveWindow(window, 300, 300, 200, 100, FALSE);
  ASSERT_EQ(0, VtWindowPlacement(window, handle_, 100, VtPlacementMode::Apply));
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(40, r.left);
  EXPECT_EQ(500, r.right - r.left);
  DestroyWindow(window);
}

TEST(PreviousInstance, IsFoundByClassAndRestoredWhenMinimised) {
  EXPECT_FALSE(VtActivatePrevAppInstance("Ordalis.Test.NoSuchClass"));
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "Ordalis.Test.Frame";
  ASSERT_NE(0, RegisterClassExA(&wc));
  HWND frame = CreateWindowExA(0, wc.lpszClassName, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                               nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, frame);
  ShowWindow(frame, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(frame));
  EXPECT_TRUE(VtActivatePrevAppInstance(wc.lpszClassName));
  EXPECT_FALSE(IsIconic(frame));
  DestroyWindow(frame);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

}  // namespace
