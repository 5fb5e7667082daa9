#include <gtest/gtest.h>

#include "kernel/placement_geometry.h"

namespace {

bool operator==(const VtRect& a, const VtRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A primary monitor of 1280 by 1024 with a task bar, and one to its right.
const VtMonitor kMonitors[] = {
    {{0, 0, 1280, 1024}, {0, 0, 1280, 994}},
    {{1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}},
};

TEST(PlacementGeometry, ACaptionCountsAsVisibleWithEnoughOfItOnAMonitor) {
  EXPECT_TRUE(VtGeometry_IsCaptionVisible({0, 0, 800, 600}, 18, kMonitors, 2));
  EXPECT_TRUE(VtGeometry_IsCaptionVisible({1000, 100, 1800, 700}, 18, kMonitors, 2));  // across both
  EXPECT_TRUE(VtGeometry_IsCaptionVisible({-791, 0, 9, 600}, 18, kMonitors, 2));       // 9 pixels are enough
  EXPECT_FALSE(VtGeometry_IsCaptionVisible({-792, 0, 8, 600}, 18, kMonitors, 2));      // 8 are not
  EXPECT_FALSE(VtGeometry_IsCaptionVisible({100, -12, 900, 588}, 18, kMonitors, 2));   // 6 high only
  EXPECT_FALSE(VtGeometry_IsCaptionVisible({3000, 100, 3800, 700}, 18, kMonitors, 2)); // a monitor that is gone
  EXPECT_TRUE(VtGeometry_IsCaptionVisible({0, 0, 3, 3}, 6, kMonitors, 2));   // at least 3 pixels
  EXPECT_FALSE(VtGeometry_IsCaptionVisible({0, 0, 2, 2}, 6, kMonitors, 2));
}

TEST(PlacementGeometry, ARectangleOffEveryMonitorGoesOntoThePrimaryWorkArea) {
  VtRect lost = {3000, 1200, 3800, 1800};
  size_t monitor = VtGeometry_BestMonitor(lost, kMonitors, 2);
  EXPECT_EQ(0u, monitor);
  EXPECT_TRUE((VtRect{480, 394, 1280, 994}) == VtGeometry_ForceOnto(lost, kMonitors[monitor].work, 0, 0));

  VtRect mostlyRight = {1200, 100, 2000, 700};
  EXPECT_EQ(1u, VtGeometry_BestMonitor(mostlyRight, kMonitors, 2));
  VtRect leftAndAbove = {-50, -20, 750, 580};
  EXPECT_TRUE((VtRect{10, 5, 810, 605}) == VtGeometry_ForceOnto(leftAndAbove, kMonitors[0].work, 10, 5));
  // A rectangle wider than the work area is aligned on its left edge.
  EXPECT_TRUE((VtRect{0, 0, 2000, 500}) == VtGeometry_ForceOnto({-10, 0, 1990, 500}, kMonitors[0].work, 0, 0));
}

TEST(PlacementGeometry, DefaultsAndBoxesOverOwners) {
  EXPECT_TRUE((VtRect{80, 62, 1200, 932}) == VtGeometry_DefaultRect(kMonitors[0].work));
  EXPECT_TRUE((VtRect{250, 200, 550, 300}) == VtGeometry_PlaceOver({0, 0, 800, 600}, 300, 100));
}

}  // namespace
