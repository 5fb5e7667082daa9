// What the tooltips of list items and tree nodes say: the class key where
// two entries look the same or the store knows an entry only by number,
// the whole name where the list cuts it, nothing where the label says it all.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/text.h"
#include "views/item_tips.h"
#include "views/records_builder.h"

namespace {

constexpr char kKeyA[] = "{0A000000-0000-4000-8000-00000000000A}";
constexpr char kKeyB[] = "{0B000000-0000-4000-8000-00000000000B}";

PlugInEntry* AddKeyed(StoreRecords& records, const char* name, const char* classKey) {
  PlugInEntry* entry = AddEntry(records, name, {"Slap"});
  Text_Copy(entry->classKey, sizeof(entry->classKey), classKey);
  return entry;
}

TEST(ItemTips, EntriesOfTheSameNameAndUnnamedOnesShowTheirClassKeys) {
  StoreRecords records;
  AddKeyed(records, "Delay", kKeyA);
  AddKeyed(records, "DELAY", kKeyB);  // the same name to the eye and to the lookups
  AddKeyed(records, "Not Installed 003", kKeyB);
  AddEntry(records, "Chorus", {"Wide"});
  AddEntry(records, "Reverb", {"Hall"}, true);
  std::vector<ListRow> rows;
  ASSERT_EQ(0, BuildListRows(records, NodeKind::PlugInGroup, "FX Plug-Ins", &rows));

  EXPECT_EQ(std::string("Delay (") + kKeyA + ")", ListItemTip(records, NodeKind::PlugInGroup, rows, 0, false));
  EXPECT_EQ(std::string("DELAY (") + kKeyB + ")", ListItemTip(records, NodeKind::PlugInGroup, rows, 1, false));
  EXPECT_EQ(std::string("Not Installed 003 (") + kKeyB + ")",
            ListItemTip(records, NodeKind::PlugInGroup, rows, 2, true));
  // A name that tells the entry apart needs no tip unless the list cuts it.
  EXPECT_EQ("", ListItemTip(records, NodeKind::PlugInGroup, rows, 3, false));
  EXPECT_EQ("Chorus", ListItemTip(records, NodeKind::PlugInGroup, rows, 3, true));
  EXPECT_EQ("", ListItemTip(records, NodeKind::PlugInGroup, rows, 4, false));
  EXPECT_EQ("", ListItemTip(records, NodeKind::PlugInGroup, rows, 99, true));

  // The tree has one node for both entries of the name: it names both keys.
  EXPECT_EQ(std::string("delay (") + kKeyA + "; " + kKeyB + ")", TreeNodeTip(records, NodeKind::PlugIn, "delay"));
  EXPECT_EQ(std::string("Not Installed 003 (") + kKeyB + ")",
            TreeNodeTip(records, NodeKind::PlugIn, "Not Installed 003"));
  EXPECT_EQ("", TreeNodeTip(records, NodeKind::PlugIn, "Chorus"));
  EXPECT_EQ("", TreeNodeTip(records, NodeKind::PlugInGroup, "FX Plug-Ins"));
}

TEST(ItemTips, PresetsAndChainsShowTheirNameOnlyWhenCut) {
  StoreRecords records;
  std::string longName(200, 'n');
  AddEntry(records, "Delay", {"Slap", longName.c_str()});
  AddChain(records, "Not Installed 001");  // a chain's name is only a name
  std::vector<ListRow> rows;
  BuildListRows(records, NodeKind::PlugIn, "Delay", &rows);
  EXPECT_EQ(longName, ListItemTip(records, NodeKind::PlugIn, rows, 1, true));
  EXPECT_EQ("", ListItemTip(records, NodeKind::PlugIn, rows, 1, false));
  BuildListRows(records, NodeKind::ChainGroup, "FX Chains", &rows);
  EXPECT_EQ("", ListItemTip(records, NodeKind::ChainGroup, rows, 0, false));
}

}  // namespace
