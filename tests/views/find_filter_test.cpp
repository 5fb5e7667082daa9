// What a find keeps of a store, and what the trees, the lists and a node's
// selection show and cover while it narrows the panes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/record_filter.h"
#include "views/fake_tree.h"
#include "views/list_rows.h"
#include "views/records_builder.h"
#include "views/shown_selection.h"
#include "platform/text.h"
#include "views/store_tree.h"

namespace {

NameMatch MatchOf(const char* text) {
  NameMatch match;
  EXPECT_EQ(0, match.SetText(text));
  return match;
}

std::string Labels(const std::vector<ListRow>& rows) {
  std::string out;
  for (const ListRow& row : rows) out += (out.empty() ? "" : ", ") + row.label;
  return out;
}

// "context[kind]: name, name; ..." of each selection.
std::string Describe(const std::vector<Selection>& selections) {
  std::string out;
  for (const Selection& selection : selections) {
    if (!out.empty()) out += "; ";
    out += std::string(selection.context) + "[" + std::to_string(static_cast<int>(selection.selectedKind)) + "]:";
    for (int32_t i = 0; i < selection.names.Count(); ++i) out += std::string(i > 0 ? ", " : " ") + selection.names.At(i);
  }
  return out;
}

class FindFilter : public ::testing::Test {
 protected:
  void SetUp() override {
    AddEntry(records_, "Plate Verb", {"Small", "Large"});
    AddEntry(records_, "Delay", {"Vocal Slap", "Long", "vocal echo"});
    AddEntry(records_, "Chorus", {"Wide"});
    AddEntry(records_, "Room", {"Vocal Booth"}, true);  // shown as "Veltrane Cantorel Room"
    AddEntry(records_, "Empty", {});
    AddChain(records_, "Vocal Chain");
    AddChain(records_, "Drums");
  }

  std::string Rows(NodeKind kind, const char* label, const NameMatch& match) {
    std::vector<ListRow> rows;
    EXPECT_EQ(0, BuildListRows(records_, kind, label, &rows, &match));
    return Labels(rows);
  }

  Selection TreeSelection(NodeKind kind, const char* name, const char* parent) {
    Selection selection;
    selection.focus = FocusKind::Tree;
    selection.selectedKind = kind;
    Text_Copy(selection.context, sizeof(selection.context), parent);
    selection.names.Add(name);
    return selection;
  }

