// What a list shows for each kind of node, and in which order.
#include <gtest/gtest.h>

#include <string>

#include "views/list_rows.h"
#include "views/records_builder.h"

namespace {

std::string Labels(const std::vector<ListRow>& rows) {
  std::string out;
  for (const ListRow& row : rows) out += (out.empty() ? "" : ", ") + row.label + ":" + std::to_string(row.image);
  return out;
}

TEST(ListRows, EachKindOfNodeListsWhatItHolds) {
  StoreRecords records;
  AddEntry(records, "Delay", {"Slap", "Long"});
  AddEntry(records, "Reverb", {"Hall"}, true);
  AddChain(records, "Vocal");
  std::vector<ListRow> rows;
  ASSERT_EQ(0, BuildListRows(records, NodeKind::PackageRoot, "bank.vtpreset", &rows));
  EXPECT_EQ("FX Chains:2, FX Plug-Ins:2", Labels(rows));
  BuildListRows(records, NodeKind::PlugInGroup, "FX Plug-Ins", &rows);
  EXPECT_EQ("Delay:3, Veltrane Cantorel Reverb:3", Labels(rows));
  BuildListRows(records, NodeKind::PlugIn, "Veltrane Cantorel Reverb", &rows);
  EXPECT_EQ("Hall:5", Labels(rows));
  BuildListRows(records, NodeKind::PlugIn, "delay", &rows);
  EXPECT_EQ("Slap:5, Long:5", Labels(rows));
  BuildListRows(records, NodeKind::ChainGroup, "FX Chains", &rows);
  EXPECT_EQ("Vocal:4", Labels(rows));
  BuildListRows(records, NodeKind::PlugIn, "Gone", &rows);
  EXPECT_EQ("", Labels(rows));
  BuildListRows(records, NodeKind::None, "", &rows);
  EXPECT_EQ("", Labels(rows));

  StoreRecords presetsOnly;
  AddEntry(presetsOnly, "Delay", {"Slap"});
  BuildListRows(presetsOnly, NodeKind::PackageRoot, "bank.vtpreset", &rows);
  EXPECT_EQ("FX Plug-Ins:2", Labels(rows));
}

TEST(ListRows, RowsAreShownSortedWithEqualLabelsInTheirOwnOrder) {
  std::vector<ListRow> rows = {{"Slap", 5}, {"Echo", 5}, {"Long", 1}, {"Echo", 2}};
  std::vector<uint32_t> order = SortedRowOrder(rows);
  ASSERT_EQ(4u, order.size());
  EXPECT_EQ((std::vector<uint32_t>{1, 3, 2, 0}), order);

  std::vector<ListRow> same = rows;
  EXPECT_TRUE(SameRows(rows, same));
  same[2].image = 5;
  EXPECT_FALSE(SameRows(rows, same));
  same = rows;
  same.pop_back();
  EXPECT_FALSE(SameRows(rows, same));
}

}  // namespace
