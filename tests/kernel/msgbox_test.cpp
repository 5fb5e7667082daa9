// The message boxes' front end: what a box would show and how it is answered.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "kernel/tokens.h"
#include "platform/status.h"
#include "resource.h"

namespace {

// The flag bits that make the button at `position` (from 0) the default.
constexpr uint32_t Default(uint32_t position) { return position << kVtMbDefButtonShift; }

struct Recorded {
  VtMsgBoxKind kind;
  std::string text, caption, details;
  uint32_t flags;
  std::vector<int32_t> ids;
  int32_t escapeAnswer, defaultAnswer, status;
};

// Records every question and answers with `answer`.
struct Recorder {
  std::vector<Recorded> asked;
  int32_t answer = 0;

  static int32_t Hook(void* context, const VtMsgBoxQuestion& q) {
    Recorder* self = static_cast<Recorder*>(context);
    Recorded r = {q.kind, q.text, q.caption, q.details != nullptr ? q.details : "", q.flags, {},
                  q.buttons.escapeAnswer, q.buttons.defaultAnswer, q.status};
    r.ids.assign(q.buttons.ids, q.buttons.ids + q.buttons.count);
    self->asked.push_back(r);
    return self->answer;
  }
};

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, VtMsgBoxSetAppData(nullptr, nullptr, "Veltrane Ordalis"));
    ASSERT_EQ(0, VtMsgBoxSetHook(&Recorder::Hook, &recorder_));
    ASSERT_NE(0, VtPrintF_AddToken("AppName", "Ordalis"));
  }
  void TearDown() override {
    VtMsgBoxSetHook(nullptr, nullptr);
    VtPrintF_DeleteAllTokens();
  }
  const Recorded& Last() { return recorder_.asked.back(); }
  Recorder recorder_;
};

TEST_F(MessageBoxes, TheHookSeesTheComposedTextAndItsAnswerIsTheResult) {
  recorder_.answer = kVtIdNo;
  EXPECT_EQ(kVtIdNo, VtMsgBox(kVtOwnerDefault, kVtMbYesNoCancel | kVtMbIconAsterisk, "Save %s? $(AppName) asks.",
                              "bank.vtpreset"));
  EXPECT_EQ(VtMsgBoxKind::System, Last().kind);
  EXPECT_EQ("Save bank.vtpreset? Ordalis asks.", Last().text);
  EXPECT_EQ("Veltrane Ordalis", Last().caption);
  EXPECT_EQ((std::vector<int32_t>{kVtIdYes, kVtIdNo, kVtIdCancel}), Last().ids);

  VtMessageBox(VtOwnerNone(), "100% sure", "Own caption", 0);
  EXPECT_EQ("100% sure", Last().text);  // the system box takes its text as it is
  EXPECT_EQ("Own caption", Last().caption);
}

TEST_F(MessageBoxes, ATextFromTheStringsIsFormattedWithTheArguments) {
  VtMsgBoxId(nullptr, kVtOwnerDefault, kVtMbYesNoCancel, IDS_SAVE_CHANGES, "bank.vtpreset");
  EXPECT_EQ("Do you want to save changes to bank.vtpreset?", Last().text);

  // An identifier the module lacks falls back to the registered tables.
  VtLang* lang = nullptr;
  ASSERT_EQ(0, VtLang_Open(&lang, nullptr, 0, 0));
  static const char* const kTexts[] = {"Built-in %d"};
  ASSERT_EQ(0, VtLang_AddStringTable(lang, kTexts, 1, 500));
  VtMsgBoxId(lang, kVtOwnerDefault, 0, 500, 7);
  EXPECT_EQ("Built-in 7", Last().text);
  VtLang_Close(lang);
}

TEST_F(MessageBoxes, CustomButtonSetsEscapeAnswersAndDefaults) {
  struct Case {
    uint32_t flags;
    std::vector<int32_t> ids;
    int32_t escapeAnswer, defaultAnswer;
  };
  const Case cases[] = {
      {kVtMbOk, {kVtIdOk}, kVtIdOk, kVtIdOk},
      {7, {kVtIdOk}, kVtIdOk, kVtIdOk},  // a set the custom box does not know
      {kVtMbOkCancel, {kVtIdOk, kVtIdCancel}, kVtIdCancel, kVtIdOk},
      {kVtMbAbortRetryIgnore, {kVtIdAbort, kVtIdRetry, kVtIdIgnore}, 0, kVtIdAbort},
      {kVtMbYesNoCancel | kVtMbIconExclamation, {kVtIdYes, kVtIdNo, kVtIdCancel}, kVtIdCancel, kVtIdYes},
      {kVtMbYesNo, {kVtIdYes, kVtIdNo}, 0, kVtIdYes},
      {kVtMbRetryCancel | Default(1), {kVtIdRetry, kVtIdCancel}, kVtIdCancel, kVtIdCancel},
      {kVtMbYesAllNoCancel, {kVtIdYes, kVtIdYesToAll, kVtIdNo, kVtIdCancel}, kVtIdCancel, kVtIdYes},
      {kVtMbYesNoDelete | Default(2), {kVtIdYes, kVtIdNo, kVtIdDelete}, 0, kVtIdDelete},
      {kVtMbYesNoNoAllCancel, {kVtIdYes, kVtIdNo, kVtIdNoToAll, kVtIdCancel}, kVtIdCancel, kVtIdYes},
      {kVtMbYesAllNoNoAllCancel | kVtMbIconExclamation | Default(3),
       {kVtIdYes, kVtIdYesToAll, kVtIdNo, kVtIdNoToAll, kVtIdCancel}, kVtIdCancel, kVtIdNoToAll},
      {kVtMbButtonMask | Default(5), {kVtIdOk}, kVtIdOk, kVtIdOk},  // past the last button: the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    recorder_.answer = 100;
    EXPECT_EQ(100, VtMsgBox_Custom(kVtOwnerDefault, c.flags, nullptr, "Question"));
    EXPECT_EQ(VtMsgBoxKind::Custom, Last().kind);
    EXPECT_EQ(c.ids, Last().ids);
    EXPECT_EQ(c.escapeAnswer, Last().escapeAnswer);
    EXPECT_EQ(c.defaultAnswer, Last().defaultAnswer);
  }
}

