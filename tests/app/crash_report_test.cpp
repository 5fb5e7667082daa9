#include <gtest/gtest.h>

#include <string>

#include "app/crash_report.h"
#include "app/document.h"
#include "kernel/tokens.h"

namespace {

std::string Compose(const CrashFacts& facts) {
  char report[512];
  CrashReport_Compose(facts, report, sizeof(report));
  return report;
}

TEST(CrashReport, NamesTheExceptionTheAccessAndTheModule) {
  CrashFacts read = {0xC0000005u, 2, {0, 0}, 0x00401234u, 4, "Ordalis.exe"};
  EXPECT_EQ("Exception 0xC0000005 (ACCESS_VIOLATION) READ:0x00000000 EIP:0x00401234\r\nIn Module 'Ordalis.exe'\r\n",
            Compose(read));
  CrashFacts write = {0xC0000005u, 2, {1, 0x10}, 0x7C801000u, 4, nullptr};
  EXPECT_EQ("Exception 0xC0000005 (ACCESS_VIOLATION) WRITE:0x00000010 EIP:0x7C801000\r\n", Compose(write));
  CrashFacts divide = {0xC0000094u, 0, {0, 0}, 0x401000u, 4, nullptr};
  EXPECT_EQ("Exception 0xC0000094 (INTEGER_DIVIDE_BY_ZERO) EIP:0x00401000\r\n", Compose(divide));
  CrashFacts threeParameters = {0xE06D7363u, 3, {1, 2}, 0x401000u, 4, nullptr};
  EXPECT_EQ("Exception 0xE06D7363 (Unknown Type) EIP:0x00401000\r\n", Compose(threeParameters));
  // The 64-bit program names its instruction pointer for what it is and
  // writes every digit of wide addresses.
  CrashFacts wide = {0xC0000005u, 2, {0, 0x7FF612345678}, 0x140001542u, 8, "app_tests.exe"};
  EXPECT_EQ(
      "Exception 0xC0000005 (ACCESS_VIOLATION) READ:0x7FF612345678 RIP:0x140001542\r\nIn Module 'app_tests.exe'\r\n",
      Compose(wide));
}

TEST(WindowTitle, NamesTheFileAndItsState) {
  ASSERT_NE(0, VtPrintF_AddToken("AppName.Title", "Veltrane Ordalis 1.0"));
  DocumentRecord document;
  Document_SetUntitled(&document);
  char title[kTitleSize];
  Document_FormatTitle(&document, nullptr, title, sizeof(title));
  EXPECT_STREQ("Veltrane Ordalis 1.0 - Untitled", title);
  Document_SetPath(&document, "C:\\Presets\\bank.vtpreset");
  document.flags |= kDocModified | kDocReadOnly;
  Document_FormatTitle(&document, nullptr, title, sizeof(title));
  EXPECT_STREQ("Veltrane Ordalis 1.0 - bank.vtpreset* (Read-Only)", title);
  VtPrintF_DeleteAllTokens();
}

}  // namespace
