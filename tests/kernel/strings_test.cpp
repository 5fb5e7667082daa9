#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kernel/error_text.h"
#include "kernel/kernel.h"
#include "kernel/strings.h"
#include "platform/status.h"
#include "resource.h"

namespace {

struct LangOwner {
  VtLang* handle = nullptr;
  ~LangOwner() { VtLang_Close(handle); }
};

TEST(StringResources, TheProgramsStringsLoadInEveryBuild) {
  char buffer[256];
  EXPECT_EQ(4, VtLoadString(nullptr, IDS_GROUP_COPY, buffer, sizeof(buffer)));
  EXPECT_STREQ("Copy", buffer);
  VtLoadString(nullptr, IDS_TITLE_READ_ONLY, buffer, sizeof(buffer));
  EXPECT_STREQ(" (Read-Only)", buffer);
  EXPECT_EQ(0, VtLoadString(nullptr, 12345, buffer, sizeof(buffer)));
  EXPECT_STREQ("", buffer);
  // Cut to the buffer.
  char small[4];
  EXPECT_EQ(3, VtLoadString(nullptr, IDS_GROUP_DELETE, small, sizeof(small)));
  EXPECT_STREQ("Del", small);
}

TEST(StringResources, RingTextsStayValidUntilTheRingWraps) {
  LangOwner lang;
  ASSERT_EQ(0, VtLang_Open(&lang.handle, nullptr, 2, 100));  // the smallest ring
  const char* first = VtGetString(lang.handle, IDS_GROUP_COPY);
  const char* second = VtGetString(lang.handle, IDS_GROUP_DELETE);
  EXPECT_STREQ("Copy", first);
  EXPECT_STREQ("Delete", second);
  // Later texts leave the earlier ones alone until the ring starts over at
  // the front, which it does within its size.
  size_t handedOut = 0;
  const char* next;
  while ((next = VtGetString(lang.handle, IDS_SAVE_TITLE)) != first) {
    ASSERT_STREQ("Save Preset Package", next);
    ASSERT_STREQ("Copy", first);
    ASSERT_STREQ("Delete", second);
    handedOut += strlen(next) + 1;
    ASSERT_LE(handedOut, static_cast<size_t>(kVtRingSmall)) << "the ring never wrapped";
  }
  EXPECT_STREQ("Save Preset Package", first);
  EXPECT_STREQ("", VtGetString(lang.handle, 12345));
}

TEST(StringResources, TablesAreSearchedByRangeAndResourcesOverrideThem) {
  LangOwner lang;
  ASSERT_EQ(0, VtLang_Open(&lang.handle, nullptr, 0, 0));
  EXPECT_STREQ("", VtGetString2(lang.handle, 1));  // no tables yet

  static const char* const kTexts[] = {"one", "two", nullptr};
  static const char* const kOverridden[] = {"Kopie", "Entfernen"};
  ASSERT_EQ(0, VtLang_AddStringTable(lang.handle, kTexts, 3, 10));
  ASSERT_EQ(0, VtLang_AddStringTable(lang.handle, kOverridden, 2, IDS_GROUP_COPY));
  EXPECT_EQ(E_INVALIDARG, VtLang_AddStringTable(lang.handle, kTexts, 2, 12));  // overlaps 10..12
  EXPECT_EQ(E_INVALIDARG, VtLang_AddStringTable(lang.handle, kTexts, 5, 6));
  EXPECT_EQ(0, VtLang_AddStringTable(lang.handle, kTexts, 2, 13));

  const char* two = VtGetString2(lang.handle, 11);
  EXPECT_STREQ("two", two);
  EXPECT_EQ(two, VtGetString2(lang.handle, 11));  // kept and handed out again
  EXPECT_STREQ("", VtGetString2(lang.handle, 12));
  EXPECT_STREQ("one", VtGetString2(lang.handle, 13));
  EXPECT_STREQ("Copy", VtGetString2(lang.handle, IDS_GROUP_COPY));  // the string resource wins
  EXPECT_STREQ("VtGetString2(uId=9, ERROR)", VtGetString2(lang.handle, 9));

  VtLang_DestroyStringTables(lang.handle);
  EXPECT_STREQ("", VtGetString2(lang.handle, 11));
}

TEST(KernelTexts, ExplanationsOfStatuses) {
  char text[512];
  VtGetErrorExplanation(E_INVALIDARG, text, sizeof(text));
  EXPECT_STREQ("\n\nAn invalid argument was specifed.", text);
  VtGetErrorExplanation(static_cast<int32_t>(0x80041234), text, sizeof(text));
  EXPECT_STREQ("Error 0x80041234 (message missing)", text);
  // A platform error the program has no words for gets the platform's.
  VtGetErrorExplanation(StatusFromError(kErrorAccessDenied), text, sizeof(text));
  EXPECT_EQ(0u, std::string(text).find("\n\nAccess")) << text;

  // The same texts once the kernel has started and reads them through its strings.
  ASSERT_EQ(0, VtKernel_Start(nullptr));
  VtGetErrorExplanation(E_OUTOFMEMORY, text, sizeof(text));
  EXPECT_STREQ(
      "\n\nThe system is low on memory. You may be able to reduce memory usage by closing other applications.", text);
  EXPECT_STREQ("Yes to &All", VtKernel_Text(kVtTextYesToAll));
  EXPECT_STREQ("", VtKernel_Text(4429));
  VtKernel_Shutdown();
  EXPECT_STREQ("N&o to All", VtKernel_Text(kVtTextNoToAll));
}

}  // namespace
