// Stores whose values point where the store has no business: outside its
// folders, through links, at one file by several spellings, or into another
// item's folder. Deletes, overwrites and their undo change the values only;
// every file the store does not own keeps its bytes.
#include <gtest/gtest.h>

#include <map>

#include "edit/edit_fixture.h"
#include "platform/file.h"
#include "store/store_layout.h"
#include "support/host_link.h"
#include "support/temp_folder.h"

namespace {

class HostileStore : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ownFolder_ = presetFolder_ + "\\" + kClassA;
    ASSERT_EQ(0, File_CreateFolderPath(ownFolder_.c_str()));
    ASSERT_EQ(0, File_CreateFolderPath((presetFolder_ + "\\" + kClassB).c_str()));
  }
  // A file of someone else's, outside the store's folders, whose bytes are
  // checked at the end.
  std::string Theirs(const char* name, uint32_t size, unsigned seed) {
    std::string path = outside_.Join(name);
    EXPECT_TRUE(WriteWholeFile(path, Pattern(size, seed)));
    kept_[path] = Pattern(size, seed);
    return path;
  }
  std::string Own(const char* name, uint32_t size, unsigned seed) {
    std::string path = ownFolder_ + "\\" + name;
    EXPECT_TRUE(WriteWholeFile(path, Pattern(size, seed)));
    return path;
  }
  void ExpectTheirsUntouched() {
    for (const auto& [path, bytes] : kept_) {
      std::vector<unsigned char> now;
      EXPECT_TRUE(ReadWholeFile(path, &now)) << path;
      EXPECT_EQ(bytes, now) << path;
    }
  }
  bool IsLinkThere(const std::string& path) {
    bool link = false;
    return File_IsLink(path.c_str(), &link) == 0 && link;
  }
  EditOutcome DeleteAll(std::initializer_list<const char*> names) {
    return DeleteSelection(edit_, StoreId::System,
                           Select(FocusKind::List, NodeKind::PlugIn, "Not Installed 000", names));
  }
  EditOutcome Import(std::initializer_list<std::pair<const char*, uint32_t>> presets) {
    PlugInEntry* entry = AddEntry(StoreId::Package, "Studio Reverb", kClassA);
    unsigned seed = 70;
    for (const auto& preset : presets) AddPreset(entry, preset.first, Pattern(preset.second, seed++));
    Answer({OverwriteAnswer::YesToAll});
    return CopySelectionToOtherStore(edit_, StoreId::Package,
                                     Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}));
  }

  TempFolder outside_;  // another vendor's folder, or the world beyond the prefix
  std::string ownFolder_;
  std::map<std::string, std::vector<unsigned char>> kept_;
};

// The window's Delete once deleted whatever a value named.
TEST_F(HostileStore, DeleteRemovesValuesButOnlyTheStoresOwnFiles) {
  if (!CanMakeSymbolicLinks()) GTEST_SKIP() << "symbolic links cannot be made here yet";
  std::string vendor = Theirs("vendor.dxp", 400, 1);
  std::string linked = Theirs("linked.dxp", 400, 2);
  std::string second = Theirs("second.dxp", 400, 3);
  std::string other = presetFolder_ + "\\" + kClassB + "\\Other.dxp";
  ASSERT_TRUE(WriteWholeFile(other, Pattern(400, 4)));
  kept_[other] = Pattern(400, 4);
  ASSERT_TRUE(MakeSymbolicLink(linked, ownFolder_ + "\\Link.dxp"));
  ASSERT_TRUE(MakeHardLink(second, ownFolder_ + "\\Hard.dxp"));
  std::string own = Own("Mine.dxp", 400, 5);

  SetText(PlugInKey(kClassA), "Vendor", vendor);
  std::string dots = WriteFile("dots.dxp", Pattern(400, 6));  // beside DefLocation, reached by ".."
  kept_[dots] = Pattern(400, 6);
  SetText(PlugInKey(kClassA), "Dots", ownFolder_ + "\\..\\..\\dots.dxp");
  SetText(PlugInKey(kClassA), "Link", ownFolder_ + "\\Link.dxp");
  SetText(PlugInKey(kClassA), "Hard", ownFolder_ + "\\Hard.dxp");
  SetText(PlugInKey(kClassA), "Neighbour", ownFolder_ + "\\..\\" + kClassB + "\\Other.dxp");
  SetText(PlugInKey(kClassA), "Mine", own);
  LoadSystem();
  std::string before = Disk();

  ASSERT_TRUE(DeleteAll({"Vendor", "Dots", "Link", "Hard", "Neighbour", "Mine"}).committed);
  for (const char* name : {"Vendor", "Dots", "Link", "Hard", "Neighbour", "Mine"}) {
    EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), name)) << name;
  }
  ExpectTheirsUntouched();
  EXPECT_TRUE(IsLinkThere(ownFolder_ + "\\Link.dxp"));  // the link itself is kept, not made a file
  EXPECT_TRUE(File_Exists((ownFolder_ + "\\Hard.dxp").c_str()));
  EXPECT_FALSE(File_Exists(own.c_str()));  // the store's own, named by no other value

  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(before, Disk());
  EXPECT_TRUE(IsLinkThere(ownFolder_ + "\\Link.dxp"));
  ExpectTheirsUntouched();
}

