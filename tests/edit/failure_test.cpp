// Copies into the system store that fail part-way: whichever item fails,
// the failure names it, and taking the group back (at once, as ordalis-cli
// does, or with one Undo, as the program does) leaves the registry and the
// files exactly as they were.
#include <gtest/gtest.h>

#include <string>

#include "edit/edit_fixture.h"
#include "platform/file.h"
#include "store/store_layout.h"
#include "support/volatile_key.h"
#ifndef _WIN32
#include "platform/registry_memory.h"
#endif

namespace {

// The items of the copy, in the order the group carries them out, and how
// each is made to fail.
enum class Fail {
  OverwrittenFile,  // a plug-in's preset file that is there: its new bytes cannot be put beside it
  NewFolder,        // a new plug-in's folder cannot be made
  EditorKey,        // the editor's key takes no new effect keys
  ChainFolder,      // a new chain's folder cannot be made
  ChainFile,        // a chain that is there: its new stream cannot be put beside its file
  RefusedValue,     // the registry refuses a value of a plug-in key (the memory registry only)
};

class FailurePart : public EditTest, public ::testing::WithParamInterface<Fail> {
 protected:
  std::string OwnPreset(const char* classKey, const char* name) const {
    return presetFolder_ + "\\" + classKey + "\\" + name + kPresetFileExtension;
  }
  std::string OwnChain(const char* keyName, const char* name) const {
    return chainFolder_ + "\\" + keyName + "\\" + name + kChainFileExtension;
  }
  // Another program reads the file and lets no one replace it meanwhile.
  void Hold(const std::string& file) {
    ASSERT_EQ(0, File_Open(file.c_str(), kFileRead, kShareRead, FileCreate::OpenExisting, 0, holder_.Out()));
  }
  ScopedFile holder_;

  // A store with a file-backed preset and a file-backed chain that the copy
  // overwrites, and a package with something for every part of the store.
  void Prepare() {
    ASSERT_EQ(0, File_CreateFolderPath((presetFolder_ + "\\" + kClassA).c_str()));
    ASSERT_TRUE(WriteWholeFile(OwnPreset(kClassA, "Hall"), Pattern(300, 1)));
    SetText(PlugInKey(kClassA), "Hall", OwnPreset(kClassA, "Hall"));
    SetBinary(PlugInKey(kClassA), "Room", Pattern(20, 2));
    ASSERT_EQ(0, File_CreateFolderPath((chainFolder_ + "\\K9").c_str()));
    ASSERT_TRUE(WriteWholeFile(OwnChain("K9", "Keep"), Pattern(400, 3)));
    SetChain("K9", "Keep", {});
    SetText(ChainKeyPath("K9"), kChainStreamValue, OwnChain("K9", "Keep"));

    PlugInEntry* a = AddEntry(StoreId::Package, "Reverb", kClassA);
    AddPreset(a, "Hall", Pattern(500, 11));
    AddPreset(a, "Room", Pattern(30, 12));
    AddPreset(AddEntry(StoreId::Package, "Delay", kClassB), "Tape", Pattern(350, 13));
    AddPreset(AddEntry(StoreId::Package, "Echo", nullptr, true), "Slap", Pattern(40, 14));
    AddChain(StoreId::Package, "Vocal", "K1", Pattern(600, 15));
    AddChain(StoreId::Package, "Keep", "K9", Pattern(700, 16));
  }

  void Break(Fail fail) {
    switch (fail) {
      case Fail::OverwrittenFile:
        Hold(OwnPreset(kClassA, "Hall"));
        break;
      case Fail::NewFolder:
        ASSERT_TRUE(WriteWholeFile(presetFolder_ + "\\" + kClassB, Pattern(1, 1)));
        break;
      case Fail::EditorKey:
        ASSERT_TRUE(CreateVolatileKey(kEditorPresetsKey));
        break;
      case Fail::ChainFolder:
        ASSERT_TRUE(WriteWholeFile(chainFolder_ + "\\K1", Pattern(1, 2)));
        break;
      case Fail::ChainFile:
        Hold(OwnChain("K9", "Keep"));
        break;
      case Fail::RefusedValue:
#ifndef _WIN32
        ASSERT_EQ(0, MemoryRegistry_RefuseChanges(RegRoot::CurrentUser, PlugInKey(kClassA).c_str(),
                                                  kErrorAccessDenied));
#endif
        break;
    }
  }

