#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "store/preset_store.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

// Presets written and deleted as copies and deletes do it: through the
// store-level operations, which know from the index which files other
// values name.
class PresetWriter : public SystemStoreTest {
 protected:
  void SetUp() override {
    SystemStoreTest::SetUp();
    entry_ = PlugInEntry::Create("Studio Reverb", kClassA);
    editor_ = PlugInEntry::Create("Reverb");
    editor_->flags = kPlugInEditorBit;
    RefreshSystemStore(stores_, nullptr);
  }

  static std::unique_ptr<PresetRecord> Preset(const char* name, const std::vector<unsigned char>& bytes) {
    std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
    preset->data.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    return preset;
  }
  int32_t Write(const char* name, const std::vector<unsigned char>& bytes, const PlugInEntry* entry = nullptr) {
    std::unique_ptr<PresetRecord> preset = Preset(name, bytes);
    failure_ = StoreFailure();
    StoreChange change;
    change.failure = &failure_;
    return PutPreset(stores_, entry != nullptr ? *entry : *entry_, *preset, StoreId::System, &change);
  }
  int32_t Delete(const char* name, const PlugInEntry* entry = nullptr) {
    std::unique_ptr<PresetRecord> preset = Preset(name, {});
    return RemovePreset(stores_, entry != nullptr ? *entry : *entry_, *preset, StoreId::System);
  }
  std::string FileOf(const char* fileName) const {
    return presetFolder_ + "\\" + kClassA + "\\" + fileName + kPresetFileExtension;
  }
  std::vector<unsigned char> FileBytes(const std::string& path) const {
    std::vector<unsigned char> bytes;
    EXPECT_TRUE(ReadWholeFile(path, &bytes)) << path;
    return bytes;
  }

  std::unique_ptr<PlugInEntry> entry_;
  std::unique_ptr<PlugInEntry> editor_;
  Stores stores_;
  StoreFailure failure_;  // of the last write
};

TEST_F(PresetWriter, DataFromTheThresholdUpGoesToAFileNamedAfterThePreset) {
  ASSERT_EQ(0, Write("Small", Pattern(255, 1)));
  ASSERT_EQ(0, Write("Large", Pattern(256, 2)));
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Small", &type, &bytes));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(Pattern(255, 1), bytes);

  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Large", &type, &bytes));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(FileOf("Large"), QueryText(PlugInKey(kClassA), "Large"));
  EXPECT_EQ(FileOf("Large").size() + 1, bytes.size());  // the path with its NUL
  EXPECT_EQ(Pattern(256, 2), FileBytes(FileOf("Large")));
  // The file's name is made safe; the value keeps the real one.
  ASSERT_EQ(0, Write("a/b:c?", Pattern(300, 4)));
  ASSERT_EQ(0, Write("Aux", Pattern(300, 5)));
  EXPECT_EQ(FileOf("a_b_c_"), QueryText(PlugInKey(kClassA), "a/b:c?"));
  EXPECT_EQ(Pattern(300, 4), FileBytes(FileOf("a_b_c_")));
  EXPECT_EQ(FileOf("_Aux"), QueryText(PlugInKey(kClassA), "Aux"));
  ASSERT_EQ(0, Write("R\xC3\xA9verb \xE2\x98\x83", Pattern(300, 6)));
  EXPECT_EQ(Pattern(300, 6), FileBytes(FileOf("R\xC3\xA9verb \xE2\x98\x83")));

  // Editor presets stay in the registry whatever their size.
  ASSERT_EQ(0, Write("Huge", Pattern(100000, 3), editor_.get()));
  ASSERT_TRUE(QueryValue(EditorKey("Reverb"), "Huge", &type, &bytes));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(Pattern(100000, 3), bytes);
}

TEST_F(PresetWriter, TheFirstWriteSetsDefLocationToTheProgramsFolder) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  ASSERT_EQ(0, Write("Small", Pattern(10, 1)));
  char program[1024];
  ASSERT_EQ(0, File_GetModulePath(program, sizeof(program)));
  std::string folder(program);
  folder.erase(folder.rfind('\\') + 1);
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(QueryValue(kDirectShowPresetsKey, kDefLocationValue, &type, &bytes));
  EXPECT_EQ(kRegExpandSz, type);
  EXPECT_EQ(folder + "Presets", QueryText(kDirectShowPresetsKey, kDefLocationValue));

  // One that is there is never changed.
  SetText(kDirectShowPresetsKey, kDefLocationValue, presetFolder_);
  ASSERT_EQ(0, Write("Large", Pattern(300, 2)));
  EXPECT_EQ(presetFolder_, QueryText(kDirectShowPresetsKey, kDefLocationValue));
}

