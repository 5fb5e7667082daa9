// A preset value naming a file by a relative path depends on the folder the
// program runs in: it is no preset, and deleting it never deletes a file.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/plugin_entry.h"
#include "platform/file.h"
#include "store/preset_writer.h"
#include "store/store_fixture.h"
#include "store/system_loader.h"

namespace {

class RelativePath : public SystemStoreTest {
 protected:
  void SetUp() override {
    SystemStoreTest::SetUp();
    saved_ = std::filesystem::current_path();
    std::string folder = folder_.Path();
#ifndef _WIN32
    for (char& c : folder) {
      if (c == '\\') c = '/';
    }
#endif
    std::filesystem::current_path(std::filesystem::u8path(folder));
  }
  void TearDown() override {
    std::filesystem::current_path(saved_);
    SystemStoreTest::TearDown();
  }
  std::filesystem::path saved_;
};

TEST_F(RelativePath, NamesNoPresetAndLosesNoFile) {
  std::string file = WriteFile("here.dxp", Pattern(300, 1));
  SetText(PlugInKey(kClassA), "Relative", "here.dxp");
  SetBinary(PlugInKey(kClassA), "Inline", Pattern(3, 2));
  std::unique_ptr<PlugInCollection> plugIns = LoadSystemPlugIns();
  ASSERT_NE(nullptr, plugIns);
  EXPECT_EQ(nullptr, plugIns->Get(0)->FindPreset("Relative"));
  EXPECT_EQ(1, plugIns->Get(0)->GetPresetCount());

  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("x", kClassA);
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create("Relative");
  EXPECT_EQ(0, DeleteSystemPreset(*entry, *preset));
  EXPECT_TRUE(File_Exists(file.c_str()));
  EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), "Relative"));
}

}  // namespace
