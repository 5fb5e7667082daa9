// A refresh reuses what has not changed since the last one; whatever changed
// between two refreshes, it must give exactly what a full load gives.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

constexpr const char* kClassNew = "{0AB00000-0000-4000-8000-0000000000AB}";  // enumerated between A and B

class Refresh : public SystemStoreTest {
 protected:
  void SetUp() override {
    SystemStoreTest::SetUp();
    SetBinary(PlugInKey(kClassA), "a1", Pattern(10, 1));
    SetBinary(PlugInKey(kClassA), "a2", Pattern(20, 2));
    SetText(PlugInKey(kClassA), "a file", WriteOldFile("a.dxp", Pattern(4096, 3)));
    SetBinary(PlugInKey(kClassB), "b1", Pattern(30, 4));
    Register(kClassB, "B Synth");
    SetBinary(PlugInKey(kClassC), "c1", Pattern(40, 5));
    SetText(PlugInKey(kClassC), "c file", WriteOldFile("c.dxp", Pattern(4096, 6)));
    SetBinary(EditorKey("Reverb"), "Hall", Pattern(50, 7));
    SetChain("chain-1", "Vocal", Pattern(60, 8));
    SetChain("chain-2", "Drums", {});
    SetText(ChainKeyPath("chain-2"), kChainStreamValue, WriteOldFile("drums.vtg", Pattern(700, 9)));
    cache_ = SystemStoreCache_Create();
    ASSERT_NE(nullptr, cache_);
    ExpectRefreshGivesFullLoad();
  }

  // A preset file written long ago, so that its last-write time is trusted.
  std::string WriteOldFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::string path = WriteFile(name, bytes);
#ifdef _WIN32
    std::filesystem::path native = std::filesystem::u8path(path);
#else
    std::string native = path;
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
#endif
    std::error_code error;
    std::filesystem::last_write_time(native, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1),
                                     error);
    EXPECT_FALSE(error) << path;
    return path;
  }

  std::string Refreshed() {
    RefreshSystemStore(stores_, cache_.get());
    return Describe(stores_.system.plugIns.get(), stores_.system.chains.get());
  }
  void ExpectRefreshGivesFullLoad() {
    std::string full = DescribeFullLoad();
    EXPECT_EQ(full, Refreshed());
    // A second refresh, with nothing changed, reuses everything.
    EXPECT_EQ(full, Refreshed());
  }

  Stores stores_;
  OwnedSystemStoreCache cache_;
};

TEST_F(Refresh, ChangedAddedAndRemovedValuesShow) {
  SetBinary(PlugInKey(kClassA), "a1", Pattern(10, 11));  // same size, other bytes
  SetBinary(EditorKey("Reverb"), "Hall", Pattern(51, 12));
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Hall 51 bytes"));

  SetBinary(PlugInKey(kClassA), "a3", Pattern(10, 13));
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassA).c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_DeleteValue(key.Get(), "a2"));
  ASSERT_EQ(0, Reg_SetValue(key.Get(), "a file", kRegDword, "\1\0\0\0", 4));  // no longer a preset
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ(std::string::npos, Refreshed().find("preset a2 "));
}

TEST_F(Refresh, AddedAndRemovedKeysRenumberThePlugInsThatAreNotInstalled) {
  SetBinary(PlugInKey(kClassNew), "new", Pattern(5, 1));
  SetBinary(EditorKey("Delay"), "Slap", Pattern(5, 2));
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Not Installed 002 [" + std::string(kClassC) + "]"));

  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassA).c_str());
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), EditorKey("Reverb").c_str());
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Not Installed 000 [" + std::string(kClassNew) + "]"));

  // A key left with only values that are no presets drops out with its number.
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassNew).c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_DeleteValue(key.Get(), "new"));
  SetBinary(PlugInKey(kClassNew), kUntitledName, Pattern(5, 3));
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Not Installed 000 [" + std::string(kClassC) + "]"));
}

TEST_F(Refresh, ChangedAndDeletedPresetFilesShow) {
  std::string aFile = folder_.Join("a.dxp"), cFile = folder_.Join("c.dxp");
  ASSERT_TRUE(WriteWholeFile(aFile, Pattern(4096, 20)));  // same size, other bytes
  ASSERT_EQ(0, File_Delete(cFile.c_str()));
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ(std::string::npos, Refreshed().find("c file"));

  ASSERT_TRUE(WriteWholeFile(cFile, Pattern(100, 21)));
  ASSERT_TRUE(WriteWholeFile(aFile, {}));  // an empty file is no preset
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("c file 100 bytes"));
  EXPECT_EQ(std::string::npos, Refreshed().find("a file"));

  ASSERT_TRUE(WriteWholeFile(folder_.Join("drums.vtg"), Pattern(701, 22)));
  ExpectRefreshGivesFullLoad();
}

TEST_F(Refresh, PlugInClassesRegisteredOrRemovedBetweenRefreshesRenameTheirEntries) {
  Register(kClassA, "A Compressor");
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("A Compressor"));
  EXPECT_NE(std::string::npos, Refreshed().find("Not Installed 000 [" + std::string(kClassC) + "]"));

  Unregister(kClassB);
  Register(kClassA, "A Compressor 2");
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Not Installed 000 [" + std::string(kClassB) + "]"));
  EXPECT_NE(std::string::npos, Refreshed().find("A Compressor 2"));
}

TEST_F(Refresh, ChainChangesShow) {
  SetText(ChainKeyPath("chain-1"), kChainNameValue, "Lead Vocal");
  SetChain("chain-3", "Bass", Pattern(8, 1));
  ExpectRefreshGivesFullLoad();
  EXPECT_NE(std::string::npos, Refreshed().find("Lead Vocal"));

  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), ChainKeyPath("chain-2").c_str());
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), ChainKeyPath("chain-3").c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_DeleteValue(key.Get(), kChainTypeValue));
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ(std::string::npos, Refreshed().find("Drums"));
  EXPECT_EQ(std::string::npos, Refreshed().find("Bass"));
}

TEST_F(Refresh, StoreKeysThatGoAndComeBackShow) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ(std::string::npos, Refreshed().find("[{"));

  SetBinary(PlugInKey(kClassD), "d1", Pattern(5, 1));
  SetChain("chain-9", "Keys", Pattern(5, 2));
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), "Software\\Veltrane");
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ("plug-in Not Installed 000 [" + std::string(kClassD) + "] 0\n  preset d1 5 bytes",
            Refreshed().substr(0, Refreshed().find(" bytes") + 6));
}

TEST_F(Refresh, TheSystemStoreIsReadAgainAndThePackageStoreLeftAlone) {
  stores_.package.plugIns = PlugInCollection::Create();
  const PlugInCollection* package = stores_.package.plugIns.get();
  ASSERT_NE(nullptr, package);
  // An edit of the system collections that the registry does not hold.
  stores_.system.plugIns->Remove(stores_.system.plugIns->Get(0));
  ExpectRefreshGivesFullLoad();
  EXPECT_EQ(package, stores_.package.plugIns.get());

  // Without a cache, a refresh is a full load.
  RefreshSystemStore(stores_, nullptr);
  EXPECT_EQ(DescribeFullLoad(), Describe(stores_.system.plugIns.get(), stores_.system.chains.get()));
}

}  // namespace
