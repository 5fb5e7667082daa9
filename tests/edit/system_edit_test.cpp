// Copies into and deletes from the system store: the registry and the
// preset files change with the records, and undo puts them back exactly.
#include <gtest/gtest.h>

#include "support/disk_snapshot.h"
#include "edit/edit_fixture.h"
#include "platform/file.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

using SystemEdit = EditTest;

TEST_F(SystemEdit, UndoOfAnOverwritingCopyPutsRegistryAndFilesBackByteForByte) {
  // Inline and file-backed presets and a file-backed chain in the system
  // store, written the way the program writes them.
  PlugInEntry* seed = AddEntry(StoreId::Package, "Seed", kClassA);
  AddPreset(seed, "Small", Pattern(10, 1));
  AddPreset(seed, "Large", Pattern(300, 2));
  AddPreset(seed, "Grows", Pattern(20, 3));
  AddPreset(seed, "Shrinks", Pattern(400, 4));
  AddChain(StoreId::Package, "Vocal", "Chain0001", Pattern(500, 5));
  Answer({});
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, StoreId::Package,
                                        Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}))
                  .committed);
  stores_.package = {};
  ClearUndo(history_);
  LoadSystem();
  std::string before = Disk();
  std::string records = Contents(StoreId::System);

  // A package with new bytes for every one of them, sizes crossing the
  // line between registry and file both ways, and a preset that is new.
  PlugInEntry* incoming = AddEntry(StoreId::Package, "Whatever", kClassA);
  AddPreset(incoming, "small", Pattern(12, 11));
  AddPreset(incoming, "Large", Pattern(350, 12));
  AddPreset(incoming, "Grows", Pattern(600, 13));
  AddPreset(incoming, "Shrinks", Pattern(30, 14));
  AddPreset(incoming, "New", Pattern(280, 15));
  AddChain(StoreId::Package, "vocal", "Chain0002", Pattern(700, 16));
  Answer({OverwriteAnswer::YesToAll});
  EditOutcome outcome = CopySelectionToOtherStore(edit_, StoreId::Package,
                                                  Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ(StoreId::System, outcome.changedStore);
  EXPECT_NE(before, Disk());
  std::string afterCopy = DescribeFullLoad();

  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(before, Disk());
  EXPECT_EQ(records, Contents(StoreId::System));
  ASSERT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ(afterCopy, DescribeFullLoad());
}

TEST_F(SystemEdit, UndoOfADeleteWritesPresetsAndFilesBackAndRecreatesTheEntry) {
  SetBinary(PlugInKey(kClassB), "Inline", Pattern(40, 1));
  // The file where the program itself keeps it, so that it comes back there.
  std::string folder = presetFolder_ + "\\" + kClassB;
  ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
  std::string file = folder + "\\Room.dxp";
  ASSERT_TRUE(WriteWholeFile(file, Pattern(900, 2)));
  SetText(PlugInKey(kClassB), "Room", file);
  SetBinary(EditorKey("Echo"), "(Untitled)", Pattern(12, 3));
  LoadSystem();
  std::string before = Disk();
  std::string records = Contents(StoreId::System);

  EditOutcome outcome = DeleteSelection(edit_, StoreId::System,
                                        Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins",
                                               {"Not Installed 000", "Veltrane Cantorel Echo"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(0, outcome.status);
  EXPECT_EQ(GroupKind::Delete, GetUndoKind(history_));
  EXPECT_EQ(0, stores_.system.plugIns->GetCount());
  EXPECT_FALSE(File_Exists(file.c_str()));
  EXPECT_EQ("no plug-ins\n", DescribeFullLoad().substr(0, 12));
  EXPECT_TRUE(KeyExists(PlugInKey(kClassB)));  // the plug-in's key stays

  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(records, Contents(StoreId::System));
  EXPECT_EQ(records, DescribeFullLoad());
  EXPECT_TRUE(File_Exists(file.c_str()));
  EXPECT_EQ(before, Disk());
}

TEST_F(SystemEdit, AFailedWriteIsReportedAndLeavesItsRecordOut) {
  // A file stands where the plug-in's folder would be: large presets
  // cannot be written.
  ASSERT_EQ(0, File_CreateFolderPath(presetFolder_.c_str()));
  ASSERT_TRUE(WriteWholeFile(presetFolder_ + "\\" + kClassC, Pattern(1, 1)));
  PlugInEntry* incoming = AddEntry(StoreId::Package, "P", kClassC);
  AddPreset(incoming, "fits", Pattern(10, 1));
  AddPreset(incoming, "too big", Pattern(1000, 2));
  AddPreset(incoming, "also fits", Pattern(10, 3));
  EditOutcome outcome = CopySelectionToOtherStore(edit_, StoreId::Package,
                                                  Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"P"}));
  // The failure in the middle is what the caller hears of, and the group
  // (whose other actions were carried out) can still be undone.
  EXPECT_EQ(E_RIFF_WRITE, outcome.status);
  EXPECT_TRUE(outcome.committed);
  const PlugInCollection* system = stores_.system.plugIns.get();
  ASSERT_NE(nullptr, system);
  ASSERT_EQ(1, system->GetCount());
  EXPECT_EQ(2, system->Get(0)->GetPresetCount());
  EXPECT_EQ(nullptr, system->Get(0)->FindPreset("too big"));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(0, system->GetCount());
}

}  // namespace
