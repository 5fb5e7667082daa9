#include "app/frame_layout.h"

#include <algorithm>

namespace {

bool Contains(const VtRect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// a * b / c rounded to the nearest, halves away from zero.
int32_t MulDivRound(int32_t a, int32_t b, int32_t c) {
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t half = c / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int32_t ScalePixels(int32_t pixels, int32_t dpi) { return MulDivRound(pixels, dpi, kBaseDpi); }

VtRect DefaultFrameRect(int32_t dpi, const VtRect& work) {
  int32_t width = std::min(ScalePixels(kDefaultFrameWidth, dpi), work.right - work.left);
  int32_t height = std::min(ScalePixels(kDefaultFrameHeight, dpi), work.bottom - work.top);
  return VtRect{0, 0, std::max(width, 0), std::max(height, 0)};
}

VtRect PlaceToolbar(int32_t clientWidth, int32_t sizeWidth, int32_t toolbarHeight, int32_t dpi) {
  int32_t left = ScalePixels(kToolbarLeft, dpi);
  int32_t top = ScalePixels(kToolbarTop, dpi);
  int32_t width = std::max(clientWidth, sizeWidth) - left;
  return VtRect{left, top, left + width, top + toolbarHeight + ScalePixels(kToolbarPadding, dpi)};
}

VtRect EtchedBand(const VtRect& toolbar, int32_t dpi) {
  int32_t growth = ScalePixels(kEtchedGrowth, dpi);
  return VtRect{toolbar.left, toolbar.top - growth, toolbar.right, toolbar.bottom + growth};
}

void PlacePanes(int32_t clientWidth, int32_t clientHeight, int32_t dpi, VtRect* packagePane, VtRect* systemPane) {
  int32_t margin = ScalePixels(kFrameMargin, dpi);
  VtRect content = {margin, 0, clientWidth - margin, clientHeight - margin};
  int32_t height = content.bottom - content.top;
  // The gap is the margin wide at every scale; its upper half is rounded down.
  int32_t above = margin / 2;
  *packagePane = content;
  packagePane->top = content.top + ScalePixels(kToolbarArea, dpi);
  packagePane->bottom = height / 2 - above;
  *systemPane = content;
  systemPane->top = height / 2 - above + margin;
}

PaneLayout LayoutPane(const VtRect& pane, int32_t labelWidth, int32_t labelHeight, int32_t split, int32_t dpi) {
  int32_t splitter = ScalePixels(kSplitterWidth, dpi);
  int32_t minList = ScalePixels(kMinListWidth, dpi);
  int32_t top = pane.top + labelHeight;
  int32_t shortfall = minList - (pane.right - (pane.left + split + splitter));
  if (shortfall > 0) split -= shortfall;  // may go below zero in a very narrow pane
  PaneLayout layout;
  layout.split = split;
  layout.label = VtRect{pane.left, pane.top, pane.left + labelWidth, pane.top + labelHeight};
  layout.tree = VtRect{pane.left, top, pane.left + split, pane.bottom};
  layout.list = VtRect{layout.tree.right + splitter, top, pane.right, pane.bottom};
  return layout;
}

int32_t SplitterAt(const PaneLayout& package, const PaneLayout& system, int32_t x, int32_t y, int32_t clientHeight) {
  bool lower = y >= clientHeight / 2;
  const PaneLayout& pane = lower ? system : package;
  VtRect splitter = {pane.tree.right, pane.tree.top, pane.list.left, pane.tree.bottom};
  if (!Contains(splitter, x, y)) return 0;
  return lower ? 2 : 1;
}

bool LeftDragRect(int32_t pressX, int32_t pressY, int32_t x, int32_t y, int32_t dragWidth, int32_t dragHeight,
                  int32_t dpi) {
  int32_t halfWidth = (ScalePixels(dragWidth, dpi) + 1) / 2;
  int32_t halfHeight = (ScalePixels(dragHeight, dpi) + 1) / 2;
  VtRect still = {pressX - halfWidth, pressY - halfHeight, pressX + halfWidth, pressY + halfHeight};
  return !Contains(still, x, y);
}

int32_t DraggedSplit(int32_t splitAtPress, int32_t pressX, int32_t x, int32_t paneWidth, int32_t dpi) {
  int32_t split = splitAtPress + (x - pressX);
  int32_t minimum = ScalePixels(kMinTreeWidth, dpi);
  if (split < minimum) return minimum;
  return std::min(split, paneWidth - ScalePixels(kSplitRightMargin, dpi));
}

int32_t ProportionalSplit(int32_t chosen, int32_t chosenWidth, int32_t paneWidth) {
  if (chosenWidth <= 0 || paneWidth <= 0) return chosen;
  return MulDivRound(chosen, paneWidth, chosenWidth);
}

int32_t SplitFromSetting(int32_t stored, int32_t dpi) {
  return ScalePixels(std::clamp(stored, 0, kMaxStoredSplit), dpi);
}

int32_t SplitToSetting(int32_t split, int32_t dpi) {
  return std::clamp(MulDivRound(split, kBaseDpi, dpi), 0, kMaxStoredSplit);
}