  StoreRecords records_;
};

TEST_F(FindFilter, KeepsMatchingItemsAllPresetsOfAMatchingPlugInAndEntriesThatKeepOne) {
  NameMatch vocal = MatchOf("VOCAL");
  const PlugInCollection& plugIns = *records_.plugIns;
  EXPECT_FALSE(KeepsEntry(*plugIns.Get(0), vocal));
  EXPECT_TRUE(KeepsEntry(*plugIns.Get(1), vocal));
  EXPECT_TRUE(KeepsEntry(*plugIns.Get(3), vocal));
  EXPECT_FALSE(KeepsEntry(*plugIns.Get(4), vocal));
  EXPECT_FALSE(KeepsPreset(*plugIns.Get(1), *plugIns.Get(1)->GetPreset(1), vocal));
  EXPECT_TRUE(KeepsAnyChain(records_, vocal));

  // The entry's name as shown counts: the editor's product words too.
  NameMatch plate = MatchOf("plate");
  EXPECT_TRUE(KeepsWholeEntry(*plugIns.Get(0), plate));
  EXPECT_TRUE(KeepsPreset(*plugIns.Get(0), *plugIns.Get(0)->GetPreset(1), plate));
  EXPECT_TRUE(KeepsWholeEntry(*plugIns.Get(3), MatchOf("cantorel r")));
  // A matching entry without presets still holds nothing to show.
  EXPECT_FALSE(KeepsEntry(*plugIns.Get(4), MatchOf("empty")));

  KeptCount count = CountKeptItems(records_, vocal);
  EXPECT_EQ(4u, count.kept);  // two delays, the booth, the chain
  EXPECT_EQ(9u, count.total);
  count = CountKeptItems(records_, plate);
  EXPECT_EQ(2u, count.kept);
  count = CountKeptItems(records_, NameMatch());
  EXPECT_EQ(9u, count.kept);
  EXPECT_EQ(0u, CountKeptItems(records_, MatchOf("nowhere")).kept);
  EXPECT_FALSE(KeepsAnyEntry(records_, MatchOf("nowhere")));
}

TEST_F(FindFilter, ListsShowOnlyWhatTheMatchKeeps) {
  NameMatch vocal = MatchOf("vocal");
  EXPECT_EQ("FX Chains, FX Plug-Ins", Rows(NodeKind::PackageRoot, "bank", vocal));
  EXPECT_EQ("Delay, Veltrane Cantorel Room", Rows(NodeKind::PlugInGroup, kPlugInGroupLabel, vocal));
  EXPECT_EQ("Vocal Slap, vocal echo", Rows(NodeKind::PlugIn, "Delay", vocal));
  EXPECT_EQ("", Rows(NodeKind::PlugIn, "Chorus", vocal));
  EXPECT_EQ("Vocal Chain", Rows(NodeKind::ChainGroup, kChainGroupLabel, vocal));
  EXPECT_EQ("Small, Large", Rows(NodeKind::PlugIn, "Plate Verb", MatchOf("verb")));
  EXPECT_EQ("FX Chains", Rows(NodeKind::PackageRoot, "bank", MatchOf("drum")));
  EXPECT_EQ("", Rows(NodeKind::PackageRoot, "bank", MatchOf("nowhere")));
  // Without a match, the list is as it always was (the empty entry too).
  EXPECT_EQ("Plate Verb, Delay, Chorus, Veltrane Cantorel Room, Empty",
            Rows(NodeKind::PlugInGroup, kPlugInGroupLabel, NameMatch()));
}

TEST_F(FindFilter, TheTreeNarrowsAsTheTextGrowsAndComesBackWholeWhenItIsCleared) {
  FakeTree tree;
  RebuildStoreTree(tree, records_, "bank.vtpreset");
  const std::string whole =
      "bank.vtpreset(FX Chains, FX Plug-Ins(Chorus, Delay, Empty, Plate Verb, Veltrane Cantorel Room))";
  ASSERT_EQ(whole, tree.Shape());
  StoreTreeControl::Node delay = tree.Find("bank.vtpreset/FX Plug-Ins/Delay");

  NameMatch match = MatchOf("vo");
  RebuildStoreTree(tree, records_, "bank.vtpreset", &match);
  EXPECT_EQ("bank.vtpreset(FX Chains, FX Plug-Ins(Delay, Veltrane Cantorel Room))", tree.Shape());
  EXPECT_EQ(delay, tree.Find("bank.vtpreset/FX Plug-Ins/Delay"));  // kept, not rebuilt
  match = MatchOf("vocal s");
  RebuildStoreTree(tree, records_, "bank.vtpreset", &match);
  EXPECT_EQ("bank.vtpreset(FX Plug-Ins(Delay))", tree.Shape());
  match = MatchOf("vocal sx");
  RebuildStoreTree(tree, records_, "bank.vtpreset", &match);
  EXPECT_EQ("bank.vtpreset", tree.Shape());  // the root stays

  RebuildStoreTree(tree, records_, "bank.vtpreset");
  EXPECT_EQ(whole, tree.Shape());

  // The system pane has no root: nothing is left of it.
  FakeTree system;
  match = MatchOf("nowhere");
  RebuildStoreTree(system, records_, nullptr, &match);
  EXPECT_EQ("", system.Shape());
}

TEST(FindTree, TheControlIsToldAheadWhenManyPlugInsComeOrGo) {
  StoreRecords records;
  for (int i = 0; i < 40; ++i) AddEntry(records, ("Effect " + std::to_string(i)).c_str(), {"Warm", i < 3 ? "Vocal" : "Dry"});
  FakeTree tree;
  RebuildStoreTree(tree, records, nullptr);
  StoreTreeControl::Node group = tree.Find("FX Plug-Ins");
  ASSERT_EQ(std::vector<StoreTreeControl::Node>{group}, tree.bulkParents);  // 40 inserted
  tree.bulkParents.clear();

  NameMatch match = MatchOf("vocal");
  RebuildStoreTree(tree, records, nullptr, &match);
  EXPECT_EQ("FX Plug-Ins(Effect 0, Effect 1, Effect 2)", tree.Shape());
  EXPECT_EQ(std::vector<StoreTreeControl::Node>{group}, tree.bulkParents);  // 37 deleted
  tree.bulkParents.clear();
  match = MatchOf("effect 1");  // 1 and 10 to 19: a few come, a few go
  RebuildStoreTree(tree, records, nullptr, &match);
  EXPECT_EQ(11u, tree.At(group).children.size());
  EXPECT_TRUE(tree.bulkParents.empty());
  RebuildStoreTree(tree, records, nullptr, &match);
  EXPECT_TRUE(tree.bulkParents.empty());
}

TEST_F(FindFilter, ANodesSelectionCoversOnlyTheItemsItShows) {
  NameMatch vocal = MatchOf("vocal");
  std::vector<Selection> shown;

  ASSERT_EQ(0, NarrowSelection(records_, vocal, TreeSelection(NodeKind::PlugIn, "delay", kPlugInGroupLabel), &shown));
  EXPECT_EQ("Delay[3]: Vocal Slap, vocal echo", Describe(shown));

  ASSERT_EQ(0, NarrowSelection(records_, vocal, TreeSelection(NodeKind::PackageRoot, "bank", ""), &shown));
  EXPECT_EQ("Delay[3]: Vocal Slap, vocal echo; Veltrane Cantorel Room[3]: Vocal Booth; FX Chains[5]: Vocal Chain",
            Describe(shown));
  ASSERT_EQ(0, NarrowSelection(records_, vocal, TreeSelection(NodeKind::ChainGroup, kChainGroupLabel, "bank"), &shown));
  EXPECT_EQ("FX Chains[5]: Vocal Chain", Describe(shown));

  // The list beside "FX Plug-Ins": each selected entry stands for its shown presets.
  Selection entries;
  entries.focus = FocusKind::List;
  entries.selectedKind = NodeKind::PlugInGroup;
  Text_Copy(entries.context, sizeof(entries.context), kPlugInGroupLabel);
  entries.names.Add("Delay");
  entries.names.Add("Veltrane Cantorel Room");
  ASSERT_EQ(0, NarrowSelection(records_, vocal, entries, &shown));
  EXPECT_EQ("Delay[3]: Vocal Slap, vocal echo; Veltrane Cantorel Room[3]: Vocal Booth", Describe(shown));

  // Presets the list shows are taken as they are.
  Selection presets;
  presets.focus = FocusKind::List;
  presets.selectedKind = NodeKind::PlugIn;
  Text_Copy(presets.context, sizeof(presets.context), "Delay");
  presets.names.Add("vocal echo");
  ASSERT_EQ(0, NarrowSelection(records_, vocal, presets, &shown));
  EXPECT_EQ("Delay[3]: vocal echo", Describe(shown));

  // A plug-in matched by its own name covers all its presets; a node that
  // shows nothing covers nothing.
  ASSERT_EQ(0, NarrowSelection(records_, MatchOf("plate"),
                               TreeSelection(NodeKind::PlugInGroup, kPlugInGroupLabel, "bank"), &shown));
  EXPECT_EQ("Plate Verb[3]: Small, Large", Describe(shown));
  ASSERT_EQ(0, NarrowSelection(records_, vocal, TreeSelection(NodeKind::PlugIn, "Chorus", kPlugInGroupLabel), &shown));
  EXPECT_EQ("", Describe(shown));

  // Without a match the selection is handed on unchanged.
  ASSERT_EQ(0, NarrowSelection(records_, NameMatch(), TreeSelection(NodeKind::PlugIn, "Delay", kPlugInGroupLabel),
                               &shown));
  ASSERT_EQ(1u, shown.size());
  EXPECT_EQ(FocusKind::Tree, shown[0].focus);
  EXPECT_EQ("FX Plug-Ins[3]: Delay", Describe(shown));
}

TEST_F(FindFilter, NarrowingRecordsLeavesOnlyWhatTheMatchKeeps) {
  NarrowRecords(records_, NameMatch());
  EXPECT_EQ(5, records_.plugIns->GetCount());
  NarrowRecords(records_, MatchOf("vocal"));
  ASSERT_EQ(2, records_.plugIns->GetCount());
  EXPECT_STREQ("Delay", records_.plugIns->Get(0)->name);
  EXPECT_EQ(2, records_.plugIns->Get(0)->GetPresetCount());
  EXPECT_NE(nullptr, records_.plugIns->Get(0)->FindPreset("VOCAL ECHO"));  // still found by name
  EXPECT_EQ(nullptr, records_.plugIns->Get(0)->FindPreset("Long"));
  ASSERT_EQ(1, records_.chains->GetChainCount());
  EXPECT_STREQ("Vocal Chain", records_.chains->Get(0)->name);
  NarrowRecords(records_, MatchOf("nowhere"));
  EXPECT_TRUE(records_.IsEmpty());
}

}  // namespace
