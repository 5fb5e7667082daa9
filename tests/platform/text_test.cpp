// Texts in the program's code page: cutting, UTF-16 conversion, comparison.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/text.h"

namespace {

const char* kE = "\xC3\xA9";            // é, two bytes
const char* kEuro = "\xE2\x82\xAC";     // €, three bytes
const char* kNote = "\xF0\x9F\x8E\xB5";  // 🎵, four bytes, a surrogate pair in UTF-16

TEST(Text, TheProgramRunsInUtf8) { EXPECT_TRUE(Text_IsUtf8()); }

TEST(Text, CuttingNeverSplitsACharacter) {
  std::string text = std::string("ab") + kE + kEuro + kNote;  // 2 + 2 + 3 + 4 bytes
  EXPECT_EQ(2u, Text_CutLength(text.c_str(), 3));
  EXPECT_EQ(4u, Text_CutLength(text.c_str(), 4));
  EXPECT_EQ(4u, Text_CutLength(text.c_str(), 6));
  EXPECT_EQ(7u, Text_CutLength(text.c_str(), 10));
  EXPECT_EQ(11u, Text_CutLength(text.c_str(), 100));
  // A stray byte is a character of its own and never swallows the NUL.
  EXPECT_EQ(1u, Text_CutLength("\xC3", 10));
  EXPECT_EQ(3u, Text_CutLength("a\xE2\x82", 10));

  char buffer[6];
  memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(4u, Text_Copy(buffer, sizeof(buffer), text.c_str()));
  EXPECT_EQ(std::string("ab") + kE, buffer);
  EXPECT_EQ(0u, Text_Copy(buffer, 0, text.c_str()));
  EXPECT_EQ(0u, Text_Copy(buffer, 1, text.c_str()));
  EXPECT_STREQ("", buffer);

  char joined[8] = "ab";
  EXPECT_EQ(5u, Text_Append(joined, sizeof(joined), (std::string(kEuro) + kEuro).c_str()));
  EXPECT_EQ(std::string("ab") + kEuro, joined);
}

TEST(Text, Utf16ConversionRoundTripsAndCutsWholeCharacters) {
  std::string text = std::string("A") + kE + kEuro + kNote;
  char16_t wide[16];
  ASSERT_EQ(5u, Text_ToUtf16(text.c_str(), wide, 16));
  EXPECT_EQ(u'A', wide[0]);
  EXPECT_EQ(0x00E9, wide[1]);
  EXPECT_EQ(0x20AC, wide[2]);
  EXPECT_EQ(0xD83C, wide[3]);
  EXPECT_EQ(0xDFB5, wide[4]);
  EXPECT_EQ(0, wide[5]);
  // Room for four units leaves out the pair rather than half of it.
  EXPECT_EQ(3u, Text_ToUtf16(text.c_str(), wide, 5));
  EXPECT_EQ(0, wide[3]);

  char back[32];
  ASSERT_EQ(text.size(), Text_FromUtf16(u"A\u00E9\u20AC\U0001F3B5", 16, back, sizeof(back)));
  EXPECT_EQ(text, back);
  // Only the units given are read, and the output is cut whole.
  EXPECT_EQ(3u, Text_FromUtf16(u"A\u00E9\u20AC", 2, back, sizeof(back)));
  EXPECT_EQ(3u, Text_FromUtf16(u"A\u00E9\u20AC", 16, back, 6));
  EXPECT_EQ(std::string("A") + kE, back);
  // A lone surrogate becomes the replacement character.
  char16_t lone[] = {0xD800, u'x', 0};
  ASSERT_EQ(4u, Text_FromUtf16(lone, 3, back, sizeof(back)));
  EXPECT_STREQ("\xEF\xBF\xBDx", back);
}

TEST(Text, LongNamesSurviveTheRoundTrip) {
  std::string name;
  while (name.size() + 3 <= 259) name += kEuro;
  char16_t wide[260];
  Text_ToUtf16(name.c_str(), wide, 260);
  char back[260];
  Text_FromUtf16(wide, 260, back, sizeof(back));
  EXPECT_EQ(name, back);
}

TEST(Text, ComparisonIgnoresLetterCaseOnlyWhenAsked) {
  EXPECT_EQ(0, Text_CompareNoCase("Reverb", "rEVERB"));
  EXPECT_EQ(0, Text_CompareNoCase((std::string("Caf") + kE).c_str(), "CAF\xC3\x89"));
  EXPECT_EQ(0, Text_CompareNoCase("\xCE\xA3\xCE\xB9", "\xCF\x83\xCE\x99"));  // Σι and σΙ
  EXPECT_LT(Text_CompareNoCase("apple", "Banana"), 0);
  EXPECT_GT(Text_CompareNoCase("Cherry", "banana"), 0);
  EXPECT_LT(Text_CompareNoCase("abc", "abcd"), 0);
  EXPECT_NE(0, Text_CompareNoCase("Reverb 1", "Reverb 2"));
  EXPECT_TRUE(Text_EqualNoCase("", ""));

  EXPECT_TRUE(Text_Equal("{ABC}", "{ABC}"));
  EXPECT_FALSE(Text_Equal("{ABC}", "{abc}"));
}

}  // namespace

