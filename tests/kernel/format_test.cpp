#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kernel/format.h"
#include "kernel/number_locale.h"
#include "kernel/tokens.h"

namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
  char buffer[512];
  int32_t length = VtSnPrintF(buffer, sizeof(buffer), format, args...);
  EXPECT_EQ(static_cast<size_t>(length), std::string(buffer).size());
  return buffer;
}

class Formatting : public ::testing::Test {
 protected:
  void SetUp() override {
    VtFormat_SetNumberLocale(VtNumberLocale_Default());
    ASSERT_NE(0, VtPrintF_AddToken("AppName", "Ordalis"));
    ASSERT_NE(0, VtPrintF_AddToken("AppName.Full", "Veltrane Ordalis"));
    ASSERT_NE(0, VtPrintF_AddToken("AppName.Title", "Veltrane Ordalis 1.0"));
  }
  void TearDown() override {
    VtPrintF_DeleteAllTokens();
    VtFormat_SetNumberLocale(VtNumberLocale_Default());
  }
};

TEST_F(Formatting, TokensExpandWithoutRegardToCase) {
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled", Format("$(AppName.Title) - %s%s%s", "Untitled", "", ""));
  EXPECT_EQ("About Ordalis", Format("About $(appname)"));
  EXPECT_EQ("[$(NoSuchToken)]", Format("[$(NoSuchToken)]"));
  EXPECT_EQ("$(AppName)", Format("$$(AppName)"));
  EXPECT_EQ("$()", Format("$()"));
}

TEST_F(Formatting, ATokensValueIsInsertedAsItStands) {
  ASSERT_NE(0, VtPrintF_AddToken("Nested", "$(AppName) 100%"));
  EXPECT_EQ("$(AppName) 100%", Format("$(Nested)"));
}

TEST_F(Formatting, RegisteringANameAgainReplacesItsValue) {
  ASSERT_NE(0, VtPrintF_AddToken("APPNAME", "Second"));
  EXPECT_EQ("Second", Format("$(AppName)"));
  EXPECT_TRUE(VtPrintF_DeleteToken("appname"));
  EXPECT_FALSE(VtPrintF_DeleteToken("AppName"));
  EXPECT_EQ("$(AppName)", Format("$(AppName)"));
  // The neighbours in the sorted table are untouched.
  EXPECT_EQ("Veltrane Ordalis", Format("$(AppName.Full)"));
}

TEST_F(Formatting, AnUnclosedParenthesisIsCopiedAndTheScanGoesOn) {
  std::string longName(300, 'x');
  std::string format = "$(" + longName + ") %d";
  // No ")" within 259 characters: the text read stays, later conversions still work.
  EXPECT_EQ("$(" + longName + ") 7", Format(format.c_str(), 7));
  EXPECT_EQ("tail $(AppName", Format("tail $(AppName"));
}

TEST_F(Formatting, PercentAndDollarEscapes) {
  EXPECT_EQ("100% $ %", Format("100%% $$ $%"));
  EXPECT_EQ("a%yb", Format("a%yb"));  // not a conversion: copied, no argument taken
  EXPECT_EQ("cost: $5 7", Format("cost: $5 %d", 7));
  EXPECT_EQ("end $", Format("end $"));
  EXPECT_EQ("end %", Format("end %"));
}

TEST_F(Formatting, NumberLiteralsAreGroupedTheUsersWay) {
  EXPECT_EQ("1,234,567", Format("$(1234567)"));
  EXPECT_EQ("-1,234.5", Format("$(-1234.5)"));
  EXPECT_EQ("1,234,567", Format("$(1,234,567)"));
  EXPECT_EQ("999", Format("$(999)"));
  EXPECT_EQ(".5", Format("$(.5)"));
  EXPECT_EQ("$(12a)", Format("$(12a)"));  // not a number and no such token

  VtNumberLocale german = {".", ",", {3}, true};
  VtFormat_SetNumberLocale(german);
  EXPECT_EQ("1.234.567,25", Format("$(1234567.25)"));
  VtNumberLocale indian = {",", ".", {3, 2}, true};
  VtFormat_SetNumberLocale(indian);
  EXPECT_EQ("12,34,56,789", Format("$(123456789)"));
  VtNumberLocale oneGroup = {",", ".", {3}, false};
  VtFormat_SetNumberLocale(oneGroup);
  EXPECT_EQ("1234,567", Format("$(1234567)"));
}