// Two values naming one file by different spellings share it: an
// overwrite of one leaves the other its file.
TEST_F(HostileStore, AFileNamedByTwoSpellingsIsShared) {
  std::string own = Own("Warm.dxp", 400, 1);
  std::vector<std::string> spellings = {ownFolder_ + "\\..\\" + kClassA + "\\Warm.dxp"};
  std::string alias = ownFolder_ + "\\Alias.dxp";
  if (CanMakeSymbolicLinks()) {
    ASSERT_TRUE(MakeSymbolicLink(own, alias));
    spellings.push_back(alias);
  }
  for (int which = 0; which < kSpellingCount; ++which) spellings.push_back(OtherSpellings(own, which));
  for (const std::string& spelling : spellings) {
    SCOPED_TRACE(spelling);
    SetText(PlugInKey(kClassA), "Warm", own);
    SetText(PlugInKey(kClassA), "Twin", spelling);
    LoadSystem();
    ClearUndo(history_);
    ClearRedo(history_);
    ASSERT_EQ(0, Import({{"Warm", 500}}).status);
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(ReadWholeFile(own, &bytes));
    EXPECT_EQ(Pattern(400, 1), bytes);  // neither replaced nor deleted
    EXPECT_EQ(spelling, QueryText(PlugInKey(kClassA), "Twin"));
    EXPECT_NE(own, QueryText(PlugInKey(kClassA), "Warm"));
    // Undo names the shared file again.
    ASSERT_EQ(0, Undo(history_, stores_, nullptr));
    EXPECT_EQ(own, QueryText(PlugInKey(kClassA), "Warm"));
    ASSERT_TRUE(ReadWholeFile(own, &bytes));
    EXPECT_EQ(Pattern(400, 1), bytes);
  }
}

// Overwrites once deleted the target of a link in the store's folder, or
// wrote through a linked folder.
TEST_F(HostileStore, AnOverwriteNeverReplacesOrDeletesThroughALink) {
  if (!CanMakeSymbolicLinks()) GTEST_SKIP() << "symbolic links cannot be made here yet";
  std::string target = Theirs("target.dxp", 400, 1);
  ASSERT_TRUE(MakeSymbolicLink(target, ownFolder_ + "\\Warm.dxp"));
  SetText(PlugInKey(kClassA), "Warm", ownFolder_ + "\\Warm.dxp");
  // A plug-in whose whole folder is a link to the outside.
  std::string theirFolder = outside_.Join("folder");
  ASSERT_EQ(0, File_CreateFolder(theirFolder.c_str()));
  std::string inFolder = theirFolder + "\\Cold.dxp";
  ASSERT_TRUE(WriteWholeFile(inFolder, Pattern(400, 2)));
  kept_[inFolder] = Pattern(400, 2);
  std::string linkedFolder = presetFolder_ + "\\" + kClassB;
  ASSERT_EQ(0, File_RemoveFolder(linkedFolder.c_str()));
  ASSERT_TRUE(MakeSymbolicLink(theirFolder, linkedFolder));
  SetText(PlugInKey(kClassB), "Cold", linkedFolder + "\\Cold.dxp");
  // A leftover planted at the name a new preset's file takes.
  std::string planted = Theirs("planted.dxp", 400, 3);
  ASSERT_TRUE(MakeSymbolicLink(planted, ownFolder_ + "\\Fresh.dxp"));
  LoadSystem();

  ASSERT_EQ(0, Import({{"Warm", 500}, {"Fresh", 600}}).status);
  PlugInEntry* entry = AddEntry(StoreId::Package, "Other", kClassB);
  AddPreset(entry, "Cold", Pattern(700, 9));
  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, CopySelectionToOtherStore(edit_, StoreId::Package,
                                         Select(FocusKind::List, NodeKind::PlugIn, "Other", {"Cold"}))
                   .status);
  ExpectTheirsUntouched();
  EXPECT_TRUE(IsLinkThere(ownFolder_ + "\\Warm.dxp"));
  EXPECT_TRUE(IsLinkThere(ownFolder_ + "\\Fresh.dxp"));
  EXPECT_NE(ownFolder_ + "\\Fresh.dxp", QueryText(PlugInKey(kClassA), "Fresh"));
  ExpectSystemInLineWithTheStore();
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  ExpectTheirsUntouched();
  EXPECT_EQ(ownFolder_ + "\\Warm.dxp", QueryText(PlugInKey(kClassA), "Warm"));
}

// A group that fails takes back the folders it made, and an undone copy
// removes the folder it made for its file.
TEST_F(HostileStore, TakingAWriteBackRemovesTheFoldersItMade) {
  std::string store = folder_.Join("Store");
  SetText(kDirectShowPresetsKey, kDefLocationValue, store, kRegExpandSz);
  SetText(kChainsKey, kDefLocationValue, store + "\\Chains", kRegExpandSz);
  LoadSystem();
  std::string before = Disk();
  AddChain(StoreId::Package, "Vocal", "K1", Pattern(400, 3));
  ASSERT_EQ(0, Import({{"Large", 500}}).status);
  EXPECT_TRUE(File_Exists((store + "\\" + kClassA + "\\Large.dxp").c_str()));
  EXPECT_TRUE(File_Exists((store + "\\Chains\\K1").c_str()));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(before, Disk());
  EXPECT_FALSE(File_Exists(store.c_str()));
}

}  // namespace
