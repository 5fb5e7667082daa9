// An undo or redo never replaces or removes, unasked, an item that it did
// not leave where it is: delete "Plate Short", rename "New One" to "Plate
// Short", undo the delete: the renamed preset is in the way.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "edit/edit_fixture.h"
#include "store/chain_store.h"
#include "store/preset_store.h"
#include "support/disk_snapshot.h"
#include "views/rename.h"

namespace {

class UndoConflict : public EditTest, public ::testing::WithParamInterface<StoreId> {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    if (GetParam() == StoreId::System) {
      SetBinary(PlugInKey(kClassA), "Plate Short", Pattern(20, 1));
      SetBinary(PlugInKey(kClassA), "New One", Pattern(30, 2));
      SetChain("chain-1", "Vocal", Pattern(40, 3));
      SetChain("chain-2", "Drums", Pattern(50, 4));
      LoadSystem();
    } else {
      PlugInEntry* entry = AddEntry(StoreId::Package, "Not Installed 000", kClassA);
      AddPreset(entry, "Plate Short", Pattern(20, 1));
      AddPreset(entry, "New One", Pattern(30, 2));
      AddChain(StoreId::Package, "Vocal", "chain-1", Pattern(40, 3));
      AddChain(StoreId::Package, "Drums", "chain-2", Pattern(50, 4));
    }
  }
  StoreId Store() const { return GetParam(); }
  void Delete(NodeKind kind, const char* context, const char* name) {
    ASSERT_TRUE(DeleteSelection(edit_, Store(), Select(FocusKind::List, kind, context, {name})).committed);
  }
  void Rename(NodeKind kind, const char* context, const char* from, const char* to) {
    ASSERT_TRUE(RenameItem(stores_, Store(), kind, context, from, to).renamed);
  }
  // The store as it stands, in memory and, for the system store, on disk.
  std::string Everything() const { return Contents(Store()) + (Store() == StoreId::System ? Disk() : ""); }
  // Puts a preset of the entry that this history did not make.
  void PutOther(const char* name, const std::vector<unsigned char>& bytes) {
    std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Not Installed 000", kClassA);
    std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
    ASSERT_EQ(0, preset->data.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
    ASSERT_EQ(0, PutPreset(stores_, *entry, *preset, Store()));
  }
  static std::vector<unsigned char> Held(const ByteBlock& block) {
    return std::vector<unsigned char>(block.Bytes(), block.Bytes() + block.Size());
  }
  const PresetRecord* Preset(const char* name) const {
    const PlugInCollection* plugIns = stores_.Of(Store()).plugIns.get();
    const PlugInEntry* entry = plugIns != nullptr ? plugIns->Get(0) : nullptr;
    return entry != nullptr ? entry->FindPreset(name) : nullptr;
  }
};

TEST_P(UndoConflict, UndoOverAnItemMadeSinceAsksAndChangesNothingUnlessTold) {
  Delete(NodeKind::PlugIn, "Not Installed 000", "Plate Short");
  Rename(NodeKind::PlugIn, "Not Installed 000", "New One", "Plate Short");
  std::string renamed = Everything();

  // Without anyone to ask, the undo stops and says why.
  ActionFailure failure;
  EXPECT_EQ(E_CANCELLED, Undo(history_, stores_, nullptr, &failure));
  EXPECT_STREQ("the preset \"Plate Short\" of Not Installed 000", failure.item);
  EXPECT_NE(nullptr, strstr(failure.detail, "made or changed since")) << failure.detail;
  EXPECT_EQ(renamed, Everything());
  EXPECT_EQ(1, GetUndoCount(history_));

  // Declined at the question: nothing changes, and the step can be tried again.
  Answer({OverwriteAnswer::No});
  EXPECT_EQ(E_CANCELLED, Undo(history_, stores_, nullptr, nullptr, this));
  ASSERT_EQ(1u, questions_.size());
  EXPECT_EQ("Plate Short", questions_[0].name);
  EXPECT_EQ(Store(), questions_[0].destination);
  EXPECT_FALSE(questions_[0].offerAll);
  EXPECT_EQ(renamed, Everything());
  EXPECT_EQ(1, GetUndoCount(history_));
  EXPECT_EQ(0, GetRedoCount(history_));

  // Told to, it puts the deleted preset back over the renamed one.
  Answer({OverwriteAnswer::Yes});
  ASSERT_EQ(0, Undo(history_, stores_, nullptr, nullptr, this));
  ASSERT_NE(nullptr, Preset("Plate Short"));
  EXPECT_EQ(Pattern(20, 1), Held(Preset("Plate Short")->data));
  // Redo deletes what the undo left there: nothing to ask.
  ASSERT_EQ(0, Redo(history_, stores_, nullptr, nullptr, this));
  EXPECT_EQ(2u, questions_.size());
  EXPECT_EQ(nullptr, Preset("Plate Short"));
}

TEST_P(UndoConflict, EveryItemInTheWayIsAskedAboutBeforeAnythingChanges) {
  ASSERT_TRUE(DeleteSelection(edit_, Store(),
                              Select(FocusKind::List, NodeKind::PlugIn, "Not Installed 000", {"Plate Short", "New One"}))
                  .committed);
  // Another program, or a copy since, made both names again.
  PutOther("Plate Short", Pattern(20, 7));
  PutOther("New One", Pattern(30, 8));
  std::string remade = Everything();

  // No at the second item leaves the first as it is too.
  Answer({OverwriteAnswer::Yes, OverwriteAnswer::No});
  EXPECT_EQ(E_CANCELLED, Undo(history_, stores_, nullptr, nullptr, this));
  ASSERT_EQ(2u, questions_.size());
  EXPECT_TRUE(questions_[0].offerAll);
  EXPECT_EQ("New One", questions_[1].name);
  EXPECT_EQ(remade, Everything());

  // Yes to All asks no more.
  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, Undo(history_, stores_, nullptr, nullptr, this));
  EXPECT_EQ(3u, questions_.size());
  EXPECT_EQ(Pattern(20, 1), Held(Preset("Plate Short")->data));
  EXPECT_EQ(Pattern(30, 2), Held(Preset("New One")->data));
}