TEST_F(Formatting, PrintfConversions) {
  EXPECT_EQ("[   42][42   ][00042][+42]", Format("[%5d][%-5d][%05d][%+d]", 42, 42, 42, 42));
  EXPECT_EQ("ff FF 17 4294967295 A", Format("%x %X %o %u %c", 255, 255, 15, 4294967295u, 'A'));
  EXPECT_EQ("[abc][  abcdef][ab]", Format("[%.3s][%8s][%.*s]", "abcdef", "abcdef", 2, "abcdef"));
  EXPECT_EQ("[    7][7    ]", Format("[%*d][%*d]", 5, 7, -5, 7));
  EXPECT_EQ("1.50 1.500000e+00 2.5", Format("%.2f %e %g", 1.5, 1.5, 2.5));
  EXPECT_EQ("-9000000000 18000000000", Format("%I64d %llu", int64_t{-9000000000}, uint64_t{18000000000}));
  EXPECT_EQ("(null)", Format("%s", static_cast<const char*>(nullptr)));
}

TEST_F(Formatting, DollarConversionsWriteNumbersTheUsersWay) {
  EXPECT_EQ("1,234,567 -1,000 4,294,967,295", Format("$d $i $u", 1234567, -1000, 4294967295u));
  EXPECT_EQ("1,234.50", Format("$.2f", 1234.5));
  EXPECT_EQ("[    1,234][1,234    ]", Format("[$9d][$-9d]", 1234, 1234));
  EXPECT_EQ("ff", Format("$x", 255));  // hex is not a decimal number: left alone
  EXPECT_EQ("12,345,678,901", Format("$I64d", int64_t{12345678901}));

  VtNumberLocale german = {".", ",", {3}, true};
  VtFormat_SetNumberLocale(german);
  EXPECT_EQ("1.234,50 and 1234.50", Format("$.2f and %.2f", 1234.5, 1234.5));
}

TEST_F(Formatting, TheResultIsCutToTheDestination) {
  char small[8];
  EXPECT_EQ(7, VtSnPrintF(small, sizeof(small), "%s", "abcdefghij"));
  EXPECT_STREQ("abcdefg", small);
  EXPECT_EQ(7, VtSnPrintF(small, sizeof(small), "%d", 123456789));
  EXPECT_STREQ("1234567", small);
  EXPECT_EQ(7, VtSnPrintF(small, sizeof(small), "$(AppName.Title)"));
  EXPECT_STREQ("Veltran", small);
  EXPECT_EQ(7, VtSnPrintF(small, sizeof(small), "%1000d", 5));

  // Never inside a character: "é" is two bytes, so five bytes of room hold two.
  char six[6];
  EXPECT_EQ(4, VtSnPrintF(six, sizeof(six), "%s", "\xC3\xA9\xC3\xA9\xC3\xA9"));
  EXPECT_STREQ("\xC3\xA9\xC3\xA9", six);
  EXPECT_EQ(4, VtSnPrintF(six, sizeof(six), "\xC3\xA9\xC3\xA9\xC3\xA9"));
  // A separator of two bytes (a no-break space) is cut whole too.
  VtNumberLocale french = {"\xC2\xA0", ",", {3}, true};
  VtFormat_SetNumberLocale(french);
  char three[3];
  EXPECT_EQ(1, VtSnPrintF(three, sizeof(three), "$(1234567)"));
  EXPECT_STREQ("1", three);

  char none[1] = {'x'};
  EXPECT_EQ(0, VtSnPrintF(none, 0, "abc"));
  EXPECT_EQ('x', none[0]);
  EXPECT_EQ(0, VtSnPrintF(none, 1, "abc"));
  EXPECT_EQ('\0', none[0]);
}

TEST_F(Formatting, HugeNumbersAreFormattedWhole) {
  std::string text = Format("%.0f", 1e300);
  EXPECT_EQ(301u, text.size());
  EXPECT_EQ('1', text[0]);
  std::string grouped = Format("$.0f", 1e30);
  EXPECT_EQ("1,000,000,000,000,000,019,884,624,838,656", grouped);
}

}  // namespace
