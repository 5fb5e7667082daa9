// The store trees and preset lists of the real frame over a store of the
// test's own: what they show, how they follow the store, and how items
// are opened.
#include <gtest/gtest.h>

#include <string>

#include "app/frame_fixture_win32.h"
#include "package/package_file.h"
#include "platform/process.h"
#include "resource.h"
#include "store/store_layout.h"

namespace {

constexpr const char* kSystemShape =
    "FX Chains, FX Plug-Ins(Chorus, delay, Not Installed 000, Veltrane Cantorel Reverb)";

class StoreViews : public FrameTest {
 protected:
  // A package of the test's own: one plug-in whose class is registered here
  // under another name than the package holds, and a chain.
  std::string WritePackage() {
    StoreRecords records;
    EXPECT_TRUE(records.CreateEmpty());
    std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Old Name", kClassA);
    std::unique_ptr<PresetRecord> preset = PresetRecord::Create("Shared");
    preset->data.Assign("bytes", 5);
    entry->AppendPreset(std::move(preset));
    records.plugIns->Append(std::move(entry));
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    chain->SetName("Guitar");
    chain->SetKeyName("chain-9");
    chain->stream.Assign("stream", 6);
    records.chains->Append(std::move(chain));
    std::string path = folder_.Join("bank.vtpreset");
    EXPECT_EQ(0, ::WritePackage(path.c_str(), records.plugIns.get(), records.chains.get()));
    return path;
  }

  int32_t ImageOf(HWND tree, HTREEITEM node) {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, item.iSelectedImage);
    return item.iImage;
  }

  bool Expanded(HWND tree, HTREEITEM node) {
    return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  }
};

TEST_F(StoreViews, TheSystemTreeShowsChainsBeforeSortedPlugInsUnderTheirNames) {
  WriteStore();
  StartFrame();
  EXPECT_EQ(kSystemShape, TreeShape(System().tree));
  EXPECT_EQ(2, ImageOf(System().tree, NodeAt(System().tree, "FX Chains")));
  EXPECT_EQ(3, ImageOf(System().tree, NodeAt(System().tree, "FX Plug-Ins/delay")));
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_EQ(0, ImageOf(Package().tree, NodeAt(Package().tree, "Untitled")));
}

TEST_F(StoreViews, AStoreWrittenByTheRegistryToolShowsAsWritten) {
  auto reg = [](const std::string& arguments) {
    char output[4096];
    uint32_t exitCode = 1;
    EXPECT_EQ(0, Process_Run(("reg.exe " + arguments).c_str(), output, sizeof(output), &exitCode));
    EXPECT_EQ(0u, exitCode) << output;
  };
  std::string presets = std::string("\"HKCU\\") + kDirectShowPresetsKey;
  reg("add " + presets + "\\" + kClassD + "\" /v Pluck /t REG_BINARY /d 0102030405 /f");
  reg("add \"HKCR\\CLSID\\" + std::string(kClassD) + "\" /ve /d \"Bass\" /f");
  reg("add \"HKCU\\" + std::string(kEditorPresetsKey) + "\\Gate\" /v Tight /t REG_BINARY /d 0a0b /f");
  reg("add " + presets + "\\FX Packages\\chain-5\" /v Name /d Keys /f");
  reg("add " + presets + "\\FX Packages\\chain-5\" /v Flags /t REG_DWORD /d 1 /f");
  reg("add " + presets + "\\FX Packages\\chain-5\" /v Type /t REG_DWORD /d 2 /f");
  reg("add " + presets + "\\FX Packages\\chain-5\" /v Stream /t REG_BINARY /d 0c0d0e /f");
  StartFrame();
  Unregister(kClassD);
  EXPECT_EQ("FX Chains, FX Plug-Ins(Bass, Veltrane Cantorel Gate)", TreeShape(System().tree));
  Select(System(), "FX Chains");
  EXPECT_EQ("Keys", ListLabels(System().list));
}

