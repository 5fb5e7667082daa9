// What the system store's refresh relies on to skip what has not changed:
// watches that fire on any change below a key, and subkey times that come
// with their enumeration.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "platform/registry_changes.h"
#include "support/scratch_key.h"

namespace {

class RegistryChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, Reg_CreateKey(Key(), "watched\\deep\\deeper", RegAccess::All, deeper_.Out()));
    ASSERT_EQ(0, Reg_SetText(deeper_.Get(), "value", "first"));
    ASSERT_EQ(0, Reg_CreateKey(Key(), "watched", RegAccess::All, watched_.Out()));
  }
  void TearDown() override { RegWatch_Stop(watch_); }

  RegKey Key() const { return scratch_.Get(); }
  void StartWatch() { ASSERT_EQ(0, RegWatch_Start(Key(), "watched", &watch_)); }

  ScratchKey scratch_;
  ScopedRegKey watched_, deeper_;
  RegWatch watch_ = nullptr;
};

TEST_F(RegistryChanges, AWatchFiresWhenAnythingBelowTheKeyChangesAndOnlyThen) {
  StartWatch();
  // Reading changes nothing, and neither do writes beside the key.
  char text[16];
  ASSERT_EQ(0, Reg_QueryText(deeper_.Get(), "value", text, sizeof(text)));
  ScopedRegKey beside;
  ASSERT_EQ(0, Reg_CreateKey(Key(), "beside", RegAccess::All, beside.Out()));
  ASSERT_EQ(0, Reg_SetText(beside.Get(), "value", "x"));
  EXPECT_FALSE(RegWatch_Fired(watch_));

  ASSERT_EQ(0, Reg_SetText(deeper_.Get(), "value", "second"));
  EXPECT_TRUE(RegWatch_Fired(watch_));
  EXPECT_TRUE(RegWatch_Fired(watch_));  // and stays fired

  // So do subkeys and values that come and go.
  RegWatch_Stop(watch_);
  StartWatch();
  ScopedRegKey added;
  ASSERT_EQ(0, Reg_CreateKey(watched_.Get(), "added", RegAccess::All, added.Out()));
  EXPECT_TRUE(RegWatch_Fired(watch_));

  RegWatch_Stop(watch_);
  StartWatch();
  added.Reset();
  ASSERT_EQ(0, Reg_DeleteKey(watched_.Get(), "added"));
  EXPECT_TRUE(RegWatch_Fired(watch_));

  RegWatch_Stop(watch_);
  StartWatch();
  ASSERT_EQ(0, Reg_DeleteValue(deeper_.Get(), "value"));
  EXPECT_TRUE(RegWatch_Fired(watch_));
}

TEST_F(RegistryChanges, AWatchFiresWhenItsKeyIsDeletedAndNeedsAKeyToStart) {
  StartWatch();
  watched_.Reset();
  deeper_.Reset();
  ASSERT_EQ(0, Reg_DeleteTree(Key(), "watched"));
  EXPECT_TRUE(RegWatch_Fired(watch_));

  RegWatch missing = nullptr;
  EXPECT_NE(0, RegWatch_Start(Key(), "watched", &missing));
  EXPECT_EQ(nullptr, missing);
  EXPECT_TRUE(RegWatch_Fired(missing));
}

TEST_F(RegistryChanges, SubkeysEnumerateWithTheirOwnLastWriteTime) {
  char name[64];
  uint32_t size = sizeof(name);
  uint64_t enumerated = 0;
  ASSERT_EQ(0, Reg_EnumKeyWithTime(watched_.Get(), 0, name, &size, &enumerated));
  EXPECT_EQ(std::string("deep"), name);
  EXPECT_EQ(4u, size);

  ScopedRegKey deep;
  ASSERT_EQ(0, Reg_OpenKey(watched_.Get(), "deep", RegAccess::Read, deep.Out()));
  RegKeyInfo info;
  ASSERT_EQ(0, Reg_QueryInfo(deep.Get(), &info));
  EXPECT_EQ(info.lastWriteTime, enumerated);

  // A change two levels down is not a change of the key itself.
  ASSERT_EQ(0, Reg_SetText(deeper_.Get(), "value", "second"));
  uint64_t again = 0;
  size = sizeof(name);
  ASSERT_EQ(0, Reg_EnumKeyWithTime(watched_.Get(), 0, name, &size, &again));
  EXPECT_EQ(enumerated, again);

  size = 3;
  EXPECT_EQ(kErrorMoreData, Reg_EnumKeyWithTime(watched_.Get(), 0, name, &size, &again));
  size = sizeof(name);
  EXPECT_EQ(kErrorNoMoreItems, Reg_EnumKeyWithTime(watched_.Get(), 1, name, &size, &again));
}

}  // namespace
