// The window-free rules of a drag between the panes.
#include "app/drop_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// Two panes one above the other, each a tree of 100 pixels beside a list
// that starts where the tree ends.
constexpr std::array<PaneScreenRects, 2> kPanes = {{
    {{10, 50, 110, 250}, {110, 50, 400, 250}},
    {{10, 260, 110, 460}, {110, 260, 400, 460}},
}};

TEST(DropRules, PointsFindTheirPanePartWithRightAndBottomEdgesOutside) {
  struct Case {
    int32_t x, y;
    int pane;
    PanePart part;
  } cases[] = {
      {10, 50, 0, PanePart::Tree},     {109, 249, 0, PanePart::Tree},  {110, 50, 0, PanePart::List},
      {400, 100, -1, PanePart::None},  {200, 250, -1, PanePart::None}, {200, 260, 1, PanePart::List},
      {50, 459, 1, PanePart::Tree},    {50, 460, -1, PanePart::None},  {9, 100, -1, PanePart::None},
  };
  for (const Case& c : cases) {
    PaneHit hit = HitTestPanes(kPanes, c.x, c.y);
    EXPECT_EQ(c.pane, hit.pane) << c.x << "," << c.y;
    EXPECT_EQ(c.part, hit.part) << c.x << "," << c.y;
  }
  EXPECT_EQ(1, DropTargetPane(0));
  EXPECT_EQ(0, DropTargetPane(1));
}

TEST(DropRules, OverlappingPanesAnswerForThePackagePaneAndItsListFirst) {
  std::array<PaneScreenRects, 2> panes = {{
      {{0, 0, 100, 100}, {50, 0, 150, 100}},
      {{0, 0, 100, 100}, {50, 0, 150, 100}},
  }};
  PaneHit hit = HitTestPanes(panes, 60, 10);
  EXPECT_EQ(0, hit.pane);
  EXPECT_EQ(PanePart::List, hit.part);
}

TEST(DropRules, OneItemIsHeldRightOfItsIconAndSeveralByTheirMiddle) {
  DragHotspot grabbedOnIcon = ListDragHotspot(5, 18, 0, 17, 60, 1);
  EXPECT_EQ(18, grabbedOnIcon.x);
  EXPECT_EQ(17, grabbedOnIcon.y);
  DragHotspot grabbedOnLabel = ListDragHotspot(40, 18, 0, 17, 60, 1);
  EXPECT_EQ(40, grabbedOnLabel.x);
  // An item of the second column, 150 pixels in, is held as one of the first.
  DragHotspot secondColumn = ListDragHotspot(190, 168, 150, 17, 60, 1);
  EXPECT_EQ(40, secondColumn.x);
  DragHotspot several = ListDragHotspot(40, 18, 0, 17, 51, 3);
  EXPECT_EQ(40, several.x);
  EXPECT_EQ(25, several.y);
  // A plug-in node (depth 2) grabbed 50 pixels in, with an indent of 19.
  DragHotspot node = TreeDragHotspot(50, 19, 2, 16);
  EXPECT_EQ(12, node.x);
  EXPECT_EQ(16, node.y);
}

TEST(DropRules, TheOutlineCoversEveryItemAndStrokesEachLabelThroughItsMiddle) {
  // Two items of a list in columns: the second lies right of and below the first.
  ItemRects items[] = {
      {{2, 3, 18, 19}, {20, 3, 80, 18}},
      {{102, 20, 118, 36}, {120, 21, 190, 36}},
  };
  VtRect bounds = OutlineBounds(items);
  EXPECT_EQ(2, bounds.left);
  EXPECT_EQ(3, bounds.top);
  EXPECT_EQ(190, bounds.right);
  EXPECT_EQ(36, bounds.bottom);

  OutlineStroke first = OutlineStrokeOf(items[0], bounds);
  EXPECT_EQ(0, first.icon.left);
  EXPECT_EQ(0, first.icon.top);
  EXPECT_EQ(16, first.icon.right);
  EXPECT_EQ(18, first.lineLeft);
  EXPECT_EQ(78, first.lineRight);
  EXPECT_EQ(7, first.lineY);  // the label's 15 rows halved toward zero
  OutlineStroke second = OutlineStrokeOf(items[1], bounds);
  EXPECT_EQ(100, second.icon.left);
  EXPECT_EQ(17, second.icon.top);
  EXPECT_EQ(188, second.lineRight);
  EXPECT_EQ(25, second.lineY);

  VtRect none = OutlineBounds({});
  EXPECT_EQ(0, none.right - none.left);
}

std::string PathText(const NodePath& path) {
  std::string text;
  for (int32_t i = 0; i < path.depth; ++i) {
    if (i > 0) text += '/';
    text += path.labels[i];
  }
  return text;
}

TEST(DropRules, TheTargetShowsTheNodeWhereTheDraggedRecordsArrived) {
  EXPECT_EQ("FX Plug-Ins/delay", PathText(CorrespondingNodePath(NodeKind::PlugIn, "delay", true)));
  EXPECT_EQ("FX Plug-Ins", PathText(CorrespondingNodePath(NodeKind::PlugInGroup, "FX Plug-Ins", true)));
  EXPECT_EQ("FX Chains", PathText(CorrespondingNodePath(NodeKind::ChainGroup, "FX Chains", false)));
  // The package itself has no node in the system pane: its plug-ins' group
  // when presets arrived, else the chains'.
  EXPECT_EQ("FX Plug-Ins", PathText(CorrespondingNodePath(NodeKind::PackageRoot, "Demo.vtpreset", true)));
  EXPECT_EQ("FX Chains", PathText(CorrespondingNodePath(NodeKind::PackageRoot, "Demo.vtpreset", false)));
  EXPECT_EQ("", PathText(CorrespondingNodePath(NodeKind::None, "", true)));
}

}  // namespace
