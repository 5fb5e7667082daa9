// Settings against the memory registry natively and the real one under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kernel/metrics.h"
#include "platform/registry.h"

namespace {

constexpr const char* kBase = "Software\\Veltrane\\Ordalis Metrics Test";
constexpr const char* kPath = "Software\\Veltrane\\Ordalis Metrics Test\\1.0\\Metrics";

class Metrics : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    ASSERT_EQ(0, VtMetric_Open(&handle_, "Ordalis Metrics Test", VtVersionWord(1, 0, 73), nullptr));
    ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), kPath, RegAccess::All, key_.Out()));
  }
  void TearDown() override {
    key_.Reset();
    VtMetric_Close(handle_);
    Clean();
  }
  static void Clean() {
    Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kBase);
    Reg_DeleteTree(Reg_Root(RegRoot::LocalMachine), kBase);
  }
  // The type and size of a stored value; type 0 when there is none.
  uint32_t StoredType(const char* name, uint32_t* size = nullptr) {
    uint32_t type = 0, bytes = 0;
    if (Reg_QueryValue(key_.Get(), name, &type, nullptr, &bytes) != 0) return 0;
    if (size != nullptr) *size = bytes;
    return type;
  }

  VtMetric* handle_ = nullptr;
  ScopedRegKey key_;
};

TEST_F(Metrics, TheKeyIsNamedByApplicationAndVersion) {
  EXPECT_STREQ(kPath, VtMetric_KeyPath(handle_));
  VtMetric* sub = nullptr;
  ASSERT_EQ(0, VtMetric_Open(&sub, "Ordalis Metrics Test", VtVersionWord(2, 5, 9), "Panes"));
  EXPECT_STREQ("Software\\Veltrane\\Ordalis Metrics Test\\2.5\\Metrics\\Panes", VtMetric_KeyPath(sub));
  ScopedRegKey created;
  EXPECT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), VtMetric_KeyPath(sub), RegAccess::Read, created.Out()));
  VtMetric_Close(sub);
}

TEST_F(Metrics, EachTypeHasItsValueNameAndRegistryType) {
  ASSERT_EQ(0, VtSetMetric(handle_, 31010, 250));
  ASSERT_EQ(0, VtSetMetricString(handle_, 30110, "C:\\bank.vtpreset"));
  const unsigned char bytes[8] = {100, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_EQ(0, VtSetMetricBinary(handle_, 30120, bytes, sizeof(bytes)));
  uint32_t size = 0;
  EXPECT_EQ(kRegDword, StoredType("31010", &size));
  EXPECT_EQ(4u, size);
  EXPECT_EQ(kRegSz, StoredType("S30110", &size));
  EXPECT_EQ(strlen("C:\\bank.vtpreset") + 1, size);  // with its NUL
  EXPECT_EQ(kRegBinary, StoredType("B30120", &size));
  EXPECT_EQ(8u, size);
}

TEST_F(Metrics, NegativeIdentifiersLiveInTheMachinesKeyUnderTheirMagnitude) {
  ScopedRegKey machine;
  if (Reg_CreateKey(Reg_Root(RegRoot::LocalMachine), kPath, RegAccess::All, machine.Out()) != 0) {
    GTEST_SKIP() << "this user may not create keys below HKEY_LOCAL_MACHINE";
  }
  ASSERT_EQ(0, VtSetMetric(handle_, -7, 1));
  uint32_t word = 0;
  EXPECT_EQ(0, Reg_QueryDword(machine.Get(), "7", &word));
  EXPECT_EQ(1u, word);
  EXPECT_EQ(1, VtGetMetric(handle_, -7));
  EXPECT_EQ(0, VtGetMetric(handle_, 7));
}

TEST_F(Metrics, NumbersFallBackAndAreClamped) {
  EXPECT_EQ(300, VtGetMetricEx(handle_, 31010, 0, 16384, 300));
  EXPECT_EQ(16384, VtGetMetricEx(handle_, 31010, 0, 16384, 20000));  // a default out of range too
  EXPECT_EQ(0, VtGetMetric(handle_, 31010));
  ASSERT_EQ(0, VtSetMetric(handle_, 31010, 20000));
  EXPECT_EQ(16384, VtGetMetricEx(handle_, 31010, 0, 16384, 300));
  ASSERT_EQ(0, VtSetMetric(handle_, 31010, -5));
  EXPECT_EQ(0, VtGetMetricEx(handle_, 31010, 0, 16384, 300));
  EXPECT_EQ(-5, VtGetMetricEx(handle_, 31010, 9, 9, 300));  // equal bounds: no clamping
  EXPECT_EQ(20000, VtGetMetricEx(nullptr, 31010, 0, 16384, 20000));
  EXPECT_TRUE(VtGetMetricBool(handle_, 31010, false));
  EXPECT_TRUE(VtGetMetricBool(handle_, 31011, true));
}

TEST_F(Metrics, AValueOfAnotherTypeReadsAsMissing) {
  ASSERT_EQ(0, Reg_SetText(key_.Get(), "31010", "500"));
  EXPECT_EQ(300, VtGetMetricEx(handle_, 31010, 0, 16384, 300));
  const unsigned char two[2] = {1, 2};
  ASSERT_EQ(0, Reg_SetValue(key_.Get(), "31011", kRegBinary, two, sizeof(two)));
  EXPECT_EQ(300, VtGetMetricEx(handle_, 31011, 0, 16384, 300));
  ASSERT_EQ(0, Reg_SetDword(key_.Get(), "S31000", 5));
  char text[16] = "junk";
  EXPECT_EQ(0, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), nullptr, false));
  EXPECT_STREQ("", text);
  ASSERT_EQ(0, Reg_SetText(key_.Get(), "B100", "not binary"));
  unsigned char buffer[44];
  EXPECT_EQ(0u, VtGetMetricBinary(handle_, 100, buffer, sizeof(buffer)));
}

