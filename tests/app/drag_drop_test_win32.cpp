// Dragging between the panes of the real frame, driven by the controls'
// begin-drag notifications and the frame's own mouse messages: what a drop
// copies, what the target pane shows afterwards, the images and cursors,
// and the drags that end without a copy.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/drag_drop_win32.h"
#include "app/frame_fixture_win32.h"
#include "edit/history.h"
#include "store/store_layout.h"

namespace {

POINT CenterIn(HWND parent, HWND control, RECT rect) {
  POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  MapWindowPoints(control, parent, &center, 1);
  return center;
}

POINT ControlCenter(HWND frame, HWND control) {
  RECT client;
  GetClientRect(control, &client);
  return CenterIn(frame, control, client);
}

RECT ListItemRect(HWND list, int32_t item, int code) {
  RECT rect = {};
  rect.left = code;
  SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void SelectOnly(HWND list, const std::vector<int32_t>& items) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&state));
  state.state = LVIS_SELECTED;
  for (int32_t item : items) SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

HCURSOR Cursor(LPCSTR id) { return LoadCursorA(nullptr, id); }

class DragDrop : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    WriteStore();
    StartFrame();
    // A drop counts only where the target's window is really under the cursor.
    ShowFrame();
  }

  HWND Frame() const { return frame_->window; }

  // The tree's begin-drag notification for the node at `path`, grabbed in
  // the middle of its text.
  void DragNode(Pane& pane, const std::string& path) {
    HTREEITEM node = NodeAt(pane.tree, path);
    ASSERT_NE(nullptr, node) << path;
    // The user grabs a node that is shown.
    SendMessageA(pane.tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
    UpdateWindow(pane.tree);
    RECT text = {};
    memcpy(&text, &node, sizeof(node));  // the node goes where the rectangle comes back
    SendMessageA(pane.tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
    NMTREEVIEWA drag = {};
    drag.hdr = {pane.tree, static_cast<UINT_PTR>(PaneTreeId(pane.index)), static_cast<UINT>(TVN_BEGINDRAGA)};
    drag.action = TVC_UNKNOWN;
    drag.itemNew.hItem = node;
    drag.ptDrag = POINT{(text.left + text.right) / 2, (text.top + text.bottom) / 2};
    SendMessageA(Frame(), WM_NOTIFY, drag.hdr.idFrom, reinterpret_cast<LPARAM>(&drag));
  }

  // The list's begin-drag notification for its selected items, grabbed on
  // the label of `item`.
  void DragItems(Pane& pane, int32_t item) {
    RECT label = ListItemRect(pane.list, item, LVIR_LABEL);
    NMLISTVIEW drag = {};
    drag.hdr = {pane.list, static_cast<UINT_PTR>(PaneListId(pane.index)), static_cast<UINT>(LVN_BEGINDRAG)};
    drag.iItem = item;
    drag.ptAction = POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    SendMessageA(Frame(), WM_NOTIFY, drag.hdr.idFrom, reinterpret_cast<LPARAM>(&drag));
  }

  void MoveTo(POINT client) { SendMessageA(Frame(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y)); }
  void ReleaseAt(POINT client) {
    SendMessageA(Frame(), WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    Pump();
  }
  void DropOn(HWND control) {
    MoveTo(ControlCenter(Frame(), control));
    ReleaseAt(ControlCenter(Frame(), control));
  }

  // A drag runs with its image shown and the mouse held by the frame.
  bool Dragging() const {
    return frame_->presetDragging && GetCapture() == frame_->window && ImageList_GetDragImage(nullptr, nullptr) != nullptr;
  }
  // Nothing of a drag is left: no image, no captured mouse, no held refresh.
  void ExpectNoDragLeft() const {
    EXPECT_FALSE(frame_->presetDragging);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(nullptr, ImageList_GetDragImage(nullptr, nullptr));
    EXPECT_EQ(0, frame_->modal.depth);
  }

  std::vector<unsigned char> PackageBytes(const char* plugIn, const char* preset) {
    const StoreRecords& records = frame_->stores.Of(StoreId::Package);
    PlugInEntry* entry = records.plugIns ? records.plugIns->FindPlugInByName(plugIn) : nullptr;
    PresetRecord* record = entry != nullptr ? entry->FindPreset(preset) : nullptr;
    if (record == nullptr) return {};
    return std::vector<unsigned char>(record->data.Bytes(), record->data.Bytes() + record->data.Size());
  }

  // Puts `names` of `context` into the package, then takes them off this
  // computer, so that a drop back brings them without a question.
  void MoveToPackage(NodeKind kind, const char* context, const std::vector<std::string>& names) {
    ASSERT_TRUE(Copy(StoreId::System, ListSelection(kind, context, names)).committed);
    EditContext edit = {frame_->stores, frame_->history, nullptr};
    EditOutcome deleted = DeleteSelection(edit, StoreId::System, ListSelection(kind, context, names));
    ASSERT_TRUE(deleted.committed);
    RefreshStorePane(*frame_, deleted.changedStore);
  }
};

TEST_F(DragDrop, APlugInDroppedOnThePackageListArrivesWholeAndIsShownSelected) {
  DragNode(System(), "FX Plug-Ins/delay");
  ASSERT_TRUE(Dragging());
  EXPECT_EQ(NodeAt(System().tree, "FX Plug-Ins/delay"), Selected(System().tree));
  EXPECT_EQ(System().tree, GetFocus());
  EXPECT_EQ(Cursor(IDC_NO), GetCursor());
  // The cursor tells over which pane a drop would copy.
  MoveTo(ControlCenter(Frame(), Package().tree));
  EXPECT_EQ(Cursor(IDC_ARROW), GetCursor());
  MoveTo(ControlCenter(Frame(), System().list));
  EXPECT_EQ(Cursor(IDC_NO), GetCursor());
  DropOn(Package().list);
  ExpectNoDragLeft();

  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));
  HTREEITEM delay = NodeAt(Package().tree, "Untitled/FX Plug-Ins/delay");
  EXPECT_EQ(delay, Selected(Package().tree));
  EXPECT_EQ("Big, Long, Warm", ListLabels(Package().list));
  EXPECT_EQ(Pattern(20, 1), PackageBytes("delay", "Warm"));
  EXPECT_EQ(Pattern(30, 2), PackageBytes("delay", "Long"));
  EXPECT_EQ(Pattern(4096, 3), PackageBytes("delay", "Big"));
  EXPECT_EQ(1, GetUndoCount(frame_->history));
  EXPECT_EQ("Veltrane Ordalis 1.0 - Untitled*", Caption());
}

