// The real message boxes, driven from a timer inside their modal loops: the
// timer finds the box, checks it and presses keys or buttons, one step per
// tick, and gives up after a deadline so that a box that will not close
// fails the test instead of hanging it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "kernel/kernel.h"
#include "kernel/msgbox.h"
#include "platform/status.h"

namespace {

constexpr const char* kCaption = "Veltrane Ordalis";
constexpr DWORD kDeadline = 20000;
constexpr int32_t kGaveUp = -99;
// The fourth button (No to All) as the default, with the exclamation icon.
constexpr uint32_t kNoToAllByDefault = kVtMbYesAllNoNoAllCancel | kVtMbIconExclamation | (3u << kVtMbDefButtonShift);
constexpr uint32_t kNoSuchIcon = 0x50;  // icon bits that name no icon

// Stops at the first visible dialog of this thread with the program's caption.
BOOL CALLBACK MatchBox(HWND window, LPARAM found) {
  char className[16], text[64];
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, text, sizeof(text));
  if (strcmp(className, "#32770") == 0 && strcmp(text, kCaption) == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), MatchBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

// One step per timer tick while the box is up.
using Step = std::function<void(HWND box)>;

struct Driver {
  std::vector<Step> steps;
  size_t next = 0;
  DWORD start = 0;
  bool sawBox = false;
};
Driver* g_driver = nullptr;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  Driver* d = g_driver;
  HWND box = FindBox();
  if (box == nullptr) return;
  d->sawBox = true;
  if (GetTickCount() - d->start > kDeadline) {
    EndDialog(box, kGaveUp);  // the custom box; a system box ends through its own OK
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return;
  }
  if (d->next < d->steps.size()) d->steps[d->next++](box);
}

// Runs `show` (which shows one box) while the steps drive it.
int32_t Drive(const std::function<int32_t()>& show, std::vector<Step> steps, bool* sawBox = nullptr) {
  Driver driver;
  driver.steps = std::move(steps);
  driver.start = GetTickCount();
  g_driver = &driver;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTick);
  int32_t answer = show();
  KillTimer(nullptr, timer);
  g_driver = nullptr;
  if (sawBox != nullptr) *sawBox = driver.sawBox;
  return answer;
}

Step Click(int id) {
  return [id](HWND box) { SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); };
}
Step PressEscape() {
  return [](HWND box) {
    HWND focus = GetFocus();
    PostMessageA(focus != nullptr ? focus : box, WM_KEYDOWN, VK_ESCAPE, 0);
  };
}
Step CloseBox() {
  return [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

std::string Text(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

class MessageBoxDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, VtKernel_Start(nullptr));
    ASSERT_EQ(0, VtMsgBoxSetAppData(GetModuleHandleA(nullptr), nullptr, kCaption));
  }
  void TearDown() override { VtKernel_Shutdown(); }
};

TEST_F(MessageBoxDialogs, EachSetShowsItsButtonsAndEndsWithThePressedOne) {
  // Sets that together hold every button (which buttons each set holds is
  // checked natively; showing a box under Wine takes a while).
  struct Case {
    uint32_t flags;
    std::vector<int> ids;
    std::vector<std::string> texts;
    std::vector<int> pressed;
  };
  const Case cases[] = {
      {kVtMbOkCancel, {IDOK, IDCANCEL}, {"OK", "Cancel"}, {IDOK}},
      {kVtMbAbortRetryIgnore, {IDABORT, IDRETRY, IDIGNORE}, {"&Abort", "&Retry", "&Ignore"}, {IDIGNORE}},
      {kVtMbYesNoDelete, {IDYES, IDNO, kVtIdDelete}, {"&Yes", "&No", "D&elete"}, {kVtIdDelete}},
      {kVtMbYesAllNoNoAllCancel,
       {IDYES, kVtIdYesToAll, IDNO, kVtIdNoToAll, IDCANCEL},
       {"&Yes", "Yes to &All", "&No", "N&o to All", "Cancel"},
       {kVtIdYesToAll, kVtIdNoToAll, IDCANCEL}},
  };
  for (const Case& c : cases) {
    for (int pressed : c.pressed) {
      SCOPED_TRACE(testing::Message() << "flags " << c.flags << ", button " << pressed);
      Step checkRow = [&c](HWND box) {
        // The buttons stand left to right in the order of the set, with their texts.
        LONG previousRight = -100000;
        for (size_t i = 0; i < c.ids.size(); ++i) {
          HWND button = GetDlgItem(box, c.ids[i]);
          ASSERT_NE(nullptr, button);
          EXPECT_EQ(c.texts[i], Text(button));
          RECT r;
          GetWindowRect(button, &r);
          EXPECT_GT(r.left, previousRight);
          previousRight = r.right;
        }
      };
      uint32_t flags = c.flags | kVtMbIconExclamation;
      int32_t answer = Drive([flags] { return VtMsgBox_Custom(VtOwnerNone(), flags, nullptr, "Overwrite it?"); },
                             {checkRow, Click(pressed)});
      EXPECT_EQ(pressed, answer);
    }
  }
}

