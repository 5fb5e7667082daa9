// Finding names by part of them: letter case aside by simple case folding,
// in the program's code page, for any text the find box can hold.
#include <gtest/gtest.h>

#include <string>

#include "model/name_match.h"
#include "model/names.h"

namespace {

bool Finds(const char* text, const char* name) {
  NameMatch match;
  EXPECT_EQ(0, match.SetText(text));
  return match.Matches(name);
}

TEST(NameMatch, FindsTheTextAnywhereInANameLetterCaseAside) {
  EXPECT_TRUE(Finds("vocal", "Vocal Plate"));
  EXPECT_TRUE(Finds("PLATE", "Vocal Plate"));
  EXPECT_TRUE(Finds("l p", "Vocal Plate"));
  EXPECT_TRUE(Finds("Vocal Plate", "vocal plate"));
  EXPECT_FALSE(Finds("vocals", "Vocal Plate"));
  EXPECT_FALSE(Finds("plates", "Vocal Plate"));
  EXPECT_FALSE(Finds("x", ""));
  // Only letters fold: punctuation next to them stays itself.
  EXPECT_FALSE(Finds("[", "{Bright}"));
  EXPECT_FALSE(Finds("@", "`tick"));
}

TEST(NameMatch, FoldsLettersBeyondAsciiTheSameWayOnEveryPlatform) {
  EXPECT_TRUE(Finds("\xC3\x89T\xC3\x89", "Un \xC3\xA9t\xC3\xA9 chaud"));          // ÉTÉ in "été"
  EXPECT_TRUE(Finds("\xCE\xA3\xCE\x91", "\xCF\x83\xCE\xB1\xCE\xBB"));              // ΣΑ in "σαλ"
  EXPECT_TRUE(Finds("\xD0\x97\xD0\x92\xD0\xA3\xD0\x9A", "\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA"));  // ЗВУК
  EXPECT_TRUE(Finds("\xE2\x84\xAA", "kick"));                                     // the Kelvin sign folds to k
  EXPECT_TRUE(Finds("\xF0\x90\x90\x80", "x\xF0\x90\x90\xA8y"));                  // Deseret, beyond 16 bits
  EXPECT_FALSE(Finds("\xC3\xA9", "e"));                                           // accents are not dropped
  EXPECT_FALSE(Finds("e", "\xC3\xA9"));
  // A text of a character's first bytes does not find the character.
  EXPECT_FALSE(Finds("\xC3", "\xC3\xA9t\xC3\xA9"));
}

TEST(NameMatch, AnEmptyTextFindsEverythingAndATextLongerThanAnyNameNothing) {
  NameMatch match;
  EXPECT_FALSE(match.IsActive());
  EXPECT_TRUE(match.Matches("anything"));
  EXPECT_TRUE(match.Matches(""));
  ASSERT_EQ(0, match.SetText(""));
  EXPECT_FALSE(match.IsActive());

  std::string longest(kNameChars, 'a');
  ASSERT_EQ(0, match.SetText(longest.c_str()));
  EXPECT_TRUE(match.IsActive());
  EXPECT_TRUE(match.Matches(std::string(kNameChars, 'A').c_str()));
  std::string tooLong(kNameChars + 1, 'a');
  ASSERT_EQ(0, match.SetText(tooLong.c_str()));
  EXPECT_FALSE(match.Matches(std::string(kNameChars, 'a').c_str()));
  EXPECT_FALSE(match.Matches(tooLong.c_str()));
  std::string huge(100000, 'a');
  ASSERT_EQ(0, match.SetText(huge.c_str()));
  EXPECT_STREQ(huge.c_str(), match.Text());
  EXPECT_FALSE(match.Matches("a"));

  match.Clear();
  EXPECT_FALSE(match.IsActive());
  EXPECT_TRUE(match.Matches("b"));
}

}  // namespace
