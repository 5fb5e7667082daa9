// The name-driven layer: what a name stands for, how much a selection
// covers, and whole groups copied and deleted as one undo step.
#include <gtest/gtest.h>

#include <string>

#include "edit/edit_fixture.h"

namespace {

TEST(ClassifyItemTest, TheSelectedNodeAndTheFocusDecideWhatANameIs) {
  // A tree selection is the node itself.
  for (NodeKind kind : {NodeKind::PackageRoot, NodeKind::PlugIn, NodeKind::Preset, NodeKind::Chain}) {
    EXPECT_EQ(kind, ClassifyItem("anything", FocusKind::Tree, kind));
  }
  // List items are the children of the selected node.
  EXPECT_EQ(NodeKind::PlugInGroup, ClassifyItem("FX Plug-Ins", FocusKind::List, NodeKind::PackageRoot));
  EXPECT_EQ(NodeKind::ChainGroup, ClassifyItem("fx plug-ins", FocusKind::List, NodeKind::PackageRoot));  // exact text
  EXPECT_EQ(NodeKind::ChainGroup, ClassifyItem("FX Chains", FocusKind::None, NodeKind::PackageRoot));
  EXPECT_EQ(NodeKind::PlugIn, ClassifyItem("Echo", FocusKind::List, NodeKind::PlugInGroup));
  EXPECT_EQ(NodeKind::Preset, ClassifyItem("Hall", FocusKind::List, NodeKind::PlugIn));
  EXPECT_EQ(NodeKind::Chain, ClassifyItem("Vocal", FocusKind::List, NodeKind::ChainGroup));
  EXPECT_EQ(NodeKind::None, ClassifyItem("Hall", FocusKind::List, NodeKind::Preset));
  EXPECT_EQ(NodeKind::None, ClassifyItem("Hall", FocusKind::List, NodeKind::None));
}

class SelectionEdit : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    PlugInEntry* a = AddEntry(StoreId::System, "Alpha", kClassA);
    AddPreset(a, "1", Pattern(5, 1));
    AddPreset(a, "2", Pattern(6, 2));
    PlugInEntry* b = AddEntry(StoreId::System, "Beta", kClassB);
    AddPreset(b, "1", Pattern(7, 3));
    AddChain(StoreId::System, "Vocal", "K1", Pattern(3, 4));
    AddChain(StoreId::System, "Drums", "K2", Pattern(4, 5));
  }
};

TEST_F(SelectionEdit, CountsWhatTheNamesCover) {
  EXPECT_EQ(5u, CountAffectedItems(stores_, StoreId::System, Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"This PC"})));
  EXPECT_EQ(5u, CountAffectedItems(stores_, StoreId::System,
                                   Select(FocusKind::List, NodeKind::PackageRoot, "This PC", {"FX Plug-Ins", "FX Chains"})));
  EXPECT_EQ(3u, CountAffectedItems(stores_, StoreId::System,
                                   Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"alpha", "Beta", "Gamma"})));
  EXPECT_EQ(2u, CountAffectedItems(stores_, StoreId::System, Select(FocusKind::List, NodeKind::PlugIn, "Alpha", {"1", "x"})));
  EXPECT_EQ(0u, CountAffectedItems(stores_, StoreId::Package, Select(FocusKind::Tree, NodeKind::PlugInGroup, "", {"FX Plug-Ins"})));
}

// What a delete takes, and whether it is large enough to ask first.
struct Measured {
  uint32_t presets, plugIns, chains;
  bool group, asks;
  bool operator==(const Measured&) const = default;
};