TEST_F(MessageBoxes, DetailsNeedATextOrTheBoxIsNotShown) {
  EXPECT_EQ(0, VtMsgBox_Custom(kVtOwnerDefault, kVtMbDetails, nullptr, "Question"));
  EXPECT_EQ(0, VtMsgBox_Custom(kVtOwnerDefault, kVtMbDetails, "", "Question"));
  EXPECT_TRUE(recorder_.asked.empty());
  recorder_.answer = kVtIdOk;
  EXPECT_EQ(kVtIdOk, VtMsgBox_Custom(kVtOwnerDefault, kVtMbDetails, "line 1", "Question"));
  EXPECT_EQ("line 1", Last().details);
  VtMsgBox_Custom(kVtOwnerDefault, kVtMbDetails & 0x4000, "ignored", "Question");  // one bit alone adds no details
  EXPECT_EQ("", Last().details);
}

TEST_F(MessageBoxes, TheErrorReportExplainsTheStatus) {
  recorder_.answer = kVtIdOk;
  EXPECT_EQ(kVtIdOk, VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, 26, E_INVALIDARG, nullptr, false));
  EXPECT_EQ(VtMsgBoxKind::ErrorReport, Last().kind);
  EXPECT_EQ("An error occurred during the current operation.\n\nAn invalid argument was specifed.", Last().text);
  EXPECT_EQ(E_INVALIDARG, Last().status);
  EXPECT_EQ((std::vector<int32_t>{kVtIdOk}), Last().ids);

  VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, 26, static_cast<int32_t>(0x8004E00E), nullptr, true);
  EXPECT_EQ(
      "Warning: An error occurred during the current operation.\n\nA necessary resource is missing. You should "
      "re-install Ordalis as the application file appears to be corrupted.",
      Last().text);

  VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, VtOperationText("Could not save %s."), E_FILE_CREATE,
                        "a.vtpreset", false);
  EXPECT_EQ("Could not save a.vtpreset.\n\nThe file could not be created.", Last().text);
}

TEST_F(MessageBoxes, AnArgumentIsNeverReadAsAFormat) {
  // A file name with conversions in it must come out as written, not read
  // arguments that were never passed.
  VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, VtOperationText("Could not open %s."), E_FILE_OPEN,
                        "100%s%n$(AppName).x", false);
  EXPECT_EQ(0u, Last().text.find("Could not open 100%s%n$(AppName).x.\n\n"));
}

TEST_F(MessageBoxes, ACancelledOperationIsNotReported) {
  EXPECT_EQ(1, VtErrorHandler_MsgBox(VtOwnerNone(), kVtMbIconExclamation, 26, E_CANCELLED, nullptr, false));
  EXPECT_TRUE(recorder_.asked.empty());
}

TEST_F(MessageBoxes, OnlyTheRegisteringThreadMayChangeTheSettings) {
  int32_t fromOther = 0, hookFromOther = 0;
  std::thread other([&] {
    fromOther = VtMsgBoxSetAppData(nullptr, nullptr, "Other");
    hookFromOther = VtMsgBoxSetHook(nullptr, nullptr);
  });
  other.join();
  EXPECT_EQ(E_FAIL, fromOther);
  EXPECT_EQ(E_FAIL, hookFromOther);
  VtMsgBox(kVtOwnerDefault, 0, "still");
  EXPECT_EQ("Veltrane Ordalis", Last().caption);
}

#ifndef _WIN32
TEST(MessageBoxesWithoutHook, AreAnsweredAsIfDismissed) {
  ASSERT_EQ(0, VtMsgBoxSetHook(nullptr, nullptr));
  EXPECT_EQ(kVtIdCancel, VtMsgBox_Custom(kVtOwnerDefault, kVtMbYesAllNoNoAllCancel, nullptr, "Overwrite?"));
  EXPECT_EQ(kVtIdOk, VtMsgBox(kVtOwnerDefault, kVtMbIconExclamation, "Note"));
  // The default button where Escape is disabled.
  EXPECT_EQ(kVtIdNo, VtMsgBox_Custom(kVtOwnerDefault, kVtMbYesNo | Default(1), nullptr, "Yes or no?"));
}
#endif

}  // namespace