// A drop on a node of the tree leaves the tree's selection where it was; a
// drop on the tree's empty area below its nodes shows where the records
// arrived, as a drop on the list does.
TEST_F(DragDrop, TheSameNodeDroppedOnATreeNodeLeavesTheSelectionAndBelowTheNodesShowsItsArrival) {
  Select(Package(), "Untitled");
  DragNode(System(), "FX Plug-Ins/delay");
  RECT row = {};
  HTREEITEM root = NodeAt(Package().tree, "Untitled");
  memcpy(&row, &root, sizeof(root));
  SendMessageA(Package().tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&row));
  POINT onRoot = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
  MapWindowPoints(Package().tree, Frame(), &onRoot, 1);
  MoveTo(onRoot);
  ReleaseAt(onRoot);
  ExpectNoDragLeft();
  EXPECT_EQ("Untitled(FX Plug-Ins(delay))", TreeShape(Package().tree));
  EXPECT_EQ(root, Selected(Package().tree));
  EXPECT_EQ(Pattern(4096, 3), PackageBytes("delay", "Big"));

  DragNode(System(), "FX Plug-Ins/Chorus");
  RECT client = {};
  GetClientRect(Package().tree, &client);
  POINT below = {client.right / 2, client.bottom - 4};
  MapWindowPoints(Package().tree, Frame(), &below, 1);
  MoveTo(below);
  ReleaseAt(below);
  ExpectNoDragLeft();
  EXPECT_EQ("Untitled(FX Plug-Ins(Chorus, delay))", TreeShape(Package().tree));
  EXPECT_EQ(NodeAt(Package().tree, "Untitled/FX Plug-Ins/Chorus"), Selected(Package().tree));
  EXPECT_EQ("Wide", ListLabels(Package().list));
}

TEST_F(DragDrop, SeveralItemsTravelAsAnOutlineOfThemAllAndOneAsTheListsOwnImage) {
  Select(System(), "FX Plug-Ins/delay");
  ASSERT_EQ("Big, Long, Warm", ListLabels(System().list));
  SelectOnly(System().list, {1, 2});
  DragItems(System(), 2);
  ASSERT_TRUE(Dragging());
  EXPECT_EQ(System().list, GetFocus());
  // The outline covers the icons and labels of both items.
  RECT both = {};
  for (int32_t item : {1, 2}) {
    for (int code : {LVIR_ICON, LVIR_LABEL}) {
      RECT part = ListItemRect(System().list, item, code);
      if (both.right == both.left) both = part;
      UnionRect(&both, &both, &part);
    }
  }
  int width = 0, height = 0;
  ImageList_GetIconSize(frame_->presetDrag.image.Get(), &width, &height);
  EXPECT_EQ(both.right - both.left, width);
  EXPECT_EQ(both.bottom - both.top, height);
  DropOn(Package().list);
  ExpectNoDragLeft();
  EXPECT_EQ("Long, Warm", ListLabels(Package().list));
  EXPECT_EQ(Pattern(30, 2), PackageBytes("delay", "Long"));
  EXPECT_TRUE(PackageBytes("delay", "Big").empty());

  SelectOnly(System().list, {0});
  DragItems(System(), 0);
  ASSERT_TRUE(Dragging());
  POINT corner = {};
  ScopedImageList own(reinterpret_cast<HIMAGELIST>(
      SendMessageA(System().list, LVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(&corner))));
  int ownWidth = 0, ownHeight = 0;
  ImageList_GetIconSize(own.Get(), &ownWidth, &ownHeight);
  ImageList_GetIconSize(frame_->presetDrag.image.Get(), &width, &height);
  EXPECT_EQ(ownWidth, width);
  EXPECT_EQ(ownHeight, height);
  PressKey(VK_ESCAPE);
  ExpectNoDragLeft();
}

