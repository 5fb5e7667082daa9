// Items the system store cannot hold are refused before anything is
// written: the check names the item and why, and the store, the records and
// the history stay as they were, wherever in the copy the item comes.
#include <gtest/gtest.h>

#include <string>

#include "edit/edit_fixture.h"
#include "store/store_layout.h"

namespace {

class Refusal : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    // Two items that can be written come first.
    AddPreset(AddEntry(StoreId::Package, "Reverb", kClassA), "Hall", Pattern(300, 1));
    AddPreset(AddEntry(StoreId::Package, "Echo", nullptr, true), "Slap", Pattern(40, 2));
  }
  // Copies the whole package into the system store; expects it refused,
  // naming `item`, with nothing written. Gives the reason.
  std::string ExpectRefused(const char* item) {
    LoadSystem();
    std::string disk = Disk();
    std::string records = Contents(StoreId::System);
    EditOutcome outcome = CopySelectionToOtherStore(
        edit_, StoreId::Package, Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Package"}));
    EXPECT_TRUE(StatusFailed(outcome.status));
    EXPECT_FALSE(outcome.committed);
    EXPECT_STREQ(item, outcome.failure.item);
    EXPECT_EQ(disk, Disk());
    EXPECT_EQ(records, Contents(StoreId::System));
    EXPECT_EQ(0, GetUndoCount(history_));
    EXPECT_EQ(0, GetPendingActionCount(history_));
    return outcome.failure.detail;
  }
};

TEST_F(Refusal, NamesThatCannotNameAKeyOrWouldNotComeBack) {
  AddPreset(AddEntry(StoreId::Package, "Hostile", "FX Packages"), "x", Pattern(3, 1));
  EXPECT_NE("", ExpectRefused("the preset \"x\" of Hostile"));
}

TEST_F(Refusal, EffectNamesTheEditorsKeyCannotHold) {
  for (const char* name : {"a\\b", "0123456789012345678901234567890123456789", "Chainer", "(Untitled)"}) {
    SCOPED_TRACE(name);
    stores_.package = {};
    AddPreset(AddEntry(StoreId::Package, name, nullptr, true), "x", Pattern(3, 1));
    ExpectRefused((std::string("the preset \"x\" of Veltrane Cantorel ") + name).c_str());
  }
}

TEST_F(Refusal, PresetNamesTheLoaderPassesOver) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Delay", kClassB);
  AddPreset(entry, "Fine", Pattern(3, 1));
  AddPreset(entry, "(untitled)", Pattern(3, 2));
  ExpectRefused("the preset \"(untitled)\" of Delay");
}

TEST_F(Refusal, ADefLocationThatIsNoAbsoluteFolderOrAPathTooLong) {
  SetText(kChainsKey, kDefLocationValue, "rel\\dir", kRegExpandSz);
  AddChain(StoreId::Package, "Vocal", "K1", Pattern(3, 1));   // stays in the registry: fine
  AddChain(StoreId::Package, "Drums", "K2", Pattern(300, 2));  // needs a file
  std::string why = ExpectRefused("the chain \"Drums\"");
  EXPECT_NE(std::string::npos, why.find("DefLocation")) << why;
  EXPECT_NE(std::string::npos, why.find("rel\\dir")) << why;

  // A long name is shortened to fit; a DefLocation that leaves no room for
  // even a short one is refused.
  SetText(kChainsKey, kDefLocationValue, folder_.Join(std::string(225, 'd')), kRegExpandSz);
  stores_.package.chains = {};
  AddChain(StoreId::Package, std::string(90, 'n').c_str(), "K3", Pattern(300, 3));
  why = ExpectRefused(("the chain \"" + std::string(90, 'n') + "\"").c_str());
  EXPECT_NE(std::string::npos, why.find("longer than")) << why;
}

}  // namespace
