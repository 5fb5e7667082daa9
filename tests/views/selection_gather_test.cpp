// A pane's selection as names with a context: the tree's node or the list's
// items below it.
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
  std::string longLabel(sizeof(selection.context) + 100, 'x');
  ASSERT_EQ(0, BeginSelection(SelectedNode{NodeKind::PlugIn, longLabel.c_str(), ""}, FocusKind::List, &selection));
  EXPECT_EQ(sizeof(selection.context) - 1, std::string(selection.context).size());
}

}  // namespace