TEST_F(StoreViews, APackageNamedOnTheCommandLineShowsUnderItsFileName) {
  WriteStore();
  StartFrame(WritePackage());
  EXPECT_EQ("bank.vtpreset(FX Chains, FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_TRUE(boxes_.empty());
  Select(Package(), "bank.vtpreset");
  EXPECT_EQ("FX Chains, FX Plug-Ins", ListLabels(Package().list));
  Select(Package(), "bank.vtpreset/FX Plug-Ins/delay");
  EXPECT_EQ("Shared", ListLabels(Package().list));
}

TEST_F(StoreViews, APackageThatCannotBeOpenedLeavesAnUntitledOneAndSaysWhy) {
  std::string missing = folder_.Join("missing.vtpreset");
  StartFrame(missing);
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  ASSERT_EQ(1u, boxes_.size());
  EXPECT_EQ("The file " + missing + " could not be opened.\n\nMake sure you have access to the specified file.",
            boxes_[0].text);
  DestroyFrame();

  std::string broken = WriteFile("broken.vtpreset", Pattern(100, 1));
  StartFrame(broken);
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  ASSERT_EQ(2u, boxes_.size());
  EXPECT_EQ("The file " + broken + " is not in a supported format, or contains an unrecoverable error.",
            boxes_[1].text);
}

TEST_F(StoreViews, EachNodeListsWhatItHoldsAndSelectingItRefillsTheList) {
  WriteStore();
  StartFrame();
  Select(System(), "FX Plug-Ins");
  EXPECT_EQ("Chorus, delay, Not Installed 000, Veltrane Cantorel Reverb", ListLabels(System().list));
  Select(System(), "FX Plug-Ins/delay");
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
  Select(System(), "FX Plug-Ins/Veltrane Cantorel Reverb");
  EXPECT_EQ("Hall", ListLabels(System().list));
  Select(System(), "FX Chains");
  EXPECT_EQ("Drums, Vocal", ListLabels(System().list));
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  SendMessageA(System().list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(4, item.iImage);
}

// The list is filled already sorted, with its sorting style off: the order
// must be the one the control itself gives.
TEST_F(StoreViews, AListIsFilledInTheControlsOwnSortedOrder) {
  // Value names are unique in any letter case, as the list's labels are.
  const char* names[] = {"zeta", "Alpha", "ALPINE", "Beta 10", "Beta 2", "beta-1", "\xC3\x89t\xC3\xA9",  // Été
                         "Eta", "_under", "(paren)", "100", "20", "Zulu", "\xC3\xA9tage", "o'clock", "oclock",
                         "Mu", "mU2", "\xC3\x96l", "Ol", "a b", "ab", "A-B", "[x]", "~"};
  for (const char* name : names) SetBinary(PlugInKey(kClassA), name, Pattern(8, 1));
  Register(kClassA, "Sorter");
  StartFrame();
  Select(System(), "FX Plug-Ins/Sorter");

  HWND sorted = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_LIST | LVS_SORTASCENDING, 0, 0, 100, 100,
                                frame_->window, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, sorted);
  for (const char* name : names) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>(name);
    SendMessageA(sorted, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_EQ(ListLabels(sorted), ListLabels(System().list));
  DestroyWindow(sorted);
  // The list keeps its sorting style for items the control adds itself.
  EXPECT_NE(0, GetWindowLongA(System().list, GWL_STYLE) & LVS_SORTASCENDING);
}

TEST_F(StoreViews, DoubleClickAndEnterOpenGroupsAndPlugInsButNotPresets) {
  WriteStore();
  StartFrame(WritePackage());
  Select(Package(), "bank.vtpreset");
  DoubleClickItem(Package(), ListIndexOf(Package().list, "FX Plug-Ins"));
  EXPECT_EQ("FX Plug-Ins", NodeLabel(Package().tree, Selected(Package().tree)));
  EXPECT_EQ("delay", ListLabels(Package().list));
  EXPECT_EQ(std::vector<int32_t>{0}, SelectedItems(Package().list));

  PressEnter(Package());
  EXPECT_EQ("delay", NodeLabel(Package().tree, Selected(Package().tree)));
  EXPECT_EQ("Shared", ListLabels(Package().list));
  EXPECT_EQ(std::vector<int32_t>{0}, SelectedItems(Package().list));
  PressEnter(Package());  // on a preset: nothing
  EXPECT_EQ("delay", NodeLabel(Package().tree, Selected(Package().tree)));

  DoubleClickItem(Package(), 0);  // on a preset: its name is edited
  HWND edit = reinterpret_cast<HWND>(SendMessageA(Package().list, LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(nullptr, edit);
  SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_EQ("Shared", ListLabels(Package().list));
  DoubleClickItem(Package(), -1);  // beside every item: nothing
  EXPECT_EQ("delay", NodeLabel(Package().tree, Selected(Package().tree)));
}

TEST_F(StoreViews, ComingBackKeepsExpansionSelectionAndListUnlessTheStoreChanged) {
  WriteStore();
  StartFrame();
  HWND tree = System().tree;
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(NodeAt(tree, "FX Plug-Ins")));
  Select(System(), "FX Plug-Ins/delay");
  HTREEITEM delay = Selected(tree);
  LVITEMA state = {};
  state.stateMask = state.state = LVIS_SELECTED;
  SendMessageA(System().list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  const PlugInCollection* before = frame_->stores.system.plugIns.get();

  Activate();
  EXPECT_NE(before, frame_->stores.system.plugIns.get());  // read again
  EXPECT_EQ(kSystemShape, TreeShape(tree));
  EXPECT_EQ(delay, Selected(tree));
  EXPECT_TRUE(Expanded(tree, NodeAt(tree, "FX Plug-Ins")));
  EXPECT_EQ(std::vector<int32_t>{1}, SelectedItems(System().list));  // not refilled

  // Another program removes a plug-in and adds a preset.
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassB).c_str());
  SetBinary(PlugInKey(kClassA), "Fresh", Pattern(10, 9));
  SetChain("chain-3", "Bass Line", Pattern(10, 9));
  Activate();
  EXPECT_EQ("FX Chains, FX Plug-Ins(delay, Not Installed 000, Veltrane Cantorel Reverb)", TreeShape(tree));
  EXPECT_EQ(delay, Selected(tree));
  EXPECT_TRUE(Expanded(tree, NodeAt(tree, "FX Plug-Ins")));
  EXPECT_EQ("Big, Fresh, Long, Warm", ListLabels(System().list));

  // The last chain gone, its group goes; the selected plug-in gone, the tree
  // moves the selection and the list follows it.
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kChainsKey);
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassA).c_str());
  SendMessageA(frame_->window, WM_COMMAND, ID_EDIT_REFRESH, 0);
  EXPECT_EQ("FX Plug-Ins(Not Installed 000, Veltrane Cantorel Reverb)", TreeShape(tree));
  // The tree moved the selection to the next plug-in, and the list followed.
  EXPECT_EQ("Not Installed 000", NodeLabel(tree, Selected(tree)));
  EXPECT_EQ("Odd", ListLabels(System().list));
}

}  // namespace
