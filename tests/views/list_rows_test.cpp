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
  std::vector<ListRow> rows = {{"Slap", 5, ""}, {"Echo", 5, ""}, {"Long", 1, ""}, {"Echo", 2, ""}};
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

TEST(ListRows, ItemsThatCannotBeReadFollowTheirPlugInsPresetsWithTheirOwnImageAndReason) {
  StoreRecords records;
  AddEntry(records, "Delay", {"Slap"});
  AddEntry(records, "Reverb", {"Hall"}, true);
  AddChain(records, "Vocal");
  const std::string delayKey = "{0a000000-0000-4000-8000-00000000000a}";  // any letter case
  records.unreadable = {
      {false, false, "Delay", delayKey, "Locked", "C:\\p\\locked.dxp", "its file is in use by another program"},
      {false, true, "Veltrane Cantorel Delay", "Delay", "Effect", "C:\\e.dxp", "its file is missing"},
      {false, true, "Veltrane Cantorel Reverb", "Reverb", "Room", "C:\\r.dxp", "its file is missing"},
      {false, false, "{0B}", "{0B}", "Other", "C:\\o.dxp", "its file is missing"},
      {true, false, "", "chain-9", "Big", "C:\\big.vtg", "its file (5000000000 bytes) is too large to read into memory"},
  };
  std::vector<ListRow> rows;
  BuildListRows(records, NodeKind::PlugIn, "Delay", &rows);
  EXPECT_EQ("Slap:5, Locked:6", Labels(rows));
  EXPECT_EQ("Cannot be read: its file is in use by another program (C:\\p\\locked.dxp)", rows[1].tip);
  EXPECT_EQ("", rows[0].tip);
  // An editor effect named like a plug-in's class key is another item.
  BuildListRows(records, NodeKind::PlugIn, "Veltrane Cantorel Reverb", &rows);
  EXPECT_EQ("Hall:5, Room:6", Labels(rows));
  BuildListRows(records, NodeKind::ChainGroup, "FX Chains", &rows);
  EXPECT_EQ("Vocal:4, Big:6", Labels(rows));

  // A reason that changed is a list that changed.
  std::vector<ListRow> before = rows;
  records.unreadable.back().reason = "its file is missing";
  BuildListRows(records, NodeKind::ChainGroup, "FX Chains", &rows);
  EXPECT_FALSE(SameRows(before, rows));
}

}  // namespace
