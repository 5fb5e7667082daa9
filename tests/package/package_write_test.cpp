// Saving: only what can be read again is written, and a save that fails
// leaves the previous file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "package/package_file.h"
#include "package/package_fixture.h"

namespace {

constexpr const char* kKey = "{11111111-2222-4333-8444-555555555555}";

class PackageWrite : public PackageTest {
 protected:
  // The names in the test's folder, sorted.
  std::vector<std::string> FolderNames() {
    std::string path = temp_.Path();
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PackageWrite, RecordsTheReaderWouldRefuseAreLeftOut) {
  PlugInEntry* kept = AddPlugIn(plugIns_.get(), "Kept", kKey);
  AddPreset(kept, "no data", {});
  AddPreset(kept, "data", {1});
  AddPreset(AddPlugIn(plugIns_.get(), "Only empty presets", kKey), "no data", {});
  AddPlugIn(plugIns_.get(), "No presets", kKey);
  AddPreset(AddPlugIn(plugIns_.get(), "No class key", ""), "data", {1});
  AddPreset(AddPlugIn(plugIns_.get(), "Unsafe class key", "..\\..\\Run"), "data", {1});
  AddChain(chains_.get(), "no stream", "Chain0001", {});
  AddChain(chains_.get(), "unsafe key", "../up", {1});
  AddChain(chains_.get(), "kept", "Chain0003", {1, 2});
  ASSERT_EQ(0, Save());

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.plugIns->GetCount());
  EXPECT_STREQ("Kept", read.plugIns->Get(0)->name);
  ASSERT_EQ(1, read.plugIns->Get(0)->GetPresetCount());
  EXPECT_STREQ("data", read.plugIns->Get(0)->GetPreset(0)->name);
  ASSERT_EQ(1, read.chains->GetChainCount());
  EXPECT_STREQ("kept", read.chains->Get(0)->name);
  // The header still counts every record of the collections.
  ByteVector bytes = FileBytes();
  EXPECT_EQ(Join({U32(5), U32(3)}), ByteVector(bytes.begin() + 24, bytes.begin() + 32));
}

std::string Repeat(const char* text, int count) {
  std::string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

// A name field holds 259 UTF-16 units whatever their bytes; such names come
// back whole, and one unit more is refused rather than cut.
TEST_F(PackageWrite, NamesThatFillTheFieldComeBackWholeAndLongerOnesAreRefused) {
  const std::string accents = Repeat("\xC3\xA9", 259);              // 518 bytes
  const std::string euros = Repeat("\xE2\x82\xAC", 259);           // 777 bytes
  const std::string notes = Repeat("\xF0\x9F\x8E\xB5", 129) + "x";  // pairs, 259 units
  PlugInEntry* entry = AddPlugIn(plugIns_.get(), euros.c_str(), kKey);
  AddPreset(entry, accents.c_str(), {1});
  AddPreset(entry, notes.c_str(), {2});
  AddChain(chains_.get(), euros.c_str(), "Chain0001", {3});
  ASSERT_EQ(0, Save());
  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.plugIns->GetCount());
  EXPECT_EQ(euros, read.plugIns->Get(0)->name);
  ASSERT_EQ(2, read.plugIns->Get(0)->GetPresetCount());
  EXPECT_EQ(accents, read.plugIns->Get(0)->GetPreset(0)->name);
  EXPECT_EQ(notes, read.plugIns->Get(0)->GetPreset(1)->name);
  ASSERT_EQ(1, read.chains->GetChainCount());
  EXPECT_EQ(euros, read.chains->Get(0)->name);

  const ByteVector saved = FileBytes();
  const std::string tooLong[] = {accents + "e", Repeat("\xF0\x9F\x8E\xB5", 130), std::string(260, 'a')};
  for (const std::string& name : tooLong) {
    SCOPED_TRACE(name.size());
    PresetRecord* added = AddPreset(entry, name.c_str(), {4});
    EXPECT_EQ(StatusFromError(kErrorFilenameTooLong), Save());
    EXPECT_EQ(saved, FileBytes());
    entry->RemovePreset(added);
  }
  ChainRecord* chain = AddChain(chains_.get(), std::string(260, 'c').c_str(), "Chain0002", {5});
  EXPECT_EQ(StatusFromError(kErrorFilenameTooLong), Save());
  chains_->Remove(chain);
  EXPECT_EQ(0, Save());
  EXPECT_EQ(saved, FileBytes());
}

TEST_F(PackageWrite, EntriesWithoutPresetsGiveAnEmptyGroup) {
  AddPlugIn(plugIns_.get(), "No presets", kKey);
  AddChain(chains_.get(), "no stream", "Chain0001", {});
  ASSERT_EQ(0, Save());
  EXPECT_EQ(Form({PackageHeader(1, 1), List("plgs", {}), List("clst", {})}), FileBytes());
  EXPECT_EQ(0, Load().status);
}

TEST_F(PackageWrite, SavingOverAPackageReplacesItWhole) {
  AddPreset(AddPlugIn(plugIns_.get(), "Large", kKey), "big", ByteVector(5000, 1));
  ASSERT_EQ(0, Save());
  plugIns_ = PlugInCollection::Create();
  AddPreset(AddPlugIn(plugIns_.get(), "Small", kKey), "tiny", {2});
  // Someone else's file with the name a temporary file might take stays alone.
  ASSERT_TRUE(WriteWholeFile(temp_.Join("package.vtpreset.0.tmp"), {'m', 'i', 'n', 'e'}));
  ASSERT_EQ(0, Save());

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.plugIns->GetCount());
  EXPECT_STREQ("Small", read.plugIns->Get(0)->name);
  EXPECT_EQ(1234u, FileBytes().size());  // nothing left of the larger package
  EXPECT_EQ(ByteVector({'m', 'i', 'n', 'e'}), FileBytes("package.vtpreset.0.tmp"));
  EXPECT_EQ(std::vector<std::string>({"package.vtpreset", "package.vtpreset.0.tmp"}), FolderNames());
}

TEST_F(PackageWrite, FailedSavesLeaveTheOldFileAndNoTemporaryFile) {
  AddPreset(AddPlugIn(plugIns_.get(), "Old", kKey), "old", {1, 2, 3});
  ASSERT_EQ(0, Save());
  const ByteVector old = FileBytes();
  AddPreset(plugIns_->Get(0), "new", {4, 5, 6});

  ASSERT_EQ(0, File_SetReadOnly(temp_.Join("package.vtpreset").c_str(), true));
  EXPECT_EQ(E_FILE_CREATE, Save());
  ASSERT_EQ(0, File_SetReadOnly(temp_.Join("package.vtpreset").c_str(), false));
  EXPECT_EQ(old, FileBytes());
  EXPECT_EQ(std::vector<std::string>({"package.vtpreset"}), FolderNames());

  EXPECT_EQ(E_FILE_CREATE, Save("missing folder\\package.vtpreset"));
  ASSERT_EQ(0, File_CreateFolder(temp_.Join("folder.vtpreset").c_str()));
  EXPECT_EQ(E_FILE_CREATE, Save("folder.vtpreset"));
  EXPECT_EQ(std::vector<std::string>({"folder.vtpreset", "package.vtpreset"}), FolderNames());
}

}  // namespace
