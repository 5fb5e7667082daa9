// The store tree's shape and its rebuild, over a tree of the test's own.
#include <gtest/gtest.h>

#include "views/fake_tree.h"
#include "views/records_builder.h"
#include "views/store_tree.h"

namespace {

TEST(StoreTree, APackageShowsItsFileNameOverChainsBeforeSortedPlugIns) {
  StoreRecords records;
  AddEntry(records, "Bass", {"one"});
  AddEntry(records, "Amp", {"two"});
  AddEntry(records, "Reverb", {"Hall"}, true);
  AddEntry(records, "Chorus", {"three"});
  AddChain(records, "Vocal");
  FakeTree tree;
  RebuildStoreTree(tree, records, "C:\\Presets\\bank.vtpreset");
  EXPECT_EQ("bank.vtpreset(FX Chains, FX Plug-Ins(Amp, Bass, Chorus, Veltrane Cantorel Reverb))", tree.Shape());
  EXPECT_EQ(NodeKind::PackageRoot, tree.At(tree.Find("bank.vtpreset")).kind);
  EXPECT_EQ(NodeKind::ChainGroup, tree.At(tree.Find("bank.vtpreset/FX Chains")).kind);
  EXPECT_EQ(NodeKind::PlugIn, tree.At(tree.Find("bank.vtpreset/FX Plug-Ins/Bass")).kind);
}

TEST(StoreTree, TheSystemStoreHasNoRootAndAnEmptyStoreNoNodes) {
  StoreRecords records;
  FakeTree tree;
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("", tree.Shape());
  AddChain(records, "Vocal");
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("FX Chains", tree.Shape());
  AddEntry(records, "Delay", {"Slap"});
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("FX Chains, FX Plug-Ins(Delay)", tree.Shape());
}

TEST(StoreTree, RootLabelIsThePathsLastPartAfterABackslashOrColon) {
  EXPECT_STREQ("Untitled", PackageRootLabel("Untitled"));
  EXPECT_STREQ("bank.vtpreset", PackageRootLabel("C:\\a\\bank.vtpreset"));
  EXPECT_STREQ("bank.vtpreset", PackageRootLabel("C:bank.vtpreset"));
  EXPECT_STREQ("", PackageRootLabel("C:\\a\\"));

  StoreRecords records;
  FakeTree tree;
  RebuildStoreTree(tree, records, "Untitled");
  EXPECT_EQ("Untitled", tree.Shape());
  AddEntry(records, "Delay", {"Slap"});
  RebuildStoreTree(tree, records, "Untitled");
  StoreTreeControl::Node delay = tree.Find("Untitled/FX Plug-Ins/Delay");
  RebuildStoreTree(tree, records, "D:\\Mine.vtpreset");
  EXPECT_EQ("Mine.vtpreset(FX Plug-Ins(Delay))", tree.Shape());
  EXPECT_EQ(delay, tree.Find("Mine.vtpreset/FX Plug-Ins/Delay"));  // relabelled, not rebuilt
}

TEST(StoreTree, ARebuildKeepsTheNodesThatAreStillRightAndPrunesTheRest) {
  StoreRecords records;
  AddEntry(records, "Delay", {"Slap"});
  AddEntry(records, "Chorus", {"Wide"});
  AddEntry(records, "Flanger", {"Jet"});
  AddChain(records, "Vocal");
  FakeTree tree;
  RebuildStoreTree(tree, records, nullptr);
  StoreTreeControl::Node group = tree.Find("FX Plug-Ins");
  StoreTreeControl::Node delay = tree.Find("FX Plug-Ins/Delay");

  records.plugIns->Remove(records.plugIns->FindPlugInByName("Flanger"));
  records.chains->Remove(records.chains->Get(0));
  AddEntry(records, "Echo", {"Tape"});
  tree.inserts = tree.deletes = 0;
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("FX Plug-Ins(Chorus, Delay, Echo)", tree.Shape());
  EXPECT_EQ(group, tree.Find("FX Plug-Ins"));
  EXPECT_EQ(delay, tree.Find("FX Plug-Ins/Delay"));
  EXPECT_EQ(1, tree.inserts);
  EXPECT_EQ(2, tree.deletes);
}

TEST(StoreTree, AGroupWithoutAnyPresetIsBuiltAgainWithANodePerEntry) {
  StoreRecords records;
  PlugInEntry* delay = AddEntry(records, "Delay", {"Slap"});
  FakeTree tree;
  RebuildStoreTree(tree, records, nullptr);
  StoreTreeControl::Node group = tree.Find("FX Plug-Ins");
  delay->RemovePreset(delay->GetPreset(0));
  AddEntry(records, "Empty", {});
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("FX Plug-Ins(Delay, Empty)", tree.Shape());
  EXPECT_NE(group, tree.Find("FX Plug-Ins"));
}

TEST(StoreTree, EntriesOfOneLabelInAnyCaseShareTheFirstOnesNode) {
  StoreRecords records;
  AddEntry(records, "REVERB", {"Big"});
  AddEntry(records, "Reverb", {"Small"});
  FakeTree tree;
  RebuildStoreTree(tree, records, nullptr);
  EXPECT_EQ("FX Plug-Ins(REVERB)", tree.Shape());
}

}  // namespace
