// The frame's layout rules at the standard DPI and at 150 percent: every
// figure scales with the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <cstdlib>
#include <ostream>

#include "app/find_box_layout.h"
#include "app/frame_layout.h"
#include "app/text_stack.h"

static bool operator==(const VtRect& a, const VtRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& out, const VtRect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

class FrameLayout : public ::testing::TestWithParam<int32_t> {
 protected:
  int32_t Px(int32_t pixels) const { return ScalePixels(pixels, GetParam()); }
  int32_t dpi() const { return GetParam(); }
};

TEST_P(FrameLayout, PanesSitBelowTheToolbarAreaWithMarginsAndAGapAroundTheMiddle) {
  VtRect package, system;
  PlacePanes(800, 541, dpi(), &package, &system);
  EXPECT_EQ(Px(kToolbarArea), package.top);
  EXPECT_EQ(Px(kFrameMargin), package.left);
  EXPECT_EQ(800 - Px(kFrameMargin), package.right);
  EXPECT_EQ(package.left, system.left);
  EXPECT_EQ(package.right, system.right);
  EXPECT_EQ(541 - Px(kFrameMargin), system.bottom);
  EXPECT_EQ(Px(kFrameMargin), system.top - package.bottom);
  int32_t middle = (541 - Px(kFrameMargin)) / 2;
  EXPECT_LE(package.bottom, middle);
  EXPECT_GE(system.top, middle);

  VtRect bar = PlaceToolbar(800, 790, 22, dpi());
  EXPECT_EQ(Px(kToolbarLeft), bar.left);
  EXPECT_EQ(Px(kToolbarTop), bar.top);
  EXPECT_EQ(800, bar.right);
  EXPECT_EQ(22 + Px(kToolbarPadding), bar.bottom - bar.top);
  VtRect band = EtchedBand(bar, dpi());
  EXPECT_EQ(Px(kEtchedGrowth), bar.top - band.top);
  EXPECT_EQ(Px(kEtchedGrowth), band.bottom - bar.bottom);
}

TEST_P(FrameLayout, APaneHasItsLabelOverTheTreeAndTheListBesideTheSplitter) {
  VtRect pane = {10, 50, 700, 300};
  PaneLayout layout = LayoutPane(pane, 80, 13, Px(200), dpi());
  EXPECT_EQ((VtRect{10, 50, 90, 63}), layout.label);
  EXPECT_EQ((VtRect{10, 63, 10 + Px(200), 300}), layout.tree);
  EXPECT_EQ(layout.tree.right + Px(kSplitterWidth), layout.list.left);
  EXPECT_EQ(700, layout.list.right);
  EXPECT_EQ(Px(200), layout.split);

  // A pane narrower than the tree pushes the tree so that the list keeps
  // its minimum; in a very narrow pane the tree goes below nothing.
  layout = LayoutPane(VtRect{10, 50, 10 + Px(150), 300}, 80, 13, Px(200), dpi());
  EXPECT_EQ(Px(kMinListWidth), layout.list.right - layout.list.left);
  EXPECT_EQ(layout.split, layout.tree.right - layout.tree.left);
  layout = LayoutPane(VtRect{10, 50, 15, 300}, 80, 13, Px(200), dpi());
  EXPECT_LT(layout.split, 0);
  EXPECT_EQ(Px(kMinListWidth), layout.list.right - layout.list.left);
}

TEST_P(FrameLayout, TheSplitterUnderTheMouseBelongsToThePaneOfThatHalf) {
  PaneLayout package = LayoutPane(VtRect{Px(6), Px(42), 800, 250}, 80, 13, Px(300), dpi());
  PaneLayout system = LayoutPane(VtRect{Px(6), 260, 800, 500}, 80, 13, Px(200), dpi());
  int32_t y = 150;
  EXPECT_EQ(1, SplitterAt(package, system, package.tree.right, y, 510));
  EXPECT_EQ(1, SplitterAt(package, system, package.list.left - 1, y, 510));
  EXPECT_EQ(0, SplitterAt(package, system, package.list.left, y, 510));
  EXPECT_EQ(0, SplitterAt(package, system, package.tree.right - 1, y, 510));
  EXPECT_EQ(2, SplitterAt(package, system, system.tree.right + 1, 400, 510));
  EXPECT_EQ(0, SplitterAt(package, system, system.tree.right + 1, system.tree.bottom, 510));
  // The package pane's splitter does not reach into the lower half.
  EXPECT_EQ(0, SplitterAt(package, system, package.tree.right, 255, 510));
}

TEST_P(FrameLayout, ADragMovesTheSplitBetweenTheTreesMinimumAndTheRightMargin) {
  int32_t paneWidth = Px(600);
  EXPECT_EQ(Px(300) + 40, DraggedSplit(Px(300), 100, 140, paneWidth, dpi()));
  EXPECT_EQ(Px(kMinTreeWidth), DraggedSplit(Px(300), 500, 0, paneWidth, dpi()));
  EXPECT_EQ(paneWidth - Px(kSplitRightMargin), DraggedSplit(Px(300), 0, 5000, paneWidth, dpi()));

  // A move within the drag rectangle is still a click.
  EXPECT_FALSE(LeftDragRect(100, 100, 101, 99, 4, 4, dpi()));
  EXPECT_TRUE(LeftDragRect(100, 100, 100 + Px(4), 100, 4, 4, dpi()));
  EXPECT_TRUE(LeftDragRect(100, 100, 100, 100 - Px(4), 4, 4, dpi()));
}

TEST_P(FrameLayout, SplitPositionsAreStoredAt96DpiWithinTheirRange) {
  EXPECT_EQ(Px(300), SplitFromSetting(300, dpi()));
  EXPECT_EQ(Px(16384), SplitFromSetting(20000, dpi()));
  EXPECT_EQ(0, SplitFromSetting(-5, dpi()));
  EXPECT_EQ(300, SplitToSetting(Px(300), dpi()));
  EXPECT_EQ(0, SplitToSetting(-40, dpi()));
  EXPECT_EQ(kMaxStoredSplit, SplitToSetting(Px(20000), dpi()));
}

TEST_P(FrameLayout, AResizedPaneKeepsTheProportionTheUserChose) {
  int32_t chosen = Px(300), width = Px(788);
  EXPECT_EQ(chosen, ProportionalSplit(chosen, width, width));
  EXPECT_EQ(chosen / 2, ProportionalSplit(chosen, width, width / 2));
  EXPECT_EQ(chosen * 2, ProportionalSplit(chosen, width, width * 2));
  // Made small and large again, from the choice each time: the same split.
  int32_t small = ProportionalSplit(chosen, width, Px(238));
  EXPECT_LT(small, chosen);
  EXPECT_EQ(chosen, ProportionalSplit(chosen, width, width));
  // Before the pane was first shown, or for an empty pane, the split is as chosen.
  EXPECT_EQ(chosen, ProportionalSplit(chosen, 0, Px(400)));
  EXPECT_EQ(chosen, ProportionalSplit(chosen, width, 0));
  // The widest splits and panes do not overflow.
  EXPECT_EQ(Px(kMaxStoredSplit) * 2, ProportionalSplit(Px(kMaxStoredSplit), 30000, 60000));
}

TEST_P(FrameLayout, TheFirstWindowIsScaledAndFitsTheWorkArea) {
  VtRect large = {0, 0, 4000, 3000};
  EXPECT_EQ((VtRect{0, 0, Px(kDefaultFrameWidth), Px(kDefaultFrameHeight)}), DefaultFrameRect(dpi(), large));
  VtRect small = {0, 40, 1024, 728};  // a task bar above
  VtRect fitted = DefaultFrameRect(dpi(), small);
  EXPECT_EQ(0, fitted.left);
  EXPECT_EQ(0, fitted.top);
  EXPECT_LE(fitted.right, 1024);
  EXPECT_LE(fitted.bottom, 688);
  EXPECT_EQ(std::min(Px(kDefaultFrameHeight), 688), fitted.bottom);
  EXPECT_EQ((VtRect{0, 0, 0, 0}), DefaultFrameRect(dpi(), VtRect{10, 10, 5, 5}));
}

TEST_P(FrameLayout, TheFindBoxTakesTheRightEndOfTheToolbarRowAndNeverCoversAButton) {
  VtRect bar = PlaceToolbar(Px(800), 0, Px(24), dpi());
  VtRect box = PlaceFindBox(bar, Px(250), Px(22), dpi());
  EXPECT_EQ(bar.right - Px(kFrameMargin), box.right);
  EXPECT_EQ(Px(kFindBoxWidth), box.right - box.left);
  EXPECT_GE(box.top, bar.top);
  EXPECT_LE(box.bottom, bar.bottom);
  EXPECT_LE(std::abs((box.top - bar.top) - (bar.bottom - box.bottom)), 1);  // centred in the row

  // A narrow window leaves the box what the buttons do not take...
  bar = PlaceToolbar(Px(400), 0, Px(24), dpi());
  box = PlaceFindBox(bar, Px(250), Px(22), dpi());
  EXPECT_EQ(bar.left + Px(250) + Px(kFindBoxGap), box.left);
  EXPECT_GT(box.right, box.left);
  // ...and none when that is too little; a box taller than the row is cut to it.
  bar = PlaceToolbar(Px(300), 0, Px(24), dpi());
  box = PlaceFindBox(bar, Px(250), Px(40), dpi());
  EXPECT_EQ(box.left, box.right);
  EXPECT_EQ(bar.bottom - bar.top, box.bottom - box.top);
}

INSTANTIATE_TEST_SUITE_P(Dpi, FrameLayout, ::testing::Values(96, 144));

TEST(TextStack, ATextThatWrapsPushesTheOnesBelowItDownKeepingTheGaps) {
  // The about box's texts as designed: a name, a version, an introduction,
  // the store's keys below it, and so on.
  StackedBox boxes[] = {{10, 12}, {24, 10}, {42, 10}, {54, 30}, {92, 10}, {104, 10}};
  int32_t fits[] = {12, 10, 10, 30, 10, 10};
  StackedBox designed[6];
  std::copy(std::begin(boxes), std::end(boxes), designed);
  EXPECT_EQ(0, StackBoxes(boxes, fits, 6));
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(designed[i].top, boxes[i].top);
    EXPECT_EQ(designed[i].height, boxes[i].height);
  }

  // The introduction takes two lines: everything below moves by one.
  int32_t wrapped[] = {12, 10, 20, 30, 10, 10};
  EXPECT_EQ(10, StackBoxes(boxes, wrapped, 6));
  EXPECT_EQ(42, boxes[2].top);
  EXPECT_EQ(20, boxes[2].height);
  EXPECT_EQ(64, boxes[3].top);
  EXPECT_EQ(114, boxes[5].top);
  for (size_t i = 1; i < 6; ++i) EXPECT_GE(boxes[i].top, boxes[i - 1].top + boxes[i - 1].height);
}

TEST(TextStack, BoxesDrawnOverlappingAreSetApartAndNoneShrinks) {
  StackedBox boxes[] = {{0, 20}, {10, 20}};
  int32_t needed[] = {5, 25};
  EXPECT_EQ(15, StackBoxes(boxes, needed, 2));
  EXPECT_EQ(20, boxes[0].height);
  EXPECT_EQ(20, boxes[1].top);
  EXPECT_EQ(25, boxes[1].height);
  EXPECT_EQ(0, StackBoxes(boxes, needed, 0));
}

}  // namespace
