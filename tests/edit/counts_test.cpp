// What a copy counts and records is what the destination holds afterwards:
// records no store can hold are left out and named, an item named twice is
// copied once, and two source items that would become one item of the
// destination are a conflict.
#include <gtest/gtest.h>

#include <cctype>

#include "edit/edit_fixture.h"
#include "store/store_layout.h"

namespace {

class Counts : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    LoadSystem();
  }
  int32_t Record(const Selection& selection) {
    return RecordCopyOfSelections(edit_, StoreId::Package, &selection, 1);
  }
};

TEST_F(Counts, RecordsWithoutDataAreLeftOutAndNamedAndTheUnnamedPresetIsTheDefaultValue) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Reverb", kClassA);
  AddPreset(entry, "", Pattern(5, 1));  // the key's default value, as the loader reads it
  AddPreset(entry, "Empty", {});
  AddPreset(entry, "Hall", Pattern(6, 2));
  AddChain(StoreId::Package, "Silent", "K1", {});

  ASSERT_EQ(0, Record(Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"})));
  EXPECT_EQ(2, GetPendingActionCount(history_));
  ASSERT_EQ(2, edit_.leftOut.Count());
  EXPECT_STREQ("the preset \"Empty\" of Reverb has no data", edit_.leftOut.At(0));
  EXPECT_STREQ("the chain \"Silent\" has no stream", edit_.leftOut.At(1));
  ASSERT_EQ(0, CommitRecordedGroup(edit_, StoreId::System).status);
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "", &type, &bytes));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(Pattern(5, 1), bytes);
  EXPECT_FALSE(QueryValue(PlugInKey(kClassA), "Empty", &type, &bytes));
  EXPECT_TRUE(QueryValue(PlugInKey(kClassA), "Hall", &type, &bytes));
  ExpectSystemInLineWithTheStore();
  // Read back, it is a preset again.
  LoadSystem();
  ASSERT_NE(nullptr, stores_.system.plugIns);
  EXPECT_NE(nullptr, stores_.system.plugIns->Get(0)->FindPreset(""));
}

// A drop shows the destination's node for what arrived, not for what was
// asked for: presets answered No leave only the chains.
TEST_F(Counts, TheGroupTellsWhetherPresetsOrChainsArrived) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Reverb", kClassA);
  AddPreset(entry, "Hall", Pattern(6, 1));
  AddChain(StoreId::Package, "Vocal", "K1", Pattern(40, 2));
  SetBinary(PlugInKey(kClassA), "Hall", Pattern(6, 3));
  LoadSystem();
  EXPECT_FALSE(GetUndoItems(history_).presets || GetUndoItems(history_).chains);

  Answer({OverwriteAnswer::No});
  EditOutcome outcome =
      CopySelectionToOtherStore(edit_, StoreId::Package, Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_FALSE(GetUndoItems(history_).presets);
  EXPECT_TRUE(GetUndoItems(history_).chains);

  Answer({OverwriteAnswer::YesToAll});
  outcome = CopySelectionToOtherStore(edit_, StoreId::Package, Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_TRUE(GetUndoItems(history_).presets);
}

TEST_F(Counts, AnItemNamedTwiceIsCopiedOnce) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Reverb", kClassA);
  AddPreset(entry, "Hall", Pattern(6, 1));
  AddPreset(entry, "Room", Pattern(7, 2));
  Selection both[2];
  Fill(&both[0], FocusKind::List, NodeKind::PlugInGroup, kPlugInGroupLabel, {"Reverb", "REVERB"});
  Fill(&both[1], FocusKind::List, NodeKind::PlugIn, "reverb", {"Hall"});
  ASSERT_EQ(0, RecordCopyOfSelections(edit_, StoreId::Package, both, 2));
  EXPECT_EQ(2, GetPendingActionCount(history_));
  EXPECT_TRUE(questions_.empty());
}

TEST_F(Counts, TwoItemsThatBecomeOneInTheDestinationAreAConflict) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Reverb", kClassA);
  AddPreset(entry, "Warm", Pattern(6, 1));
  AddPreset(entry, "WARM", Pattern(7, 2));
  // The same plug-in spelled otherwise: one key of the registry.
  std::string lower = kClassA;
  for (char& c : lower) c = static_cast<char>(tolower(c));
  AddPreset(AddEntry(StoreId::Package, "Reverb Too", lower.c_str()), "warm", Pattern(8, 3));
  AddChain(StoreId::Package, "Vocal", "K1", Pattern(3, 4));
  AddChain(StoreId::Package, "VOCAL", "K2", Pattern(4, 5));

  Answer({OverwriteAnswer::No, OverwriteAnswer::No, OverwriteAnswer::No});
  ASSERT_EQ(0, Record(Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"})));
  ASSERT_EQ(3u, questions_.size());
  EXPECT_EQ("WARM", questions_[0].name);
  EXPECT_EQ("warm", questions_[1].name);
  EXPECT_EQ("VOCAL", questions_[2].name);
  EXPECT_EQ(2, GetPendingActionCount(history_));

  // Yes: the later item takes the earlier one's place, counted once.
  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, Record(Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"})));
  EXPECT_EQ(2, GetPendingActionCount(history_));
  ASSERT_EQ(0, CommitRecordedGroup(edit_, StoreId::System).status);
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "warm", &type, &bytes));
  EXPECT_EQ(Pattern(8, 3), bytes);
  ExpectSystemInLineWithTheStore();
  EXPECT_EQ(1, stores_.system.chains->GetChainCount());
}

}  // namespace
