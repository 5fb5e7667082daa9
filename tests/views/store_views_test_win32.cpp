// The store trees and preset lists of the real frame over a store of the
// test's own: what they show, how they follow the store, and how items
// are opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frame_fixture_win32.h"
#include "package/package_file.h"
#include "platform/process.h"
#include "platform/registry.h"
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

  // The tip the list gives for item `index`, as its tooltip asks for it.
  std::string ListTip(Pane& pane, int32_t index) {
    char text[1024] = "untouched";
    NMLVGETINFOTIPA tip = {};
    tip.hdr = {pane.list, static_cast<UINT_PTR>(PaneListId(pane.index)), static_cast<UINT>(LVN_GETINFOTIPA)};
    tip.pszText = text;
    tip.cchTextMax = sizeof(text);
    tip.iItem = index;
    SendMessageA(frame_->window, WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
    return text;
  }

  std::string TreeTip(Pane& pane, const std::string& path) {
    char text[1024] = "untouched";
    NMTVGETINFOTIPA tip = {};
    tip.hdr = {pane.tree, static_cast<UINT_PTR>(PaneTreeId(pane.index)), static_cast<UINT>(TVN_GETINFOTIPA)};
    tip.pszText = text;
    tip.cchTextMax = sizeof(text);
    tip.hItem = NodeAt(pane.tree, path);
    SendMessageA(frame_->window, WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
    return text;
  }

  static int32_t FocusedItem(HWND list) {
    return static_cast<int32_t>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
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
  // Another program changes a preset's bytes, which the views do not show.
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(24, 7));

  Activate();
  const PresetRecord* warm = frame_->stores.system.plugIns->FindPlugInByName("delay")->FindPreset("Warm");
  EXPECT_EQ(24u, warm->data.Size());  // read again
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

namespace {

TEST_F(StoreViews, ARefilledListKeepsTheSelectionAndFocusOfTheItemsStillThere) {
  WriteStore();
  StartFrame();
  Select(System(), "FX Plug-Ins/delay");
  HWND list = System().list;
  LVITEMA state = {};
  state.stateMask = state.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, ListIndexOf(list, "Big"), reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, LVM_SETITEMSTATE, ListIndexOf(list, "Warm"), reinterpret_cast<LPARAM>(&state));
  state.stateMask = state.state = LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, ListIndexOf(list, "Warm"), reinterpret_cast<LPARAM>(&state));

  // Another program adds a preset before them and removes one of them.
  SetBinary(PlugInKey(kClassA), "Able", Pattern(10, 9));
  Activate();
  EXPECT_EQ("Able, Big, Long, Warm", ListLabels(list));
  EXPECT_EQ((std::vector<int32_t>{1, 3}), SelectedItems(list));
  EXPECT_EQ(3, FocusedItem(list));
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassA).c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_DeleteValue(key.Get(), "Big"));
  SendMessageA(frame_->window, WM_COMMAND, ID_EDIT_REFRESH, 0);
  EXPECT_EQ("Able, Long, Warm", ListLabels(list));
  EXPECT_EQ(std::vector<int32_t>{2}, SelectedItems(list));
  EXPECT_EQ(2, FocusedItem(list));
}

