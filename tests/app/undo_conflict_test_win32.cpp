// Undo on the real frame: a step is taken back newest action first, so two
// chains that met on one key both come back where they were; and an undo
// that would replace an item made since (a preset renamed into the name of
// one deleted) asks first, in either pane, and changes nothing when told no.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/frame_fixture_win32.h"
#include "app/frame_parts_win32.h"
#include "app/selection_commands_win32.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "resource.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"

namespace {

class UndoOnTheFrame : public FrameTest {
 protected:
  std::vector<unsigned char> PackagePreset(const char* name) {
    const PlugInEntry* entry = frame_->stores.package.plugIns->FindPlugInByName("delay");
    const PresetRecord* preset = entry != nullptr ? entry->FindPreset(name) : nullptr;
    if (preset == nullptr) return {};
    return std::vector<unsigned char>(preset->data.Bytes(), preset->data.Bytes() + preset->data.Size());
  }
  std::string Disk() const { return DescribeStoreOnDisk(folder_.Path()); }
};

TEST_F(UndoOnTheFrame, AChainThatTookTheKeyOfOneItReplacedIsTakenOutBeforeThatOneComesBack) {
  SetChain("vtchain-2", "Mastering", Pattern(200, 1));
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
  for (const auto& made : {std::pair<const char*, const char*>{"Mastering", "vtchain-9"}, {"Fresh Chain", "vtchain-2"}}) {
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    chain->SetName(made.first);
    chain->SetKeyName(made.second);
    std::vector<unsigned char> stream = Pattern(400, 2);
    chain->stream.Assign(stream.data(), static_cast<uint32_t>(stream.size()));
    chains->Append(std::move(chain));
  }
  std::string package = folder_.Join("chains.vtpreset");
  ASSERT_EQ(0, WritePackage(package.c_str(), nullptr, chains.get()));
  StartFrame(package);
  std::string before = Disk();

  Choose(Package(), "chains.vtpreset/FX Chains", {"Mastering", "Fresh Chain"});
  answers_ = {kVtIdYes};
  ASSERT_TRUE(CopyPaneSelection(*frame_, Package(), FocusKind::List).recorded);
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("Mastering", QueryText(ChainKeyPath("vtchain-2"), kChainNameValue));
  EXPECT_EQ("Fresh Chain", QueryText(ChainKeyPath("vtchain-2 (2)"), kChainNameValue));

  SetFocus(System().list);
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ(before, Disk());
  EXPECT_FALSE(KeyExists(ChainKeyPath("vtchain-9")));
  EXPECT_FALSE(File_Exists((chainFolder_ + "\\vtchain-9").c_str()));
  Select(System(), "FX Chains");
  EXPECT_EQ("Mastering", ListLabels(System().list));

  PressKey('Z', kKeyCtrl | kKeyShift);
  EXPECT_EQ("Fresh Chain", QueryText(ChainKeyPath("vtchain-2 (2)"), kChainNameValue));
  EXPECT_EQ("Fresh Chain, Mastering", ListLabels(System().list));
}

struct PaneCase {
  const char* name;
  bool system;
};

class UndoOverARename : public UndoOnTheFrame, public ::testing::WithParamInterface<PaneCase> {
 protected:
  void SetUp() override {
    UndoOnTheFrame::SetUp();
    WriteStore();
    SetBinary(PlugInKey(kClassA), "Plate Short", Pattern(20, 11));
    SetBinary(PlugInKey(kClassA), "New One", Pattern(30, 12));
    StartFrame();
    if (!GetParam().system) {
      Choose(System(), "FX Plug-Ins/delay", {"Plate Short", "New One"});
      ASSERT_TRUE(CopyPaneSelection(*frame_, System(), FocusKind::List).recorded);
    }
  }
  Pane& Where() { return GetParam().system ? System() : Package(); }
  std::string Path() const { return GetParam().system ? "FX Plug-Ins/delay" : "Untitled/FX Plug-Ins/delay"; }
  std::vector<unsigned char> Stored(const char* name) {
    if (!GetParam().system) return PackagePreset(name);
    uint32_t type = 0;
    std::vector<unsigned char> bytes;
    QueryValue(PlugInKey(kClassA), name, &type, &bytes);
    return bytes;
  }
};

TEST_P(UndoOverARename, AnUndoThatWouldReplaceARenamedItemAsksAndNoChangesNothing) {
  Choose(Where(), Path(), {"Plate Short"});
  ASSERT_TRUE(DeletePaneSelection(*frame_, Where(), FocusKind::List));
  Select(Where(), Path());
  ASSERT_TRUE(RenameItem(Where(), ListIndexOf(Where().list, "New One"), "Plate Short"));
  ASSERT_EQ(Pattern(30, 12), Stored("Plate Short"));
  std::string listed = ListLabels(Where().list);
  boxes_.clear();

  // No: the renamed preset keeps its bytes, and the step stays to be undone.
  answers_ = {kVtIdNo};
  SetFocus(Where().list);
  PressKey('Z', kKeyCtrl);
  ASSERT_EQ(1u, boxes_.size());
  std::string where = GetParam().system ? "on this computer" : "in this package";
  EXPECT_EQ("The item delay 'Plate Short' already exists " + where + ".  Do you want to overwrite it?",
            boxes_[0].text);
  EXPECT_EQ(Pattern(30, 12), Stored("Plate Short"));
  EXPECT_EQ(listed, ListLabels(Where().list));
  EXPECT_TRUE(MenuEnabled(ID_EDIT_UNDO));
  EXPECT_FALSE(MenuEnabled(ID_EDIT_REDO));

  // Yes: the deleted preset comes back over it.
  answers_ = {kVtIdYes};
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ(2u, boxes_.size());
  EXPECT_EQ(Pattern(20, 11), Stored("Plate Short"));
  EXPECT_TRUE(MenuEnabled(ID_EDIT_REDO));
}

INSTANTIATE_TEST_SUITE_P(BothPanes, UndoOverARename,
                         ::testing::Values(PaneCase{"SystemPane", true}, PaneCase{"PackagePane", false}),
                         [](const ::testing::TestParamInfo<PaneCase>& info) { return std::string(info.param.name); });

}  // namespace