TEST_F(SelectionEdit, ADeleteOfSeveralPlugInsAWholeGroupOrManyItemsFromTheSystemStoreAsksFirst) {
  auto measure = [this](StoreId store, const Selection& selection) {
    DeleteScope scope = MeasureDelete(stores_, store, selection);
    return Measured{scope.presets, scope.plugIns, scope.chains, scope.wholeGroup,
                    DeleteNeedsConfirmation(store, scope)};
  };
  EXPECT_EQ((Measured{3, 2, 2, true, true}),
            measure(StoreId::System, Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"This PC"})));
  EXPECT_EQ((Measured{3, 2, 0, true, true}),
            measure(StoreId::System, Select(FocusKind::Tree, NodeKind::PlugInGroup, "", {"FX Plug-Ins"})));
  EXPECT_EQ((Measured{0, 0, 2, true, true}),
            measure(StoreId::System, Select(FocusKind::List, NodeKind::PackageRoot, "This PC", {"FX Chains"})));
  // Two plug-ins chosen in the list; one plug-in alone, its presets, or a chain do not ask.
  EXPECT_EQ((Measured{3, 2, 0, false, true}),
            measure(StoreId::System, Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"Alpha", "beta"})));
  EXPECT_EQ((Measured{2, 1, 0, false, false}),
            measure(StoreId::System, Select(FocusKind::Tree, NodeKind::PlugIn, "FX Plug-Ins", {"Alpha"})));
  EXPECT_EQ((Measured{2, 1, 0, false, false}),
            measure(StoreId::System, Select(FocusKind::List, NodeKind::PlugIn, "Alpha", {"1", "2", "missing"})));
  EXPECT_EQ((Measured{0, 0, 1, false, false}),
            measure(StoreId::System, Select(FocusKind::List, NodeKind::ChainGroup, "FX Chains", {"Vocal"})));
  // The package is written only by Save: deleting there never asks.
  PlugInEntry* p = AddEntry(StoreId::Package, "Alpha", kClassA);
  AddPreset(p, "1", Pattern(5, 1));
  PlugInEntry* q = AddEntry(StoreId::Package, "Beta", kClassB);
  AddPreset(q, "1", Pattern(5, 1));
  EXPECT_EQ((Measured{2, 2, 0, true, false}),
            measure(StoreId::Package, Select(FocusKind::Tree, NodeKind::PlugInGroup, "", {"FX Plug-Ins"})));

  // More than a hundred presets of one plug-in ask too.
  PlugInEntry* big = AddEntry(StoreId::System, "Gamma", kClassC);
  for (int i = 0; i < 101; ++i) AddPreset(big, std::to_string(i).c_str(), Pattern(3, i));
  EXPECT_EQ((Measured{101, 1, 0, false, true}),
            measure(StoreId::System, Select(FocusKind::Tree, NodeKind::PlugIn, "FX Plug-Ins", {"Gamma"})));
  big->RemovePreset(big->FindPreset("0"));
  EXPECT_FALSE(measure(StoreId::System, Select(FocusKind::Tree, NodeKind::PlugIn, "FX Plug-Ins", {"Gamma"})).asks);
}

TEST_F(SelectionEdit, CopyingTheWholeStoreIsOneUndoStepNamedCopy) {
  EditOutcome outcome = CopySelectionToOtherStore(edit_, StoreId::System,
                                                  Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"This PC"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(StoreId::Package, outcome.changedStore);
  EXPECT_EQ(Contents(StoreId::System), Contents(StoreId::Package));
  EXPECT_TRUE(questions_.empty());
  EXPECT_EQ(1, GetUndoCount(history_));
  EXPECT_EQ(GroupKind::Copy, GetUndoKind(history_));
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(0, stores_.package.plugIns->GetCount());
  EXPECT_EQ(0, stores_.package.chains->GetChainCount());
}

TEST_F(SelectionEdit, NamesThatFindNothingArePassedOver) {
  EditOutcome outcome = CopySelectionToOtherStore(
      edit_, StoreId::System, Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"Gone", "Beta"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(1u, stores_.package.plugIns->GetTotalPresetCount());
  // Nothing found at all: nothing to commit, nothing changes.
  outcome = CopySelectionToOtherStore(edit_, StoreId::System, Select(FocusKind::List, NodeKind::PlugIn, "Nobody", {"1"}));
  EXPECT_FALSE(outcome.committed);
  EXPECT_EQ(E_FAIL, outcome.status);
  EXPECT_EQ(1, GetUndoCount(history_));
}

TEST_F(SelectionEdit, DeletingListItemsRemovesThemAsOneStep) {
  EditOutcome outcome = DeleteSelection(edit_, StoreId::System,
                                        Select(FocusKind::List, NodeKind::ChainGroup, "FX Chains", {"vocal", "DRUMS"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(StoreId::System, outcome.changedStore);
  EXPECT_EQ(0, stores_.system.chains->GetChainCount());
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(2, stores_.system.chains->GetChainCount());
}

}  // namespace