TEST_F(DragDrop, ThePackageDroppedOnTheSystemListShowsTheGroupWhereItsRecordsArrived) {
  MoveToPackage(NodeKind::ChainGroup, kChainGroupLabel, {"Vocal"});
  Select(System(), "FX Plug-Ins/delay");
  DragNode(Package(), "Untitled");
  DropOn(System().list);
  ExpectNoDragLeft();
  EXPECT_EQ(NodeAt(System().tree, kChainGroupLabel), Selected(System().tree));
  EXPECT_NE(-1, ListIndexOf(System().list, "Vocal"));

  // A package that brings presets shows their group.
  MoveToPackage(NodeKind::PlugIn, "delay", {"Warm"});
  DragNode(Package(), "Untitled");
  DropOn(System().list);
  ExpectNoDragLeft();
  EXPECT_EQ(NodeAt(System().tree, kPlugInGroupLabel), Selected(System().tree));
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Warm", &type, &bytes));
  EXPECT_EQ(Pattern(20, 1), bytes);
}

TEST_F(DragDrop, ADropOnItsOwnPaneTheToolbarOutsideTheWindowOrOnAWindowAboveTheTargetCopiesNothing) {
  RECT toolbar;
  GetClientRect(frame_->toolbar, &toolbar);
  std::vector<POINT> places = {ControlCenter(Frame(), System().list), ControlCenter(Frame(), System().tree),
                               CenterIn(Frame(), frame_->toolbar, toolbar), POINT{-50, -50}};
  for (POINT place : places) {
    DragNode(System(), "FX Plug-Ins/delay");
    ASSERT_TRUE(Dragging());
    MoveTo(place);
    EXPECT_EQ(Cursor(IDC_NO), GetCursor());
    ReleaseAt(place);
    ExpectNoDragLeft();
  }

  // Another program's window lying over the package list takes the drop.
  POINT covered = ControlCenter(Frame(), Package().list);
  POINT screen = covered;
  ClientToScreen(Frame(), &screen);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "cover", WS_POPUP | WS_VISIBLE, screen.x - 20, screen.y - 20,
                               40, 40, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, cover);
  Pump();
  DragNode(System(), "FX Plug-Ins/delay");
  MoveTo(covered);
  EXPECT_EQ(Cursor(IDC_NO), GetCursor());
  ReleaseAt(covered);
  ExpectNoDragLeft();
  DestroyWindow(cover);

  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_EQ(0, GetUndoCount(frame_->history));
  EXPECT_EQ(0u, boxes_.size());
}

TEST_F(DragDrop, EscapeOrAnotherWindowTakingTheMouseEndsTheDragWithoutACopy) {
  SetCursor(Cursor(IDC_IBEAM));
  DragNode(System(), "FX Plug-Ins/delay");
  MoveTo(ControlCenter(Frame(), Package().list));
  // Shortcuts do nothing while the frame holds the mouse: Delete would take
  // away what is being dragged.
  PressKey(VK_DELETE);
  EXPECT_TRUE(frame_->presetDragging);
  EXPECT_EQ("Big, Long, Warm", ListLabels(System().list));
  PressKey(VK_ESCAPE);
  ExpectNoDragLeft();
  EXPECT_EQ(Cursor(IDC_IBEAM), GetCursor());
  ReleaseAt(ControlCenter(Frame(), Package().list));

  // The program becomes active while the drag runs: the refresh waits for
  // the drag's end, then runs.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, other);
  DragNode(System(), "FX Plug-Ins/delay");
  MoveTo(ControlCenter(Frame(), Package().list));
  Activate();
  EXPECT_TRUE(frame_->modal.refreshPending);
  SetCapture(other);
  Pump();
  EXPECT_FALSE(frame_->presetDragging);
  EXPECT_EQ(nullptr, ImageList_GetDragImage(nullptr, nullptr));
  EXPECT_EQ(Cursor(IDC_IBEAM), GetCursor());
  ReleaseCapture();
  ExpectNoDragLeft();
  EXPECT_TRUE(PumpUntil([&] { return !frame_->modal.refreshPending; }));
  ReleaseAt(ControlCenter(Frame(), Package().list));
  DestroyWindow(other);

  EXPECT_EQ("Untitled", TreeShape(Package().tree));
  EXPECT_EQ(0, GetUndoCount(frame_->history));
}

}  // namespace
