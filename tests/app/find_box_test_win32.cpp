// The find box on the real frame: typed into as a user types, it narrows
// both trees and lists; Escape gives the panes back whole with the earlier
// selection; copies, deletes, undo and a refresh act on what is shown and
// keep the panes narrowed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/find_box_win32.h"
#include "app/frame_fixture_win32.h"
#include "app/frame_parts_win32.h"
#include "app/selection_commands_win32.h"
#include "resource.h"

namespace {

class FindBox : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
    ShowFrame();
  }

  // Ctrl+F from wherever the focus is, then the text typed key by key.
  void Find(const std::string& text) {
    PressKey('F', kKeyCtrl);
    ASSERT_EQ(frame_->findBox, GetFocus());
    for (char c : text) TypeCharacter(c, 0);
  }
  std::string BoxText() {
    char text[300] = {};
    GetWindowTextA(frame_->findBox, text, sizeof(text));
    return text;
  }
  static std::string LabelText(const Pane& pane) {
    char text[300] = {};
    GetWindowTextA(pane.label, text, sizeof(text));
    return text;
  }
  std::string SelectedLabels(const Pane& pane) {
    std::string out;
    for (int32_t index : SelectedItems(pane.list)) {
      char text[300] = {};
      LVITEMA item = {};
      item.pszText = text;
      item.cchTextMax = sizeof(text);
      SendMessageA(pane.list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
      out += (out.empty() ? "" : ", ") + std::string(text);
    }
    return out;
  }
  void SelectListItem(Pane& pane, const std::string& label) {
    int32_t index = ListIndexOf(pane.list, label);
    ASSERT_GE(index, 0) << label;
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  }
};

const char* const kWholeSystem =
    "FX Chains, FX Plug-Ins(Chorus, delay, Not Installed 000, Veltrane Cantorel Reverb)";

TEST_F(FindBox, TypingNarrowsBothPanesAndEscapeGivesThemBackWithTheSelection) {
  ASSERT_EQ(kWholeSystem, TreeShape(System().tree));
  EXPECT_EQ("System Presets", LabelText(System()));
  Select(System(), "FX Plug-Ins/delay");
  SelectListItem(System(), "Long");
  SetFocus(System().list);

  Find("W");
  // "w" is in Warm, Wide, and in the name of no chain.
  EXPECT_EQ("FX Plug-Ins(Chorus, delay)", TreeShape(System().tree));
  EXPECT_EQ("Warm", ListLabels(System().list));
  EXPECT_EQ("System Presets - 2 of 8 items", LabelText(System()));
  EXPECT_EQ("Preset Package - 0 of 0 items", LabelText(Package()));
  // The groups are open, so every match is in sight.
  HTREEITEM group = NodeAt(System().tree, "FX Plug-Ins");
  EXPECT_TRUE(SendMessageA(System().tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(group), TVIS_EXPANDED) &
              TVIS_EXPANDED);

  TypeCharacter('A', 0);
  EXPECT_EQ("FX Plug-Ins(delay)", TreeShape(System().tree));
  EXPECT_EQ("System Presets - 1 of 8 items", LabelText(System()));
  TypeCharacter('x', 0);
  EXPECT_EQ("", TreeShape(System().tree));
  EXPECT_EQ("", ListLabels(System().list));
  EXPECT_TRUE(boxes_.empty());  // no match is no error
  TypeCharacter('\b', 0);
  EXPECT_EQ("FX Plug-Ins(delay)", TreeShape(System().tree));

  // A chain is found by its name; "FX Chains" lists only the matches.
  SetWindowTextA(frame_->findBox, "dru");
  EXPECT_EQ("FX Chains", TreeShape(System().tree));
  Select(System(), "FX Chains");
  EXPECT_EQ("Drums", ListLabels(System().list));
  // A plug-in whose own name holds the text shows all its presets.
  SetWindowTextA(frame_->findBox, "DEL");
  Select(System(), "FX Plug-Ins/delay");
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));

  ASSERT_EQ(frame_->findBox, GetFocus());
  PressKey(VK_ESCAPE);
  EXPECT_EQ("", BoxText());
  EXPECT_EQ(kWholeSystem, TreeShape(System().tree));
  EXPECT_EQ("delay", NodeLabel(System().tree, Selected(System().tree)));
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
  EXPECT_EQ("Long", SelectedLabels(System()));
  EXPECT_EQ("System Presets", LabelText(System()));
  EXPECT_EQ("Preset Package", LabelText(Package()));
}