TEST_F(StoreViews, TipsNameTheClassOfLookAlikeEntriesAndShowNamesTheListCuts) {
  WriteStore();
  SetBinary(PlugInKey(kClassD), "Other", Pattern(10, 9));
  Register(kClassD, "Delay");  // another plug-in of the same name, in other letters
  std::string longName = "A preset whose name is far too long for a narrow list to show whole";
  SetBinary(PlugInKey(kClassA), longName.c_str(), Pattern(10, 9));
  StartFrame();
  Select(System(), "FX Plug-Ins");
  HWND list = System().list;
  EXPECT_EQ(std::string("Not Installed 000 (") + kClassC + ")", ListTip(System(), ListIndexOf(list, "Not Installed 000")));
  std::vector<std::string> tips;
  for (int32_t i = 0; i < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++i) {
    char label[64] = {};
    LVITEMA item = {};
    item.pszText = label;
    item.cchTextMax = sizeof(label);
    SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    if (lstrcmpiA(label, "delay") == 0) tips.push_back(ListTip(System(), i));
  }
  std::sort(tips.begin(), tips.end());
  EXPECT_EQ((std::vector<std::string>{std::string("Delay (") + kClassD + ")", std::string("delay (") + kClassA + ")"}),
            tips);
  EXPECT_EQ("", ListTip(System(), ListIndexOf(list, "Chorus")));
  EXPECT_NE(std::string::npos, TreeTip(System(), "FX Plug-Ins/Not Installed 000").find(kClassC));
  EXPECT_EQ("", TreeTip(System(), "FX Plug-Ins/Chorus"));
  EXPECT_EQ("", TreeTip(System(), "FX Chains"));

  Select(System(), "FX Plug-Ins/delay");
  int32_t item = ListIndexOf(list, longName);
  EXPECT_EQ("", ListTip(System(), item));  // shown whole
  SetWindowPos(frame_->window, nullptr, 0, 0, 480, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(longName, ListTip(System(), item));
  EXPECT_EQ("", ListTip(System(), ListIndexOf(list, "Warm")));
}

// A preset kept in a plug-in key's default value has an empty name.
TEST_F(StoreViews, APresetWithoutANameShowsNoNameGreyedWhileItsNameStaysEmpty) {
  WriteStore();
  SetBinary(PlugInKey(kClassA), "", Pattern(12, 4));
  StartFrame();
  Select(System(), "FX Plug-Ins/delay");
  HWND list = System().list;
  EXPECT_EQ(", Big, Long, Warm", ListLabels(list));
  const PlugInEntry* delay = frame_->stores.system.plugIns->FindPlugInByName("delay");
  ASSERT_NE(nullptr, delay->FindPreset(""));

  // Drawn into a white picture as the list draws it: the empty label gets
  // grey text, a named one nothing more.
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
  HDC screen = GetDC(list);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, bounds.right + 200, bounds.bottom + 4);
  HGDIOBJ old = SelectObject(dc, picture);
  RECT all = {0, 0, bounds.right + 200, bounds.bottom + 4};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  auto stage = [&](DWORD drawStage, int32_t item) {
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {list, static_cast<UINT_PTR>(PaneListId(kSystemPane)), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = drawStage;
    draw.nmcd.hdc = dc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item);
    return SendMessageA(frame_->window, WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
  };
  EXPECT_EQ(CDRF_NOTIFYITEMDRAW, stage(CDDS_PREPAINT, -1));
  EXPECT_EQ(CDRF_DODEFAULT, stage(CDDS_ITEMPREPAINT, ListIndexOf(list, "Big")));
  EXPECT_EQ(CDRF_NOTIFYPOSTPAINT, stage(CDDS_ITEMPREPAINT, 0));
  stage(CDDS_ITEMPOSTPAINT, 0);
  int32_t grey = 0;
  for (int32_t x = bounds.left; x < bounds.right + 200; ++x) {
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
      COLORREF pixel = GetPixel(dc, x, y);
      if (pixel != RGB(255, 255, 255) && pixel != CLR_INVALID) ++grey;
    }
  }
  EXPECT_GT(grey, 10);
  SelectObject(dc, old);
  DeleteObject(picture);
  DeleteDC(dc);
  ReleaseDC(list, screen);

  // The item is still found by its empty name: copied, it arrives nameless.
  EXPECT_TRUE(Copy(StoreId::System, ListSelection(NodeKind::PlugIn, "delay", {""})).committed);
  const PlugInEntry* copied = frame_->stores.package.plugIns->FindPlugInByName("delay");
  ASSERT_NE(nullptr, copied);
  ASSERT_NE(nullptr, copied->FindPreset(""));
  EXPECT_EQ(Pattern(12, 4), std::vector<unsigned char>(copied->FindPreset("")->data.Bytes(),
                                                       copied->FindPreset("")->data.Bytes() + 12));
}

}  // namespace