namespace {

// The quick equality of printable ASCII texts must agree with the platform's
// comparison, which it stands in for.
TEST(Text, QuickEqualityAgreesWithTheComparison) {
  for (int a = 0x20; a <= 0x7E; ++a) {
    for (int b = 0x20; b <= 0x7E; ++b) {
      char left[] = {'x', static_cast<char>(a), 'y', '\0'};
      char right[] = {'x', static_cast<char>(b), 'y', '\0'};
      ASSERT_EQ(Text_CompareNoCase(left, right) == 0, Text_EqualNoCase(left, right)) << left << " " << right;
      ASSERT_EQ(Text_Compare(left, right) == 0, Text_Equal(left, right)) << left << " " << right;
    }
  }
  const char* const unequal[][2] = {{"co-op", "coop"}, {"it's", "its"}, {"a b", "ab"}, {"Reverb", "reverb "}};
  for (const auto& pair : unequal) {
    EXPECT_FALSE(Text_EqualNoCase(pair[0], pair[1])) << pair[0];
    EXPECT_NE(0, Text_CompareNoCase(pair[0], pair[1])) << pair[0];
  }
  // Other texts go to the platform: accented letters fold, and natively the
  // Kelvin sign is a k.
  EXPECT_TRUE(Text_EqualNoCase("CAF\xC3\x89", "caf\xC3\xA9"));
  EXPECT_FALSE(Text_Equal("CAF\xC3\x89", "caf\xC3\xA9"));
  EXPECT_TRUE(Text_Equal("caf\xC3\xA9", "caf\xC3\xA9"));
}

}  // namespace

namespace {

// Texts whose keys are equal are exactly the texts that compare equal.
TEST(Text, SortKeysAreEqualExactlyForEqualTexts) {
  const char* const texts[] = {"Reverb", "REVERB", "reverb ", "R\xC3\xA9verb", "R\xC3\x89VERB", "co-op", "coop",
                               "", "a", "A", "\xE2\x84\xAA", "k", "{0A}", "{0a}", "\xE5\xA3\xB0", "Hall 1", "Hall 2"};
  for (const char* a : texts) {
    for (const char* b : texts) {
      for (bool ignoreCase : {false, true}) {
        unsigned char keyA[256], keyB[256];
        size_t lengthA = Text_SortKey(a, ignoreCase, keyA, sizeof(keyA));
        size_t lengthB = Text_SortKey(b, ignoreCase, keyB, sizeof(keyB));
        bool sameKey = lengthA == lengthB && memcmp(keyA, keyB, lengthA) == 0;
        bool equal = ignoreCase ? Text_EqualNoCase(a, b) : Text_Equal(a, b);
        EXPECT_EQ(equal, sameKey) << "'" << a << "' '" << b << "' " << ignoreCase;
      }
    }
  }
  unsigned char tiny[2];
  EXPECT_EQ(0u, Text_SortKey("a longer text", true, tiny, sizeof(tiny)));
}

}  // namespace

namespace {

// Identity of names is one fixed rule, whatever the locale sorts together:
// only letter case of single units is set aside.
TEST(Text, NamesAreOneExactlyWhenTheirUpperCaseUnitsAreEqual) {
  const std::string sharpS = "Stra\xC3\x9F" "e";
  const std::string precomposed = "Caf\xC3\xA9";
  const std::string combining = "Cafe\xCC\x81";
  const std::string softHyphen = "a\xC2\xAD" "b";
  const char* const apart[][2] = {{sharpS.c_str(), "STRASSE"}, {precomposed.c_str(), combining.c_str()},
                                  {"ab", softHyphen.c_str()},   {"\xE2\x84\xAA", "k"},
                                  {"Vocal", "Vocal "},          {"\xC4\xB0", "i"}};  // İ is not i
  for (const auto& pair : apart) {
    EXPECT_FALSE(Text_EqualNoCase(pair[0], pair[1])) << pair[0] << " / " << pair[1];
    EXPECT_NE(0, Text_CompareNames(pair[0], pair[1])) << pair[0];
  }
  const char* const same[][2] = {{"Vocal", "VOCAL"},
                                 {sharpS.c_str(), "STRA\xC3\x9F" "E"},
                                 {precomposed.c_str(), "CAF\xC3\x89"},
                                 {"\xCF\x82", "\xCF\x83"},            // final and medial sigma: both Σ
                                 {"\xE1\xBE\x80", "\xE1\xBE\x88"},    // ᾀ and ᾈ, by the single title case
                                 {"\xC4\xB1", "I"}};                   // dotless ı upper-cases to I
  for (const auto& pair : same) {
    EXPECT_TRUE(Text_EqualNoCase(pair[0], pair[1])) << pair[0] << " / " << pair[1];
    EXPECT_EQ(0, Text_CompareNames(pair[0], pair[1])) << pair[0];
  }
  // The locale may still sort a soft hyphen as nothing; that only orders
  // what is shown and never merges two names.
  EXPECT_EQ(Text_EqualNoCase("ab", softHyphen.c_str()), Text_CompareNames("ab", softHyphen.c_str()) == 0);
}

// The order is ordinal over upper-cased UTF-16 units: ASCII punctuation
// between the cases falls after the letters, and a character beyond the
// 16-bit units (a surrogate pair) sorts before U+E000 and above.
TEST(Text, NamesOrderByTheirUpperCaseUnits) {
  EXPECT_LT(Text_CompareNames("apple", "_apple"), 0);
  EXPECT_LT(Text_CompareNames("Zulu", "[x"), 0);
  EXPECT_LT(Text_CompareNames("abc", "ABCD"), 0);
  EXPECT_LT(Text_CompareNames("\xF0\x9F\x8E\xB5", "\xEF\xBC\xA1"), 0);  // 🎵 before Ａ
  EXPECT_GT(Text_CompareNames("\xC3\xA9", "Z"), 0);
  EXPECT_EQ(0, Text_CompareNames("", ""));
  EXPECT_LT(Text_CompareNames("", "a"), 0);
  // Malformed bytes are each a replacement character, as Windows converts
  // them, so they never read past the text.
  EXPECT_EQ(0, Text_CompareNames("\xC3", "\xFF"));
  EXPECT_NE(0, Text_CompareNames("\xC3", "\xC3\xC3"));
}

}  // namespace
