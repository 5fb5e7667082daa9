#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "model/plugin_collection.h"
#include "store/registered_name.h"

namespace {

constexpr const char* kClass = "{0A1B2C3D-0000-4000-8000-00000000ABCD}";
constexpr const char* kClassPath = "CLSID\\{0A1B2C3D-0000-4000-8000-00000000ABCD}";

class RegisteredName : public ::testing::Test {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  static void Remove() { Reg_DeleteTree(Reg_Root(RegRoot::ClassesRoot), kClassPath); }
  static void Register(uint32_t type, const std::string& name) {
    ScopedRegKey key;
    ASSERT_EQ(0, Reg_CreateKey(Reg_Root(RegRoot::ClassesRoot), kClassPath, RegAccess::All, key.Out()));
    ASSERT_EQ(0, Reg_SetValue(key.Get(), "", type, name.c_str(), static_cast<uint32_t>(name.size() + 1)));
  }
};

TEST_F(RegisteredName, GivesTheRegisteredNameOrTheReasonThereIsNone) {
  char name[260];
  EXPECT_EQ(kErrorFileNotFound, LookupRegisteredName(kClass, name, sizeof(name)));

  Register(kRegSz, "Studio Reverb");
  ASSERT_EQ(0, LookupRegisteredName(kClass, name, sizeof(name)));
  EXPECT_STREQ("Studio Reverb", name);
  // A buffer under 40 bytes is refused before the registry is asked.
  EXPECT_EQ(kErrorMoreData, LookupRegisteredName(kClass, name, 39));
  Register(kRegSz, std::string(45, 'x'));
  EXPECT_EQ(kErrorMoreData, LookupRegisteredName(kClass, name, 40));

  Register(kRegExpandSz, "Expandable");
  EXPECT_EQ(kErrorInvalidData, LookupRegisteredName(kClass, name, sizeof(name)));
}

}  // namespace

namespace {

TEST_F(RegisteredName, APackageShowsItsPlugInsUnderTheirRegisteredNames) {
  Register(kRegSz, "Registered Reverb");
  PlugInCollection plugIns;
  ASSERT_EQ(0, plugIns.Append(PlugInEntry::Create("Stored Name", kClass)));
  ASSERT_EQ(0, plugIns.Append(PlugInEntry::Create("Unknown", "{0A1B2C3D-0000-4000-8000-00000000FFFF}")));
  std::unique_ptr<PlugInEntry> editor = PlugInEntry::Create(kClass);  // named like the class, yet an effect
  editor->flags = kPlugInEditorBit;
  ASSERT_EQ(0, plugIns.Append(std::move(editor)));

  ApplyRegisteredNames(plugIns);
  EXPECT_STREQ("Registered Reverb", plugIns.Get(0)->name);
  EXPECT_STREQ("Unknown", plugIns.Get(1)->name);
  EXPECT_STREQ(kClass, plugIns.Get(2)->name);
  // Found under the new name, not the old one.
  EXPECT_EQ(plugIns.Get(0), plugIns.FindPlugInByName("registered reverb"));
  EXPECT_EQ(nullptr, plugIns.FindPlugInByName("Stored Name"));
}

}  // namespace
