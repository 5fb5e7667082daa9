// The frame's caption made from the document, shortened in the middle when
// the file name is too long for it, and the folder part of a path.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/document.h"
#include "kernel/product.h"
#include "platform/text.h"

namespace {

std::string Title(const char* path, uint32_t flags, size_t size = kTitleSize) {
  DocumentRecord document;
  Document_SetUntitled(&document);
  if (path != nullptr) Document_SetPath(&document, path);
  document.flags |= flags;
  char title[kTitleSize * 2];
  Document_FormatTitle(&document, nullptr, title, size);
  return title;
}

class DocumentTitle : public ::testing::Test {
 protected:
  void SetUp() override { VtRegisterProductTokens(); }
};

TEST_F(DocumentTitle, NamesTheFileWithItsMarks) {
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled", Title(nullptr, 0));
  EXPECT_EQ("Veltrane Ordalis 1.0 - bank.vtpreset*", Title("C:\\Presets\\bank.vtpreset", kDocModified));
  EXPECT_EQ("Veltrane Ordalis 1.0 - bank.vtpreset* (Read-Only)",
            Title("C:\\Presets\\bank.vtpreset", kDocModified | kDocReadOnly));
  EXPECT_EQ("Veltrane Ordalis 1.0 - a&b.vtpreset", Title("a&b.vtpreset", 0));
}

TEST_F(DocumentTitle, ALongNameLosesItsMiddleAndKeepsBothMarks) {
  // 259 bytes of name, two bytes to each "é": the marks would not fit.
  std::string name = "Start-";
  while (name.size() < 240) name += "\xC3\xA9";
  name += "-End.vtpreset";
  ASSERT_LE(name.size(), kNameChars);
  std::string title = Title(("C:\\" + name).c_str(), kDocModified | kDocReadOnly);
  EXPECT_LE(title.size(), kTitleSize - 1);
  EXPECT_GE(title.size(), kTitleSize - 4);
  EXPECT_EQ(0u, title.find("Veltrane Ordalis 1.0 - Start-"));
  EXPECT_NE(std::string::npos, title.find("..."));
  EXPECT_NE(std::string::npos, title.find("-End.vtpreset* (Read-Only)"));
  // Every character is whole: the text converts back and forth unchanged.
  char16_t wide[kTitleSize];
  char back[kTitleSize * 2];
  Text_ToUtf16(title.c_str(), wide, kTitleSize);
  Text_FromUtf16(wide, kTitleSize, back, sizeof(back));
  EXPECT_EQ(title, back);
  // A name that fits is left whole.
  EXPECT_EQ(std::string::npos, Title("C:\\short.vtpreset", kDocModified | kDocReadOnly).find("..."));
}

TEST(ShortenInMiddle, CutsOnlyBetweenCharacters) {
  char out[64];
  EXPECT_EQ(5u, ShortenInMiddle("fits.", 5, out, sizeof(out)));
  EXPECT_STREQ("fits.", out);
  EXPECT_EQ(9u, ShortenInMiddle("abcdefghijklmnop", 9, out, sizeof(out)));
  EXPECT_STREQ("abc...nop", out);
  // "ä" is two bytes, "€" three: no room for half of one.
  size_t length = ShortenInMiddle("\xC3\xA4\xC3\xA4\xC3\xA4-\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 10, out, sizeof(out));
  EXPECT_LE(length, 10u);
  EXPECT_STREQ("\xC3\xA4\xC3\xA4...\xE2\x82\xAC", out);
  // The output buffer bounds the result too.
  length = ShortenInMiddle("abcdefghijklmnop", 40, out, 8);
  EXPECT_EQ(7u, length);
  EXPECT_STREQ("ab...op", out);
}

TEST(DocumentFolder, IsThePathBeforeTheFileName) {
  char folder[kNameSize];
  EXPECT_EQ(13u, Document_Folder("C:\\My Presets\\bank.vtpreset", folder, sizeof(folder)));
  EXPECT_STREQ("C:\\My Presets", folder);
  Document_Folder("C:\\bank.vtpreset", folder, sizeof(folder));
  EXPECT_STREQ("C:\\", folder);
  EXPECT_EQ(0u, Document_Folder("bank.vtpreset", folder, sizeof(folder)));
  EXPECT_STREQ("", folder);
  EXPECT_STREQ("bank.vtpreset", Document_FileName("C:\\My Presets\\bank.vtpreset"));
}

}  // namespace
