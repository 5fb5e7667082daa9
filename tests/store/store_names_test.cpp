#include <gtest/gtest.h>

#include <string>

#include "store/store_names.h"

namespace {

std::string FileName(const std::string& name) {
  char out[kSafeNameSize];
  MakeSafeFileName(name.c_str(), out, sizeof(out));
  return out;
}

std::string FolderName(const std::string& name) {
  char out[kSafeNameSize];
  MakeSafeFolderName(name.c_str(), out, sizeof(out));
  return out;
}

TEST(StoreNames, CharactersThatFileNamesCannotHoldBecomeUnderscores) {
  EXPECT_EQ("a_b_c_", FileName("a/b:c?"));
  EXPECT_EQ("_________", FileName("\"*/:<>?\\|"));
  EXPECT_EQ("tab_bell_del_", FileName("tab\tbell\adel\x7F"));
  // Characters of several bytes pass whole, whatever their bytes look like.
  EXPECT_EQ("R\xC3\xA9verb \xE2\x98\x83 \xF0\x9F\x8E\xB9", FileName("R\xC3\xA9verb \xE2\x98\x83 \xF0\x9F\x8E\xB9"));
}

TEST(StoreNames, NamesThatADeviceWouldTakeGetAnUnderscoreInFront) {
  EXPECT_EQ("_Aux", FileName("Aux"));
  EXPECT_EQ("_con.preset", FileName("con.preset"));
  EXPECT_EQ("_COM1  .x.y", FileName("COM1  .x.y"));
  EXPECT_EQ("_lpt9", FileName("lpt9"));
  EXPECT_EQ("NUL_", FileName("NUL:"));
  EXPECT_EQ("_CONIN$", FileName("CONIN$"));
  EXPECT_EQ("_conout$.x", FileName("conout$.x"));
  EXPECT_EQ("_COM\xC2\xB9", FileName("COM\xC2\xB9"));  // the superscript digits make devices too
  EXPECT_EQ("_lpt\xC2\xB3 ", FileName("lpt\xC2\xB3 "));
  for (const char* name : {"COM10", "COM0", "LPT", "CONSOLE", "AUXILIARY", " CON", "Nul Reverb", "CONIN", "COM\xC2\xB9\xC2\xB9"}) {
    EXPECT_EQ(name, FileName(name));
  }
  // A name of the longest kind keeps every character after the underscore.
  std::string longest = "aux." + std::string(255, 'x');
  EXPECT_EQ("_" + longest, FileName(longest));
}

TEST(StoreNames, FolderNamesDoNotEndInADotOrABlank) {
  EXPECT_EQ("chain_", FolderName("chain."));
  EXPECT_EQ("chain_", FolderName("chain "));
  EXPECT_EQ("_AUX_", FolderName("AUX."));
  EXPECT_EQ("{0A1B2C3D-0000-4000-8000-00000000ABCD}", FolderName("{0A1B2C3D-0000-4000-8000-00000000ABCD}"));
  EXPECT_EQ("..._", FolderName("...."));
}

TEST(StoreNames, OnlyNamesThatStayInTheirOwnKeyMayBeWritten) {
  EXPECT_TRUE(IsWritableClassKey("{0A1B2C3D-0000-4000-8000-00000000ABCD}"));
  for (const char* classKey : {"", ".", "..", "a\\b", "..\\x", "a/b", "C:", "x\x01", "FX Packages", "fx PACKAGES"}) {
    EXPECT_FALSE(IsWritableClassKey(classKey)) << classKey;
  }
  EXPECT_TRUE(IsWritableEditorName("Reverb"));
  EXPECT_TRUE(IsWritableEditorName("EQ/Filter: Low"));  // fine as a key name; only its files are made safe
  for (const char* name : {"", "a\\b", "Chainer", "(untitled)", "0123456789012345678901234567890123456789"}) {
    EXPECT_FALSE(IsWritableEditorName(name)) << name;
  }
}

}  // namespace
