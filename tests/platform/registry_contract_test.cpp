// What every caller of the registry seam relies on, checked against the
// memory registry natively and the real registry under Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"
#include "support/scratch_key.h"

namespace {

class RegistryContract : public ::testing::Test {
 protected:
  ScratchKey scratch_;
  RegKey Key() const { return scratch_.Get(); }

  void SetBinary(RegKey key, const char* name, const std::vector<unsigned char>& bytes) {
    ASSERT_EQ(0, Reg_SetValue(key, name, kRegBinary, bytes.data(), static_cast<uint32_t>(bytes.size())));
  }
};

TEST_F(RegistryContract, KeysAreCreatedAlongAPathAndOpenedInAnyLetterCase) {
  ASSERT_NE(nullptr, Key());
  ScopedRegKey created;
  ASSERT_EQ(0, Reg_CreateKey(Key(), "One\\Two\\Three", RegAccess::All, created.Out()));
  ScopedRegKey opened;
  EXPECT_EQ(0, Reg_OpenKey(Key(), "ONE\\two\\tHrEe", RegAccess::Read, opened.Out()));
  ScopedRegKey missing;
  EXPECT_EQ(kErrorFileNotFound, Reg_OpenKey(Key(), "One\\Four", RegAccess::Read, missing.Out()));
  EXPECT_EQ(nullptr, missing.Get());
}

TEST_F(RegistryContract, ValuesKeepTheirTypeAndSizeAndReportTheSizeNeeded) {
  SetBinary(Key(), "bin", {1, 2, 3, 4, 5});
  ASSERT_EQ(0, Reg_SetDword(Key(), "word", 0xA1B2C3D4u));
  ASSERT_EQ(0, Reg_SetText(Key(), "text", "hello"));
  ASSERT_EQ(0, Reg_SetText(Key(), "expand", "%TEMP%\\x", kRegExpandSz));

  uint32_t type = 0, size = 0;
  ASSERT_EQ(0, Reg_QueryValue(Key(), "bin", &type, nullptr, &size));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(5u, size);

  unsigned char small[3];
  size = sizeof(small);
  EXPECT_EQ(kErrorMoreData, Reg_QueryValue(Key(), "bin", &type, small, &size));
  EXPECT_EQ(5u, size);

  unsigned char exact[5] = {};
  size = sizeof(exact);
  ASSERT_EQ(0, Reg_QueryValue(Key(), "BIN", &type, exact, &size));
  EXPECT_EQ(0, memcmp(exact, "\1\2\3\4\5", 5));

  uint32_t word = 0;
  ASSERT_EQ(0, Reg_QueryDword(Key(), "word", &word));
  EXPECT_EQ(0xA1B2C3D4u, word);
  EXPECT_NE(0, Reg_QueryDword(Key(), "bin", &word));  // five bytes do not fit a word
  SetBinary(Key(), "four", {1, 0, 0, 0});
  EXPECT_EQ(kErrorInvalidData, Reg_QueryDword(Key(), "four", &word));

  char text[32];
  ASSERT_EQ(0, Reg_QueryText(Key(), "text", text, sizeof(text), &type));
  EXPECT_STREQ("hello", text);
  EXPECT_EQ(kRegSz, type);
  ASSERT_EQ(0, Reg_QueryText(Key(), "expand", text, sizeof(text), &type));
  EXPECT_STREQ("%TEMP%\\x", text);  // never expanded
  EXPECT_EQ(kRegExpandSz, type);
  EXPECT_EQ(kErrorInvalidData, Reg_QueryText(Key(), "word", text, sizeof(text)));
  EXPECT_EQ(kErrorMoreData, Reg_QueryText(Key(), "text", text, 5));
  EXPECT_STREQ("", text);
  EXPECT_EQ(kErrorFileNotFound, Reg_QueryValue(Key(), "absent", &type, nullptr, &size));
}

TEST_F(RegistryContract, TextWithoutItsNulIsReadSafely) {
  // Another program may store a REG_SZ without the terminating NUL.
  ASSERT_EQ(0, Reg_SetValue(Key(), "bare", kRegSz, "abcd", 4));
  char text[8];
  memset(text, 'x', sizeof(text));
  ASSERT_EQ(0, Reg_QueryText(Key(), "bare", text, sizeof(text)));
  EXPECT_STREQ("abcd", text);
  // Four characters and a NUL need five bytes.
  EXPECT_EQ(kErrorMoreData, Reg_QueryText(Key(), "bare", text, 4));
  EXPECT_EQ(0, Reg_QueryText(Key(), "bare", text, 5));
  EXPECT_STREQ("abcd", text);
}

TEST_F(RegistryContract, TheDefaultValueHasTheEmptyName) {
  SetBinary(Key(), "", {9, 8});
  uint32_t type = 0, size = 0;
  ASSERT_EQ(0, Reg_QueryValue(Key(), nullptr, &type, nullptr, &size));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(2u, size);
  char name[16] = "junk";
  uint32_t nameSize = sizeof(name);
  ASSERT_EQ(0, Reg_EnumValue(Key(), 0, name, &nameSize, &type, nullptr, nullptr));
  EXPECT_EQ(0u, nameSize);
  EXPECT_STREQ("", name);
  EXPECT_EQ(0, Reg_DeleteValue(Key(), ""));
  EXPECT_EQ(kErrorFileNotFound, Reg_QueryValue(Key(), "", &type, nullptr, &size));
}

TEST_F(RegistryContract, SubkeysEnumerateByIndexInNameOrderUntilNoMoreItems) {
  for (const char* name : {"beta", "Alpha", "gamma-long-name"}) {
    ScopedRegKey sub;
    ASSERT_EQ(0, Reg_CreateKey(Key(), name, RegAccess::All, sub.Out()));
  }
  char name[8];
  uint32_t size = sizeof(name);
  ASSERT_EQ(0, Reg_EnumKey(Key(), 0, name, &size));
  EXPECT_STREQ("Alpha", name);
  EXPECT_EQ(5u, size);
  size = sizeof(name);
  ASSERT_EQ(0, Reg_EnumKey(Key(), 1, name, &size));
  EXPECT_STREQ("beta", name);
  // A name longer than the buffer gives 234 and the enumeration goes on.
  size = sizeof(name);
  EXPECT_EQ(kErrorMoreData, Reg_EnumKey(Key(), 2, name, &size));
  size = sizeof(name);
  EXPECT_EQ(kErrorNoMoreItems, Reg_EnumKey(Key(), 3, name, &size));
}

TEST_F(RegistryContract, ValuesEnumerateWithNameTypeAndDataInOneCall) {
  SetBinary(Key(), "first", {1, 2, 3});
  ASSERT_EQ(0, Reg_SetText(Key(), "second", "xyz"));

  std::vector<std::string> seen;
  for (uint32_t i = 0;; ++i) {
    char name[16];
    uint32_t nameSize = sizeof(name), type = 0;
    unsigned char data[16];
    uint32_t dataSize = sizeof(data);
    int32_t status = Reg_EnumValue(Key(), i, name, &nameSize, &type, data, &dataSize);
    if (status == kErrorNoMoreItems) break;
    ASSERT_EQ(0, status);
    if (strcmp(name, "first") == 0) {
      EXPECT_EQ(kRegBinary, type);
      EXPECT_EQ(3u, dataSize);
      EXPECT_EQ(0, memcmp(data, "\1\2\3", 3));
    } else {
      EXPECT_STREQ("second", name);
      EXPECT_EQ(kRegSz, type);
      EXPECT_EQ(4u, dataSize);
      EXPECT_STREQ("xyz", reinterpret_cast<char*>(data));
    }
    seen.push_back(name);
  }
  EXPECT_EQ(2u, seen.size());

  char name[16];
  uint32_t nameSize = sizeof(name), type = 0;
  unsigned char tiny[1];
  uint32_t dataSize = sizeof(tiny);
  EXPECT_EQ(kErrorMoreData, Reg_EnumValue(Key(), 0, name, &nameSize, &type, tiny, &dataSize));
  nameSize = 2;
  EXPECT_EQ(kErrorMoreData, Reg_EnumValue(Key(), 0, name, &nameSize, &type, nullptr, nullptr));
}

TEST_F(RegistryContract, NamesAreCaseInsensitiveAndAnExistingValueIsReplaced) {
  ASSERT_EQ(0, Reg_SetText(Key(), "Preset", "one"));
  ASSERT_EQ(0, Reg_SetText(Key(), "PRESET", "two"));
  RegKeyInfo info;
  ASSERT_EQ(0, Reg_QueryInfo(Key(), &info));
  EXPECT_EQ(1u, info.valueCount);
  char text[8];
  ASSERT_EQ(0, Reg_QueryText(Key(), "preset", text, sizeof(text)));
  EXPECT_STREQ("two", text);
}

TEST_F(RegistryContract, NamesCarryAnyCharacterInUtf8) {
  const char* keyName = "R\xC3\xA9verb \xE2\x82\xAC";          // Réverb €
  const char* valueName = "\xE5\xA3\xB0 Hall \xF0\x9F\x8E\xB5";  // 声 Hall 🎵
  ScopedRegKey sub;
  ASSERT_EQ(0, Reg_CreateKey(Key(), keyName, RegAccess::All, sub.Out()));
  ASSERT_EQ(0, Reg_SetText(sub.Get(), valueName, keyName));

  char name[64];
  uint32_t size = sizeof(name);
  ASSERT_EQ(0, Reg_EnumKey(Key(), 0, name, &size));
  EXPECT_STREQ(keyName, name);
  EXPECT_EQ(strlen(keyName), size);
  size = sizeof(name);
  ASSERT_EQ(0, Reg_EnumValue(sub.Get(), 0, name, &size, nullptr, nullptr, nullptr));
  EXPECT_STREQ(valueName, name);
  char text[64];
  ASSERT_EQ(0, Reg_QueryText(sub.Get(), valueName, text, sizeof(text)));
  EXPECT_STREQ(keyName, text);
  // Letter case of accented letters does not matter either.
  ScopedRegKey upper;
  EXPECT_EQ(0, Reg_OpenKey(Key(), "R\xC3\x89VERB \xE2\x82\xAC", RegAccess::Read, upper.Out()));
}

// Pairs that look alike but are two names to the registry, and pairs that
// are one name. The program decides identity by Text_EqualNoCase, which must
// agree with this for every pair, natively and under Wine.
const char* const kApartPairs[][2] = {
    {"Stra\xC3\x9F" "e", "STRASSE"},          // sharp s stays itself
    {"Caf\xC3\xA9", "Cafe\xCC\x81"},          // precomposed and combining accent
    {"ab", "a\xC2\xAD" "b"},                   // soft hyphen
    {"\xE2\x84\xAA", "k"},                    // Kelvin sign
    {"\xF0\x90\x90\xA8", "\xF0\x90\x90\x80"},  // letters beyond the 16-bit units
};
const char* const kSamePairs[][2] = {
    {"Vocal", "VOCAL"},
    {"Stra\xC3\x9F" "e", "STRA\xC3\x9F" "E"},
    {"Caf\xC3\xA9", "CAF\xC3\x89"},
    {"\xCF\x83\xCE\xB9", "\xCE\xA3\xCE\x99"},  // σι and ΣΙ
};

TEST_F(RegistryContract, NamesAreTheSameExactlyAsTheProgramDecides) {
  for (const auto& pair : kApartPairs) {
    ScopedRegKey sub;
    ASSERT_EQ(0, Reg_CreateKey(Key(), "apart", RegAccess::All, sub.Out()));
    ASSERT_EQ(0, Reg_SetText(sub.Get(), pair[0], "first"));
    ASSERT_EQ(0, Reg_SetText(sub.Get(), pair[1], "second"));
    RegKeyInfo info;
    ASSERT_EQ(0, Reg_QueryInfo(sub.Get(), &info));
    EXPECT_EQ(2u, info.valueCount) << pair[0];
    char text[16];
    ASSERT_EQ(0, Reg_QueryText(sub.Get(), pair[0], text, sizeof(text)));
    EXPECT_STREQ("first", text) << pair[0];
    EXPECT_FALSE(Text_EqualNoCase(pair[0], pair[1])) << pair[0];
    // Keys follow the same rule as values.
    ScopedRegKey one, other;
    ASSERT_EQ(0, Reg_CreateKey(sub.Get(), pair[0], RegAccess::All, one.Out()));
    EXPECT_EQ(kErrorFileNotFound, Reg_OpenKey(sub.Get(), pair[1], RegAccess::Read, other.Out())) << pair[0];
    sub.Reset();
    ASSERT_EQ(0, Reg_DeleteTree(Key(), "apart"));
  }
  for (const auto& pair : kSamePairs) {
    ASSERT_EQ(0, Reg_SetText(Key(), pair[0], "first"));
    ASSERT_EQ(0, Reg_SetText(Key(), pair[1], "second"));
    char text[16];
    ASSERT_EQ(0, Reg_QueryText(Key(), pair[0], text, sizeof(text)));
    EXPECT_STREQ("second", text) << pair[0];
    EXPECT_TRUE(Text_EqualNoCase(pair[0], pair[1])) << pair[0];
    ASSERT_EQ(0, Reg_DeleteValue(Key(), pair[0]));
  }
}

TEST_F(RegistryContract, InfoCountsSubkeysAndValuesAndTracksWrites) {
  ScopedRegKey sub;
  ASSERT_EQ(0, Reg_CreateKey(Key(), "child-key", RegAccess::All, sub.Out()));
  SetBinary(Key(), "a-longer-name", std::vector<unsigned char>(300, 7));
  ASSERT_EQ(0, Reg_SetText(Key(), "b", "x"));
  RegKeyInfo before;
  ASSERT_EQ(0, Reg_QueryInfo(Key(), &before));
  EXPECT_EQ(1u, before.subKeyCount);
  EXPECT_EQ(9u, before.maxSubKeyLength);
  EXPECT_EQ(2u, before.valueCount);
  EXPECT_EQ(13u, before.maxValueNameLength);
  EXPECT_EQ(300u, before.maxValueSize);
  EXPECT_NE(0u, before.lastWriteTime);

  ASSERT_EQ(0, Reg_DeleteValue(Key(), "b"));
  RegKeyInfo after;
  ASSERT_EQ(0, Reg_QueryInfo(Key(), &after));
  EXPECT_EQ(1u, after.valueCount);
  EXPECT_GE(after.lastWriteTime, before.lastWriteTime);
  EXPECT_EQ(kErrorFileNotFound, Reg_DeleteValue(Key(), "b"));
}

TEST_F(RegistryContract, DeletingAKeyTakesItsValuesAndRefusesOneWithSubkeys) {
  ScopedRegKey parent, child;
  ASSERT_EQ(0, Reg_CreateKey(Key(), "parent", RegAccess::All, parent.Out()));
  ASSERT_EQ(0, Reg_CreateKey(Key(), "parent\\child", RegAccess::All, child.Out()));
  ASSERT_EQ(0, Reg_SetText(child.Get(), "v", "x"));
  ASSERT_EQ(0, Reg_SetText(parent.Get(), "v", "x"));

  EXPECT_NE(0, Reg_DeleteKey(Key(), "parent"));
  ASSERT_EQ(0, Reg_DeleteKey(Key(), "parent\\child"));
  // The handle still open on the deleted key no longer reaches it.
  EXPECT_EQ(kErrorKeyDeleted, Reg_SetText(child.Get(), "w", "y"));
  ScopedRegKey reopened;
  EXPECT_EQ(kErrorFileNotFound, Reg_OpenKey(Key(), "parent\\child", RegAccess::Read, reopened.Out()));

  ASSERT_EQ(0, Reg_CreateKey(Key(), "parent\\again\\deeper", RegAccess::All, child.Out()));
  child.Reset();
  parent.Reset();
  EXPECT_EQ(0, Reg_DeleteTree(Key(), "parent"));
  EXPECT_EQ(kErrorFileNotFound, Reg_OpenKey(Key(), "parent", RegAccess::Read, reopened.Out()));
  EXPECT_EQ(kErrorFileNotFound, Reg_DeleteKey(Key(), "parent"));
}

TEST_F(RegistryContract, AKeyOpenedForReadingCannotBeWritten) {
  ScopedRegKey reader;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), scratch_.Path().c_str(), RegAccess::Read, reader.Out()));
  EXPECT_EQ(kErrorAccessDenied, Reg_SetText(reader.Get(), "v", "x"));
  EXPECT_EQ(kErrorAccessDenied, Reg_DeleteValue(reader.Get(), "v"));
  RegKeyInfo info;
  EXPECT_EQ(0, Reg_QueryInfo(reader.Get(), &info));
}

}  // namespace
