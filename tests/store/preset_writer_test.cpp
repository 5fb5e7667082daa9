#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "store/preset_store.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/store_paths.h"
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
  // The new bytes cannot be written out: a folder stands where they would go
  // before they take the file's place.
  ASSERT_EQ(0, File_CreateFolder((FileOf("Preset") + ".tmp").c_str()));
  EXPECT_EQ(E_RIFF_WRITE, Write("Preset", Pattern(600, 2)));
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

// A name too long for a file name still gets a file: shortened, numbered
// when two shortened names meet, and the value keeps the whole name.
TEST_F(PresetWriter, ALongNameGetsAShortenedFileOfItsOwn) {
  const std::string first = std::string(250, 'n') + " one";
  const std::string second = std::string(250, 'n') + " two";
  // Cut by whole characters: two-byte ones stand where the cut falls.
  const std::string accents = [] {
    std::string text(150, 'a');
    for (int i = 0; i < 100; ++i) text += "\xC3\xA9";
    return text;
  }();
  ASSERT_EQ(0, Write(first.c_str(), Pattern(300, 1))) << failure_.detail;
  ASSERT_EQ(0, Write(second.c_str(), Pattern(300, 2))) << failure_.detail;
  ASSERT_EQ(0, Write(accents.c_str(), Pattern(300, 3))) << failure_.detail;
  const std::string fileOne = QueryText(PlugInKey(kClassA), first.c_str());
  const std::string fileTwo = QueryText(PlugInKey(kClassA), second.c_str());
  const std::string fileThree = QueryText(PlugInKey(kClassA), accents.c_str());
  EXPECT_NE(fileOne, fileTwo);
  for (const std::string& file : {fileOne, fileTwo, fileThree}) {
    EXPECT_EQ(0u, file.find(presetFolder_ + "\\" + kClassA + "\\")) << file;
    EXPECT_LE(PathUnits((file + kTemporarySuffix).c_str()), kMaxPathUnits) << file;
  }
  // No half of a character before the extension.
  ASSERT_GT(fileThree.size(), 5u);
  EXPECT_NE(0xC3, static_cast<unsigned char>(fileThree[fileThree.size() - 5])) << fileThree;
  EXPECT_EQ(Pattern(300, 1), FileBytes(fileOne));
  EXPECT_EQ(Pattern(300, 2), FileBytes(fileTwo));
  EXPECT_EQ(Pattern(300, 3), FileBytes(fileThree));

  // Read back under the whole names.
  RefreshSystemStore(stores_, nullptr);
  const PlugInEntry* read = stores_.system.plugIns->FindSamePlugIn(*entry_);
  ASSERT_NE(nullptr, read);
  for (const std::string& name : {first, second, accents}) {
    const PresetRecord* preset = read->FindPreset(name.c_str());
    ASSERT_NE(nullptr, preset) << name;
    EXPECT_EQ(name, preset->name);
  }
  // Writing one again takes its own file, not a new one.
  ASSERT_EQ(0, Write(second.c_str(), Pattern(320, 4)));
  EXPECT_EQ(fileTwo, QueryText(PlugInKey(kClassA), second.c_str()));
  EXPECT_EQ(Pattern(320, 4), FileBytes(fileTwo));
}

TEST_F(PresetWriter, OnlyADefLocationThatIsAnAbsoluteFolderTakesFiles) {
  std::string binary = folder_.Join("binary");
  SetValue(kDirectShowPresetsKey, kDefLocationValue, kRegBinary, binary.c_str(), static_cast<uint32_t>(binary.size()));
  ASSERT_EQ(0, Write("Large", Pattern(300, 1)));
  EXPECT_EQ(binary + "\\" + kClassA + "\\Large.dxp", QueryText(PlugInKey(kClassA), "Large"));
  std::string before = DescribeFullLoad();

  // Relative, drive-relative, unexpanded, empty, longer than 259
  // characters: files would land in the wrong place, or nowhere the loader
  // looks. The write fails naming the setting, and nothing is written.
  for (const std::string& location : {std::string("rel\\dir"), std::string("C:nodrive"),
                                      folder_.Join("%TEMP%\\presets"), std::string(),
                                      folder_.Join(std::string(300, 'd'))}) {
    SCOPED_TRACE(location);
    SetText(kDirectShowPresetsKey, kDefLocationValue, location, kRegExpandSz);
    EXPECT_TRUE(StatusFailed(Write("Other", Pattern(300, 3))));
    EXPECT_NE(std::string::npos, std::string(failure_.detail).find("DefLocation")) << failure_.detail;
    EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), "Other"));
    EXPECT_EQ(before, DescribeFullLoad());
    // Presets that stay in the registry do not need it.
    ASSERT_EQ(0, Write("Small", Pattern(30, 3)));
    ASSERT_EQ(0, Delete("Small"));
  }
}

}  // namespace
