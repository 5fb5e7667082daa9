// The native build's copy of the string table must say what the resources say.
#include <gtest/gtest.h>

#include <cstdint>

#include "kernel/strings.h"

namespace {

struct Entry {
  uint32_t id;
  const char* text;
};

const Entry kGenerated[] = {
#include "string_table.inc"
};

TEST(StringTable, TheGeneratedCopyMatchesTheCompiledResources) {
  ASSERT_GT(sizeof(kGenerated) / sizeof(kGenerated[0]), 30u);
  for (const Entry& e : kGenerated) {
    char loaded[1024];
    VtLoadString(nullptr, e.id, loaded, sizeof(loaded));
    EXPECT_STREQ(e.text, loaded) << e.id;
  }
}

}  // namespace