TEST_F(PresetWriter, DeletingTakesTheValueAndItsFileAndLeavesTheKey) {
  ASSERT_EQ(0, Write("Old Name", Pattern(400, 1)));
  ASSERT_EQ(0, Write("Other", Pattern(400, 2)));
  // A rename deletes the preset and writes it again under the new name.
  ASSERT_EQ(0, Delete("Old Name"));
  ASSERT_EQ(0, Write("New Name", Pattern(400, 1)));
  EXPECT_FALSE(File_Exists(FileOf("Old Name").c_str()));
  EXPECT_EQ(Pattern(400, 1), FileBytes(FileOf("New Name")));
  EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), "Old Name"));

  ASSERT_EQ(0, Delete("New Name"));
  ASSERT_EQ(0, Delete("Other"));
  EXPECT_FALSE(File_Exists(FileOf("Other").c_str()));
  EXPECT_TRUE(KeyExists(PlugInKey(kClassA)));
  // What is already gone is no failure.
  EXPECT_EQ(0, Delete("Other"));
  ASSERT_EQ(0, Write("Inline", Pattern(3, 3), editor_.get()));
  ASSERT_EQ(0, Delete("Inline", editor_.get()));
  EXPECT_EQ("(none)", QueryText(EditorKey("Reverb"), "Inline"));
}

TEST_F(PresetWriter, NamesThatWouldLeadOutOfTheStoreAreRefusedAndNothingIsWritten) {
  for (const char* classKey : {"", ".", "..", "..\\..\\Software", "a/b", "C:", "x\x01", "FX Packages"}) {
    std::unique_ptr<PlugInEntry> hostile = PlugInEntry::Create("Hostile", classKey);
    EXPECT_EQ(E_FAIL, Write("DefLocation", Pattern(300, 1), hostile.get())) << classKey;
    EXPECT_EQ(E_FAIL, Delete("DefLocation", hostile.get())) << classKey;
  }
  for (const char* name : {"", "a\\b", "Chainer", "0123456789012345678901234567890123456789"}) {
    std::unique_ptr<PlugInEntry> hostile = PlugInEntry::Create(name);
    hostile->flags = kPlugInEditorBit;
    EXPECT_EQ(E_FAIL, Write("Preset", Pattern(3, 1), hostile.get())) << name;
  }
  ScopedRegKey store;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey, RegAccess::Read, store.Out()));
  RegKeyInfo info;
  ASSERT_EQ(0, Reg_QueryInfo(store.Get(), &info));
  EXPECT_EQ(1u, info.subKeyCount);  // FX Packages
  EXPECT_EQ(1u, info.valueCount);   // DefLocation
  EXPECT_EQ(folder_.Join("chains"), QueryText(kChainsKey, kDefLocationValue));
  EXPECT_FALSE(KeyExists(kEditorPresetsKey));
  EXPECT_FALSE(File_Exists(presetFolder_.c_str()));
}

TEST_F(PresetWriter, AFailedFileWriteLeavesTheOldFileAndValueAsTheyWere) {
  ASSERT_EQ(0, Write("Preset", Pattern(500, 1)));
  // The new bytes cannot take the file's place: another program reads the
  // file and lets no one replace it meanwhile.
  ScopedFile holder;
  ASSERT_EQ(0, File_Open(FileOf("Preset").c_str(), kFileRead, kShareRead, FileCreate::OpenExisting, 0, holder.Out()));
  EXPECT_EQ(E_RIFF_WRITE, Write("Preset", Pattern(600, 2)));
  holder.Reset();
  EXPECT_NE(std::string::npos, std::string(failure_.detail).find(FileOf("Preset"))) << failure_.detail;
  EXPECT_EQ(FileOf("Preset"), QueryText(PlugInKey(kClassA), "Preset"));
  EXPECT_EQ(Pattern(500, 1), FileBytes(FileOf("Preset")));
  EXPECT_EQ(500u, stores_.system.plugIns->Get(0)->FindPreset("Preset")->data.Size());

  // A folder that cannot be made: a file stands where it would be.
  std::unique_ptr<PlugInEntry> blocked = PlugInEntry::Create("Blocked", kClassB);
  ASSERT_TRUE(WriteWholeFile(presetFolder_ + "\\" + kClassB, Pattern(1, 1)));
  EXPECT_EQ(E_RIFF_WRITE, Write("Preset", Pattern(300, 3), blocked.get()));
  EXPECT_EQ("(none)", QueryText(PlugInKey(kClassB), "Preset"));
}

