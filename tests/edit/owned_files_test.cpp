// The system store never destroys what it does not own: files that other
// values share or that lie outside the store's folders stay through copies,
// deletes, renames and their undo and redo; a value whose file cannot be
// read is still there to be asked about; a chain key name that another
// chain holds is not taken from it.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "platform/file.h"
#include "store/preset_store.h"
#include "store/store_layout.h"

namespace {

class OwnedFiles : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    vendor_ = folder_.Join("vendor");
    ASSERT_EQ(0, File_CreateFolderPath(vendor_.c_str()));
  }
  // A file in the vendor's folder, outside DefLocation.
  std::string VendorFile(const char* name, const std::vector<unsigned char>& bytes) {
    std::string path = vendor_ + "\\" + name;
    EXPECT_TRUE(WriteWholeFile(path, bytes));
    return path;
  }
  // A vendor's installer points two values at one file, and a third at a
  // file of its own; all three outside DefLocation.
  void ShareVendorFiles() {
    shared_ = VendorFile("warm.dxp", Pattern(500, 1));
    alone_ = VendorFile("bright.dxp", Pattern(600, 2));
    SetText(PlugInKey(kClassA), "Warm", shared_);
    SetText(PlugInKey(kClassA), "Warm Copy", shared_);
    SetText(PlugInKey(kClassA), "Bright", alone_);
    LoadSystem();
  }
  std::string OwnFile(const char* classKey, const char* name) const {
    return presetFolder_ + "\\" + classKey + "\\" + name + kPresetFileExtension;
  }
  // The package holds presets of plug-in A.
  PlugInEntry* Incoming(std::initializer_list<std::pair<const char*, uint32_t>> presets) {
    PlugInEntry* entry = AddEntry(StoreId::Package, "Studio Reverb", kClassA);
    unsigned seed = 50;
    for (const auto& preset : presets) AddPreset(entry, preset.first, Pattern(preset.second, seed++));
    return entry;
  }
  EditOutcome Import() {
    return CopySelectionToOtherStore(edit_, StoreId::Package,
                                     Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}));
  }
  // Undo gives back the store as it was; redo what the copy made of it.
  void ExpectUndoAndRedoExact(const std::string& before) {
    std::string after = Disk();
    std::string afterRecords = Contents(StoreId::System);
    ASSERT_EQ(0, Undo(history_, stores_, nullptr));
    EXPECT_EQ(before, Disk());
    ASSERT_EQ(0, Redo(history_, stores_, nullptr));
    EXPECT_EQ(after, Disk());
    EXPECT_EQ(afterRecords, Contents(StoreId::System));
    ASSERT_EQ(0, Undo(history_, stores_, nullptr));
    EXPECT_EQ(before, Disk());
  }

  std::string vendor_;
  std::string shared_;
  std::string alone_;
};

TEST_F(OwnedFiles, AnOverwriteLeavesSharedAndOutsideFilesAndItsUndoNamesThemAgain) {
  ShareVendorFiles();
  std::string before = Disk();

  Incoming({{"Warm", 700}, {"Bright", 20}});
  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, Import().status);
  EXPECT_EQ(OwnFile(kClassA, "Warm"), QueryText(PlugInKey(kClassA), "Warm"));
  EXPECT_EQ(shared_, QueryText(PlugInKey(kClassA), "Warm Copy"));
  EXPECT_TRUE(File_Exists(shared_.c_str()));
  EXPECT_TRUE(File_Exists(alone_.c_str()));
  ExpectSystemInLineWithTheStore();
  ExpectUndoAndRedoExact(before);
  EXPECT_EQ(shared_, QueryText(PlugInKey(kClassA), "Warm"));
  EXPECT_EQ(alone_, QueryText(PlugInKey(kClassA), "Bright"));
}