TEST_F(FindBox, CopyingANarrowedPlugInCopiesOnlyItsShownPresetsAndUndoTakesThemBack) {
  Find("lo");
  ASSERT_EQ("FX Plug-Ins(delay)", TreeShape(System().tree));
  Select(System(), "FX Plug-Ins/delay");
  SetFocus(System().tree);
  RunCopyCommand(*frame_);
  ASSERT_TRUE(boxes_.empty()) << boxes_[0].text;
  const PlugInEntry* copied = frame_->stores.package.plugIns->FindPlugInByName("delay");
  ASSERT_NE(nullptr, copied);
  EXPECT_EQ(1, copied->GetPresetCount());
  EXPECT_NE(nullptr, copied->FindPreset("Long"));
  // The package pane is narrowed by the same text as it changes.
  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_EQ("Preset Package - 1 of 1 items", LabelText(Package()));

  SetFocus(System().tree);
  PressKey('Z', kKeyCtrl);
  EXPECT_EQ(0, GetUndoCount(frame_->history));
  EXPECT_TRUE(frame_->stores.package.IsEmpty());
  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_EQ("lo", BoxText());
}

TEST_F(FindBox, DeletingANarrowedGroupLeavesTheHiddenPresets) {
  Find("wa");
  Select(System(), "FX Plug-Ins");
  EXPECT_EQ("delay", ListLabels(System().list));
  SetFocus(System().tree);
  RunDeleteCommand(*frame_);
  const PlugInEntry* delay = frame_->stores.system.plugIns->FindPlugInByName("delay");
  ASSERT_NE(nullptr, delay);
  EXPECT_EQ(nullptr, delay->FindPreset("Warm"));
  EXPECT_NE(nullptr, delay->FindPreset("Long"));
  EXPECT_NE(nullptr, frame_->stores.system.plugIns->FindPlugInByName("Chorus"));
  EXPECT_EQ(2, frame_->stores.system.chains->GetChainCount());
  EXPECT_EQ("", TreeShape(System().tree));  // nothing left to show

  SetWindowTextA(frame_->findBox, "");
  EXPECT_EQ(kWholeSystem, TreeShape(System().tree));
}

TEST_F(FindBox, ARefreshNarrowsTheChangedStoreByTheSameText) {
  Find("wa");
  ASSERT_EQ("FX Plug-Ins(delay)", TreeShape(System().tree));
  SetBinary(PlugInKey(kClassB), "Wavy", Pattern(10, 9));
  SetFocus(System().tree);
  PressKey(VK_F5, 0);
  EXPECT_EQ("FX Plug-Ins(Chorus, delay)", TreeShape(System().tree));
  EXPECT_EQ("System Presets - 2 of 9 items", LabelText(System()));
  EXPECT_EQ("wa", BoxText());
}

TEST_F(FindBox, EnterGoesToTheFirstPaneWithAMatchAndCtrlTabPassesThroughTheBox) {
  Find("hall");
  PressKey(VK_RETURN);
  EXPECT_EQ(System().list, GetFocus());  // the package holds nothing
  EXPECT_EQ(1u, SelectedItems(System().list).size());

  SetFocus(System().list);
  PressKey(VK_TAB, kKeyCtrl);
  EXPECT_EQ(frame_->findBox, GetFocus());
  PressKey(VK_TAB, kKeyCtrl | kKeyShift);
  EXPECT_EQ(System().list, GetFocus());

  // Ctrl+E does what Ctrl+F does, and selects the text to be typed over.
  SetFocus(System().tree);
  PressKey('E', kKeyCtrl);
  EXPECT_EQ(frame_->findBox, GetFocus());
  DWORD start = 0, end = 0;
  SendMessageA(frame_->findBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(0u, start);
  EXPECT_EQ(4u, end);
}

TEST_F(FindBox, TheBoxSitsAtTheRightEndOfTheToolbarRowWithItsCue) {
  RECT box, bar, client;
  GetWindowRect(frame_->findBox, &box);
  GetWindowRect(frame_->toolbar, &bar);
  MapWindowPoints(nullptr, frame_->window, reinterpret_cast<POINT*>(&box), 2);
  MapWindowPoints(nullptr, frame_->window, reinterpret_cast<POINT*>(&bar), 2);
  GetClientRect(frame_->window, &client);
  EXPECT_TRUE(IsWindowVisible(frame_->findBox));
  EXPECT_GE(box.top, bar.top);
  EXPECT_LE(box.bottom, bar.bottom);
  EXPECT_GT(box.right - box.left, 100);
  EXPECT_LT(client.right - box.right, 20);
  SIZE buttons = {};
  SendMessageA(frame_->toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&buttons));
  EXPECT_GT(box.left, bar.left + buttons.cx);
  wchar_t cue[64] = {};
  SendMessageW(frame_->findBox, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
  EXPECT_STREQ(L"Find presets and chains", cue);
}

}  // namespace
