// A pane's selection as names with a context: the tree's node or the list's
// items below it, and which records a copy of it brings along.
#include <gtest/gtest.h>

#include <string>

#include "records_builder.h"
#include "views/selection_gather.h"

namespace {

std::string NamesOf(const Selection& selection) {
  std::string out;
  for (int32_t i = 0; i < selection.names.Count(); ++i) out += std::string(i > 0 ? ", " : "") + selection.names.At(i);
  return out;
}

TEST(SelectionGather, TheTreeGivesItsNodeUnderItsParentAndTheListItsItemsUnderTheNode) {
  Selection selection;
  ASSERT_EQ(0, BeginSelection(SelectedNode{NodeKind::PlugIn, "delay", "FX Plug-Ins"}, FocusKind::Tree, &selection));
  EXPECT_EQ("delay", NamesOf(selection));
  EXPECT_STREQ("FX Plug-Ins", selection.context);
  EXPECT_EQ(NodeKind::PlugIn, ClassifyItem(selection.names.At(0), selection.focus, selection.selectedKind));

  // A selection taken again starts afresh; without the tree's focus the
  // node is the context of the items the caller adds.
  ASSERT_EQ(0, BeginSelection(SelectedNode{NodeKind::PlugIn, "delay", "FX Plug-Ins"}, FocusKind::None, &selection));
  EXPECT_EQ("", NamesOf(selection));
  EXPECT_STREQ("delay", selection.context);
  selection.names.Add("Warm");
  EXPECT_EQ(NodeKind::Preset, ClassifyItem(selection.names.At(0), selection.focus, selection.selectedKind));

  // A label longer than the context holds is cut, not overrun.
  std::string longLabel(400, 'x');
  ASSERT_EQ(0, BeginSelection(SelectedNode{NodeKind::PlugIn, longLabel.c_str(), ""}, FocusKind::List, &selection));
  EXPECT_EQ(sizeof(selection.context) - 1, std::string(selection.context).size());
}

TEST(SelectionGather, ACopyBringsPresetsOrChainsByWhatItsNamesStandFor) {
  Stores stores;
  ASSERT_TRUE(stores.system.CreateEmpty());
  AddEntry(stores.system, "delay", {"Warm"});
  AddChain(stores.system, "Vocal");
  ASSERT_TRUE(stores.package.CreateEmpty());
  AddChain(stores.package, "Drums");

  struct Case {
    NodeKind kind;
    FocusKind focus;
    const char* name;
    bool presets, chains;
  };
  for (const Case& c : {Case{NodeKind::PackageRoot, FocusKind::Tree, "Untitled", true, true},
                        Case{NodeKind::PackageRoot, FocusKind::List, "FX Plug-Ins", true, false},
                        Case{NodeKind::PackageRoot, FocusKind::List, "FX Chains", false, true},
                        Case{NodeKind::PlugIn, FocusKind::List, "Warm", true, false},
                        Case{NodeKind::ChainGroup, FocusKind::List, "Vocal", false, true},
                        Case{NodeKind::None, FocusKind::List, "Warm", false, false}}) {
    Selection selection;
    BeginSelection(SelectedNode{c.kind, c.name, ""}, c.focus, &selection);
    if (c.focus == FocusKind::List) selection.names.Add(c.name);
    SelectionCoverage coverage = CoverageOf(stores, StoreId::System, selection);
    EXPECT_EQ(c.presets, coverage.presets) << c.name;
    EXPECT_EQ(c.chains, coverage.chains) << c.name;
  }
  // A store without presets brings none, whatever is named.
  Selection root;
  BeginSelection(SelectedNode{NodeKind::PackageRoot, "Untitled", ""}, FocusKind::Tree, &root);
  SelectionCoverage coverage = CoverageOf(stores, StoreId::Package, root);
  EXPECT_FALSE(coverage.presets);
  EXPECT_TRUE(coverage.chains);
}

}  // namespace