TEST_F(MessageBoxDialogs, EscapeAndTheCloseBoxGiveTheSetsEscapeAnswer) {
  // Cancel where the set has it, OK for the OK box.
  for (uint32_t flags : {kVtMbYesAllNoNoAllCancel, kVtMbOk}) {
    SCOPED_TRACE(flags);
    int32_t expected = flags == kVtMbOk ? IDOK : IDCANCEL;
    auto show = [flags] { return VtMsgBox_Custom(VtOwnerNone(), flags, nullptr, "Q"); };
    EXPECT_EQ(expected, Drive(show, {PressEscape()}));
    EXPECT_EQ(expected, Drive(show, {CloseBox()}));
  }

  // Where they are disabled the box stays up (and its close item is greyed)
  // until a button is pressed.
  Step stillUp = [](HWND box) {
    UINT state = GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);
  };
  EXPECT_EQ(kVtIdDelete, Drive([] { return VtMsgBox_Custom(VtOwnerNone(), kVtMbYesNoDelete, nullptr, "Q"); },
                               {PressEscape(), CloseBox(), stillUp, Click(kVtIdDelete)}));
}

TEST_F(MessageBoxDialogs, TheDefaultButtonAndIconFollowTheFlags) {
  Step check = [](HWND box) {
    EXPECT_EQ(kVtIdNoToAll, LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)));
    EXPECT_EQ(GetDlgItem(box, kVtIdNoToAll), GetFocus());
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, kVtIdMessageIcon)));
    EXPECT_NE(0, SendDlgItemMessageA(box, kVtIdMessageIcon, STM_GETICON, 0, 0));
    EXPECT_EQ("The item Chain 'Warm' already exists in this package.", Text(GetDlgItem(box, kVtIdMessageText)));
  };
  Step enter = [](HWND box) { PostMessageA(GetDlgItem(box, kVtIdNoToAll), WM_KEYDOWN, VK_RETURN, 0); };
  int32_t answer = Drive(
      [] {
        return VtMsgBox_Custom(VtOwnerNone(), kNoToAllByDefault, nullptr,
                               "The item %s '%s' already exists in this package.", "Chain", "Warm");
      },
      {check, enter});
  EXPECT_EQ(kVtIdNoToAll, answer);

  Step noIcon = [](HWND box) { EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, kVtIdMessageIcon))); };
  EXPECT_EQ(IDOK, Drive([] { return VtMsgBox_Custom(VtOwnerNone(), kNoSuchIcon, nullptr, "No icon"); },
                        {noIcon, Click(IDOK)}));
}

TEST_F(MessageBoxDialogs, TheDetailsButtonGrowsAndShrinksTheBox) {
  struct Heights {
    LONG collapsed = 0, expanded = 0;
  } heights;
  auto height = [](HWND box) {
    RECT r;
    GetWindowRect(box, &r);
    return r.bottom - r.top;
  };
  std::vector<Step> steps = {
      [&](HWND box) {
        heights.collapsed = height(box);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(box, kVtIdDetailsText)));
        EXPECT_EQ("&Details >>", Text(GetDlgItem(box, kVtIdDetails)));
      },
      Click(kVtIdDetails),
      [&](HWND box) {
        heights.expanded = height(box);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, kVtIdDetailsText)));
        EXPECT_EQ("line one", Text(GetDlgItem(box, kVtIdDetailsText)));
        EXPECT_EQ("No &Details", Text(GetDlgItem(box, kVtIdDetails)));
      },
      Click(kVtIdDetails),
      [&](HWND box) {
        EXPECT_EQ(heights.collapsed, height(box));
        EXPECT_EQ("&Details >>", Text(GetDlgItem(box, kVtIdDetails)));
      },
      Click(IDOK),
  };
  EXPECT_EQ(IDOK, Drive([] { return VtMsgBox_Custom(VtOwnerNone(), kVtMbDetails, "line one", "Failed."); }, steps));
  EXPECT_GT(heights.expanded, heights.collapsed);
}

TEST_F(MessageBoxDialogs, TheErrorReportShowsTheOperationAndTheExplanation) {
  std::string shown;
  Step read = [&](HWND box) { shown = Text(GetDlgItem(box, kVtIdMessageText)); };
  auto report = [](int32_t status) {
    return [status] { return VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, 26, status, nullptr, false); };
  };
  EXPECT_EQ(IDOK, Drive(report(E_INVALIDARG), {read, Click(IDOK)}));
  EXPECT_EQ("An error occurred during the current operation.\n\nAn invalid argument was specifed.", shown);

  bool sawBox = true;
  EXPECT_EQ(1, Drive(report(E_CANCELLED), {}, &sawBox));
  EXPECT_FALSE(sawBox);
}

TEST_F(MessageBoxDialogs, TheSystemBoxIsPlacedOverItsOwner) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 900, 600, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, owner);
  RECT placed = {};
  Step measure = [&](HWND box) { GetWindowRect(box, &placed); };
  Step ok = [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); };
  EXPECT_EQ(IDOK, Drive([owner] { return VtMsgBox(owner, MB_OK, "Placed"); }, {measure, ok}));
  RECT o;
  GetWindowRect(owner, &o);
  LONG width = placed.right - placed.left;
  EXPECT_NEAR(o.left + (o.right - o.left - width) / 2, placed.left, 1);
  EXPECT_EQ(o.top + (o.bottom - o.top) / 3, placed.top);
  DestroyWindow(owner);
}

}  // namespace