TEST_F(PresetWriter, AFileThatBelongsToAnotherPresetIsNeverOverwritten) {
  // Both names make the same file name.
  ASSERT_EQ(0, Write("a/b", Pattern(300, 1)));
  ASSERT_EQ(0, Write("a_b", Pattern(300, 2)));
  EXPECT_EQ(FileOf("a_b"), QueryText(PlugInKey(kClassA), "a/b"));
  EXPECT_EQ(FileOf("a_b (2)"), QueryText(PlugInKey(kClassA), "a_b"));
  EXPECT_EQ(Pattern(300, 1), FileBytes(FileOf("a_b")));
  EXPECT_EQ(Pattern(300, 2), FileBytes(FileOf("a_b (2)")));

  // Writing a preset again replaces its own file.
  ASSERT_EQ(0, Write("a/b", Pattern(310, 3)));
  EXPECT_EQ(FileOf("a_b"), QueryText(PlugInKey(kClassA), "a/b"));
  EXPECT_EQ(Pattern(310, 3), FileBytes(FileOf("a_b")));

  // A file that no value names is a leftover: the plain name is taken.
  ASSERT_TRUE(WriteWholeFile(FileOf("Stray"), Pattern(5, 4)));
  ASSERT_EQ(0, Write("Stray", Pattern(300, 5)));
  EXPECT_EQ(FileOf("Stray"), QueryText(PlugInKey(kClassA), "Stray"));
  EXPECT_EQ(Pattern(300, 5), FileBytes(FileOf("Stray")));
}

TEST_F(PresetWriter, OnlyADefLocationThatIsAnAbsoluteFolderTakesFiles) {
  ASSERT_EQ(0, Write("Large", Pattern(300, 1)));
  std::string before = DescribeFullLoad();
  auto expectRefused = [&](const std::string& why) {
    EXPECT_TRUE(StatusFailed(Write("Other", Pattern(300, 3))));
    EXPECT_NE(std::string::npos, std::string(failure_.detail).find(why)) << failure_.detail;
    EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), "Other"));
    EXPECT_EQ(before, DescribeFullLoad());
    // Presets that stay in the registry do not need it.
    ASSERT_EQ(0, Write("Small", Pattern(30, 3)));
    ASSERT_EQ(0, Delete("Small"));
  };

  // Relative, drive-relative, unexpanded, empty, longer than 259
  // characters, a whole drive or share, a device: files would land in the
  // wrong place, nowhere the loader looks, or among files the store does
  // not own. The write fails naming the setting and the value.
  for (const std::string& location :
       {std::string("rel\\dir"), std::string("C:nodrive"), folder_.Join("%TEMP%\\presets"), std::string(),
        folder_.Join(std::string(300, 'd')), std::string("C:\\"), std::string("c:\\Windows\\.."),
        std::string("\\\\server\\share\\"), std::string("\\\\?\\C:\\"), std::string("\\\\.\\PhysicalDrive0"),
        std::string("\\\\?\\GLOBALROOT\\Device"), std::string("C:\\Presets\\NUL"), std::string("/")}) {
    SCOPED_TRACE(location);
    SetText(kDirectShowPresetsKey, kDefLocationValue, location, kRegExpandSz);
    expectRefused(location.size() < 200 ? "DefLocation of " : "DefLocation");
  }
  // A file where the folder should be says so.
  std::string file = folder_.Join("not-a-folder");
  ASSERT_TRUE(WriteWholeFile(file, Pattern(4, 4)));
  SetText(kDirectShowPresetsKey, kDefLocationValue, file, kRegSz);
  expectRefused("DefLocation names a file, not a folder");
  // Only text is a folder's path, whatever other values' bytes spell.
  std::string text = folder_.Join("presets");
  for (uint32_t type : {kRegBinary, kRegDword, kRegMultiSz, kRegNone}) {
    SCOPED_TRACE(type);
    SetValue(kDirectShowPresetsKey, kDefLocationValue, type, text.c_str(), static_cast<uint32_t>(text.size() + 1));
    expectRefused("DefLocation of HKEY_CURRENT_USER\\Software\\DirectShow\\Presets is a value of type");
  }
  SetText(kDirectShowPresetsKey, kDefLocationValue, text, kRegSz);
  EXPECT_EQ(0, Write("Other", Pattern(300, 3)));
}

}  // namespace