  static const char* FailingItem(Fail fail) {
    switch (fail) {
      case Fail::OverwrittenFile: return "the preset \"Hall\" of Reverb";
      case Fail::NewFolder: return "the preset \"Tape\" of Delay";
      case Fail::EditorKey: return "the preset \"Slap\" of Veltrane Cantorel Echo";
      case Fail::ChainFolder: return "the chain \"Vocal\"";
      case Fail::ChainFile: return "the chain \"Keep\"";
      case Fail::RefusedValue: break;
    }
    return "the preset \"Hall\" of Reverb";
  }

  EditOutcome Record() {
    Answer({OverwriteAnswer::YesToAll});
    EXPECT_EQ(0, RecordCopyOfSelections(edit_, StoreId::Package,
                                        &Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}), 1));
    EXPECT_EQ(6, GetPendingActionCount(history_));
    return CheckRecordedGroup(edit_, StoreId::System);
  }
};

TEST_P(FailurePart, TheFailingItemIsNamedAndTakingTheGroupBackLeavesTheStoreAsItWas) {
#ifdef _WIN32
  if (GetParam() == Fail::RefusedValue) GTEST_SKIP() << "the real registry has no such hook";
#endif
  Prepare();
  Break(GetParam());
  LoadSystem();
  std::string disk = Disk();
  std::string records = Contents(StoreId::System);

  // ordalis-cli: the group is taken back at once.
  ASSERT_EQ(0, Record().status);
  EditOutcome outcome = CommitRecordedGroupOrTakeBack(edit_, StoreId::System);
  EXPECT_TRUE(StatusFailed(outcome.status));
  EXPECT_FALSE(outcome.committed);
  EXPECT_STREQ(FailingItem(GetParam()), outcome.failure.item);
  EXPECT_NE('\0', outcome.failure.detail[0]);
  EXPECT_EQ(disk, Disk());
  EXPECT_EQ(records, Contents(StoreId::System));
  EXPECT_EQ(0, GetUndoCount(history_));
  EXPECT_EQ(0, GetRedoCount(history_));

  // The program: the group stays undoable, and one Undo takes it back.
  ASSERT_EQ(0, Record().status);
  outcome = CommitRecordedGroup(edit_, StoreId::System);
  EXPECT_TRUE(StatusFailed(outcome.status));
  ASSERT_TRUE(outcome.committed);
  EXPECT_STREQ(FailingItem(GetParam()), outcome.failure.item);
  ExpectSystemInLineWithTheStore();
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(disk, Disk());
  EXPECT_EQ(records, Contents(StoreId::System));
}

INSTANTIATE_TEST_SUITE_P(EachPosition, FailurePart,
                         ::testing::Values(Fail::OverwrittenFile, Fail::NewFolder, Fail::EditorKey, Fail::ChainFolder,
                                           Fail::ChainFile, Fail::RefusedValue));

// A copy into an empty registry makes the store's keys and DefLocation:
// taking it back removes them again.
TEST_F(EditTest, TakingBackTheFirstCopyRemovesTheKeysItMade) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  LoadSystem();
  std::string disk = Disk();
  AddPreset(AddEntry(StoreId::Package, "Reverb", kClassA), "Hall", Pattern(30, 1));
  AddPreset(AddEntry(StoreId::Package, "Echo", nullptr, true), "Slap", Pattern(40, 2));
  AddChain(StoreId::Package, "Vocal", "K1", Pattern(20, 3));
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, StoreId::Package,
                                        Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}))
                  .committed);
  EXPECT_TRUE(KeyExists(PlugInKey(kClassA)));
  EXPECT_NE("(none)", QueryText(kDirectShowPresetsKey, kDefLocationValue));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(disk, Disk());
  EXPECT_FALSE(KeyExists(kDirectShowPresetsKey));
}

}  // namespace
