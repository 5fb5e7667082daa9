// The name-driven layer: what a name stands for, how much a selection
// covers, and whole groups copied and deleted as one undo step.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"

namespace {

TEST(ClassifyItemTest, TheSelectedNodeAndTheFocusDecideWhatANameIs) {
  // A tree selection is the node itself.
  for (NodeKind kind : {NodeKind::PackageRoot, NodeKind::PlugIn, NodeKind::Preset, NodeKind::Chain}) {
    EXPECT_EQ(kind, ClassifyItem("anything", kFocusTree, kind));
  }
  // List items are the children of the selected node.
  EXPECT_EQ(NodeKind::PlugInGroup, ClassifyItem("FX Plug-Ins", kFocusList, NodeKind::PackageRoot));
  EXPECT_EQ(NodeKind::ChainGroup, ClassifyItem("fx plug-ins", kFocusList, NodeKind::PackageRoot));  // exact text
  EXPECT_EQ(NodeKind::ChainGroup, ClassifyItem("FX Chains", kFocusNone, NodeKind::PackageRoot));
  EXPECT_EQ(NodeKind::PlugIn, ClassifyItem("Echo", kFocusList, NodeKind::PlugInGroup));
  EXPECT_EQ(NodeKind::Preset, ClassifyItem("Hall", kFocusList, NodeKind::PlugIn));
  EXPECT_EQ(NodeKind::Chain, ClassifyItem("Vocal", kFocusList, NodeKind::ChainGroup));
  EXPECT_EQ(NodeKind::None, ClassifyItem("Hall", kFocusList, NodeKind::Preset));
  EXPECT_EQ(NodeKind::None, ClassifyItem("Hall", kFocusList, NodeKind::None));
}

class SelectionEdit : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    PlugInEntry* a = AddEntry(kSystemStore, "Alpha", kClassA);
    AddPreset(a, "1", Pattern(5, 1));
    AddPreset(a, "2", Pattern(6, 2));
    PlugInEntry* b = AddEntry(kSystemStore, "Beta", kClassB);
    AddPreset(b, "1", Pattern(7, 3));
    AddChain(kSystemStore, "Vocal", "K1", Pattern(3, 4));
    AddChain(kSystemStore, "Drums", "K2", Pattern(4, 5));
  }
};

TEST_F(SelectionEdit, CountsWhatTheNamesCover) {
  EXPECT_EQ(5u, CountAffectedItems(stores_, kSystemStore, Select(kFocusTree, NodeKind::PackageRoot, "", {"This PC"})));
  EXPECT_EQ(5u, CountAffectedItems(stores_, kSystemStore,
                                   Select(kFocusList, NodeKind::PackageRoot, "This PC", {"FX Plug-Ins", "FX Chains"})));
  EXPECT_EQ(3u, CountAffectedItems(stores_, kSystemStore,
                                   Select(kFocusList, NodeKind::PlugInGroup, "FX Plug-Ins", {"alpha", "Beta", "Gamma"})));
  EXPECT_EQ(2u, CountAffectedItems(stores_, kSystemStore, Select(kFocusList, NodeKind::PlugIn, "Alpha", {"1", "x"})));
  EXPECT_EQ(0u, CountAffectedItems(stores_, kPackageStore, Select(kFocusTree, NodeKind::PlugInGroup, "", {"FX Plug-Ins"})));
}

TEST_F(SelectionEdit, CopyingTheWholeStoreIsOneUndoStepNamedCopy) {
  EditOutcome outcome = CopySelectionToOtherStore(edit_, kSystemStore,
                                                  Select(kFocusTree, NodeKind::PackageRoot, "", {"This PC"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(kPackageStore, outcome.changedStore);
  EXPECT_EQ(Contents(kSystemStore), Contents(kPackageStore));
  EXPECT_TRUE(questions_.empty());
  EXPECT_EQ(1, GetUndoCount(*history_));
  char name[16];
  GetUndoName(*history_, name, sizeof(name));
  EXPECT_STREQ("Copy", name);
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  EXPECT_EQ(0, stores_.plugIns[1]->GetCount());
  EXPECT_EQ(0, stores_.chains[1]->GetChainCount());
}

TEST_F(SelectionEdit, NamesThatFindNothingArePassedOver) {
  EditOutcome outcome = CopySelectionToOtherStore(
      edit_, kSystemStore, Select(kFocusList, NodeKind::PlugInGroup, "FX Plug-Ins", {"Gone", "Beta"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(1u, stores_.plugIns[1]->GetTotalPresetCount());
  // Nothing found at all: nothing to commit, nothing changes.
  outcome = CopySelectionToOtherStore(edit_, kSystemStore, Select(kFocusList, NodeKind::PlugIn, "Nobody", {"1"}));
  EXPECT_FALSE(outcome.committed);
  EXPECT_EQ(E_FAIL, outcome.status);
  EXPECT_EQ(1, GetUndoCount(*history_));
}

TEST_F(SelectionEdit, DeletingListItemsRemovesThemAsOneStep) {
  EditOutcome outcome = DeleteSelection(edit_, kSystemStore,
                                        Select(kFocusList, NodeKind::ChainGroup, "FX Chains", {"vocal", "DRUMS"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(kSystemStore, outcome.changedStore);
  EXPECT_EQ(0, stores_.chains[0]->GetChainCount());
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  EXPECT_EQ(2, stores_.chains[0]->GetChainCount());
}

}  // namespace
