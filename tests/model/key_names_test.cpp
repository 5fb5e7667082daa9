#include <gtest/gtest.h>

#include "model/key_names.h"

TEST(KeyNames, OnlyNamesThatStayInsideTheStoreAreSafe) {
  EXPECT_TRUE(IsSafeKeyName("{61C55EE1-8812-4F99-BA80-599621BFB260}"));
  EXPECT_TRUE(IsSafeKeyName("Chain 0001"));
  EXPECT_TRUE(IsSafeKeyName("..."));
  EXPECT_TRUE(IsSafeKeyName("R\xC3\xA9verb"));
  for (const char* unsafe : {"", ".", "..", "..\\..\\Run", "a/b", "C:", "tab\there", "del\x7F"}) {
    EXPECT_FALSE(IsSafeKeyName(unsafe)) << unsafe;
  }
  EXPECT_FALSE(IsSafeKeyName(nullptr));
}