TEST_P(UndoConflict, ChainsAskTooAndSoDoesARedoThatWouldDeleteAChangedItem) {
  ASSERT_TRUE(
      DeleteSelection(edit_, Store(), Select(FocusKind::List, NodeKind::ChainGroup, "FX Chains", {"Vocal"})).committed);
  Rename(NodeKind::ChainGroup, "FX Chains", "Drums", "Vocal");
  Answer({OverwriteAnswer::Cancel});
  EXPECT_EQ(E_CANCELLED, Undo(history_, stores_, nullptr, nullptr, this));
  ASSERT_EQ(1u, questions_.size());
  EXPECT_EQ("Chain", questions_[0].kind);
  EXPECT_EQ("Vocal", questions_[0].name);

  Answer({OverwriteAnswer::Yes});
  ASSERT_EQ(0, Undo(history_, stores_, nullptr, nullptr, this));
  EXPECT_EQ(Pattern(40, 3), Held(FindChainInStore(stores_, Store(), "Vocal")->stream));

  // Changed since the undo put it back: the redo would delete other bytes.
  std::unique_ptr<ChainRecord> changed = ChainRecord::CopyOf(*FindChainInStore(stores_, Store(), "Vocal"));
  std::vector<unsigned char> other = Pattern(40, 9);
  ASSERT_EQ(0, changed->stream.Assign(other.data(), static_cast<uint32_t>(other.size())));
  ASSERT_EQ(0, PutChain(stores_, *changed, Store()));
  std::string before = Everything();
  Answer({OverwriteAnswer::No});
  EXPECT_EQ(E_CANCELLED, Redo(history_, stores_, nullptr, nullptr, this));
  EXPECT_EQ(3u, questions_.size());
  EXPECT_EQ(before, Everything());
  EXPECT_EQ(1, GetRedoCount(history_));
}

INSTANTIATE_TEST_SUITE_P(BothStores, UndoConflict, ::testing::Values(StoreId::System, StoreId::Package),
                         [](const ::testing::TestParamInfo<StoreId>& info) {
                           return info.param == StoreId::System ? std::string("System") : std::string("Package");
                         });

}  // namespace