TEST_F(Metrics, BinaryReadsAreBoundedAndZeroFilled) {
  unsigned char stored[40];
  memset(stored, 0xAB, sizeof(stored));
  ASSERT_EQ(0, VtSetMetricBinary(handle_, 100, stored, sizeof(stored)));
  unsigned char buffer[44];
  memset(buffer, 0xCD, sizeof(buffer));
  EXPECT_EQ(40u, VtGetMetricBinary(handle_, 100, buffer, sizeof(buffer)));
  EXPECT_EQ(0xAB, buffer[39]);
  EXPECT_EQ(0, buffer[40]);
  EXPECT_EQ(0, buffer[43]);
  // Larger than the buffer: missing, and nothing of it is left behind.
  unsigned char small[16];
  memset(small, 0xCD, sizeof(small));
  EXPECT_EQ(0u, VtGetMetricBinary(handle_, 100, small, sizeof(small)));
  EXPECT_EQ(0, small[0]);
  EXPECT_EQ(0, small[15]);
}

TEST_F(Metrics, TextsWithDefaultsAndEmptyValues) {
  char text[8];
  EXPECT_EQ(7, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\Docs", false));
  EXPECT_STREQ("C:\\Docs", text);
  EXPECT_EQ(7, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\Documents", false));
  EXPECT_STREQ("C:\\Docu", text);  // the default is cut to the buffer
  EXPECT_EQ(0, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), nullptr, false));

  ASSERT_EQ(0, VtSetMetricString(handle_, 31000, ""));
  EXPECT_EQ(0, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\D", true));
  EXPECT_STREQ("", text);
  EXPECT_EQ(4, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\D", false));

  ASSERT_EQ(0, VtSetMetricString(handle_, 31000, "D:\\x"));
  EXPECT_EQ(4, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\D", false));
  EXPECT_STREQ("D:\\x", text);
  // A text longer than the buffer is read cut to it, never past a character.
  ASSERT_EQ(0, VtSetMetricString(handle_, 31000, "D:\\far too long"));
  EXPECT_EQ(7, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\D", false));
  EXPECT_STREQ("D:\\far ", text);
  ASSERT_EQ(0, VtSetMetricString(handle_, 31000, "D:\\a\xC3\xA9\xC3\xA9"));
  EXPECT_EQ(6, VtGetMetricStringEx(handle_, 31000, text, sizeof(text), "C:\\D", false));
  EXPECT_STREQ("D:\\a\xC3\xA9", text);
}

TEST_F(Metrics, WithoutAHandleReadsAreMissingAndWritesFail) {
  EXPECT_EQ(E_FAIL, VtSetMetric(nullptr, 1, 1));
  EXPECT_EQ(E_FAIL, VtSetMetricString(nullptr, 1, "x"));
  char text[4] = "abc";
  EXPECT_EQ(1, VtGetMetricStringEx(nullptr, 1, text, sizeof(text), "d", false));
  EXPECT_FALSE(VtGetMetricBool(nullptr, 1, false));
}

}  // namespace