TEST_F(OwnedFiles, ADeleteOrRenameLeavesFilesOutsideTheStoresFolders) {
  ShareVendorFiles();
  std::string before = Disk();

  ASSERT_TRUE(DeleteSelection(edit_, StoreId::System,
                              Select(FocusKind::List, NodeKind::PlugIn, "Not Installed 000", {"Warm", "Bright"}))
                  .committed);
  EXPECT_TRUE(File_Exists(shared_.c_str()));
  EXPECT_TRUE(File_Exists(alone_.c_str()));  // named by no other value, but the vendor's
  EXPECT_EQ("(none)", QueryText(PlugInKey(kClassA), "Bright"));
  EXPECT_EQ(shared_, QueryText(PlugInKey(kClassA), "Warm Copy"));
  // Undo writes the deleted file back where it was, so both values are as before.
  ExpectUndoAndRedoExact(before);

  // A rename deletes the value under its old name and writes it again.
  ClearUndo(history_);
  ClearRedo(history_);
  PlugInEntry* entry = stores_.system.plugIns->Get(0);
  std::unique_ptr<PresetRecord> copy = PresetRecord::CopyOf(*entry->FindPreset("Warm Copy"));
  ASSERT_EQ(0, RemovePreset(stores_, *entry, *copy, StoreId::System));
  copy->SetName("Warm Too");
  ASSERT_EQ(0, PutPreset(stores_, *entry, *copy, StoreId::System));
  EXPECT_TRUE(File_Exists(shared_.c_str()));
  EXPECT_EQ(shared_, QueryText(PlugInKey(kClassA), "Warm"));
}

TEST_F(OwnedFiles, AValueWhoseFileCannotBeReadIsStillAConflict) {
  // An unrelated text file of the user's, and an empty preset file.
  std::string notes = WriteFile("notes.txt", {});
  SetText(PlugInKey(kClassA), "Notes", notes);
  SetText(PlugInKey(kClassA), "Big", folder_.Join("missing.dxp"));
  LoadSystem();
  EXPECT_EQ(nullptr, stores_.system.plugIns);  // nothing to show
  std::string before = Disk();

  Incoming({{"Notes", 10}, {"Big", 400}});
  Answer({OverwriteAnswer::No, OverwriteAnswer::No});
  EditOutcome outcome = Import();
  EXPECT_FALSE(outcome.committed);
  ASSERT_EQ(2u, questions_.size());
  EXPECT_EQ("Notes", questions_[0].name);
  EXPECT_EQ(before, Disk());

  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, Import().status);
  EXPECT_TRUE(File_Exists(notes.c_str()));
  ExpectSystemInLineWithTheStore();
  // Undo names the file again, readable or not.
  ExpectUndoAndRedoExact(before);
  EXPECT_EQ(notes, QueryText(PlugInKey(kClassA), "Notes"));
  LoadSystem();
  EXPECT_EQ(nullptr, stores_.system.plugIns);
}

TEST_F(OwnedFiles, AChainUnderAKeyNameThatAnotherChainHoldsGetsAKeyOfItsOwn) {
  SetChain("Chain0001", "Drums", Pattern(9, 1));
  SetChain("Chain0002", "Vocal", Pattern(9, 2));
  LoadSystem();
  std::string before = Disk();

  AddChain(StoreId::Package, "Bass", "Chain0001", Pattern(400, 3));   // new, key taken
  AddChain(StoreId::Package, "vocal", "Chain0001", Pattern(10, 4));   // replaces Vocal, key taken
  Answer({OverwriteAnswer::Yes});
  ASSERT_EQ(0, Import().status);
  EXPECT_EQ("Drums", QueryText(ChainKeyPath("Chain0001"), kChainNameValue));
  EXPECT_EQ("Bass", QueryText(ChainKeyPath("Chain0001 (2)"), kChainNameValue));
  EXPECT_EQ("vocal", QueryText(ChainKeyPath("Chain0001 (3)"), kChainNameValue));
  EXPECT_FALSE(KeyExists(ChainKeyPath("Chain0002")));
  ExpectSystemInLineWithTheStore();
  ExpectUndoAndRedoExact(before);
}

TEST_F(OwnedFiles, ANewFileTakesThePlainNameUnlessAnotherValueUsesIt) {
  std::string own = presetFolder_ + "\\" + kClassA;
  ASSERT_EQ(0, File_CreateFolderPath(own.c_str()));
  ASSERT_TRUE(WriteWholeFile(OwnFile(kClassA, "Leftover"), Pattern(3, 1)));  // named by no value
  ASSERT_TRUE(WriteWholeFile(OwnFile(kClassA, "Used"), Pattern(300, 2)));
  SetText(PlugInKey(kClassA), "Other", OwnFile(kClassA, "Used"));
  LoadSystem();

  Incoming({{"Leftover", 300}, {"Used", 300}});
  ASSERT_EQ(0, Import().status);
  EXPECT_EQ(OwnFile(kClassA, "Leftover"), QueryText(PlugInKey(kClassA), "Leftover"));
  EXPECT_EQ(OwnFile(kClassA, "Used (2)"), QueryText(PlugInKey(kClassA), "Used"));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(OwnFile(kClassA, "Used"), &bytes));
  EXPECT_EQ(Pattern(300, 2), bytes);
}

}  // namespace
