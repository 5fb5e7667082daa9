#include "app/drop_rules.h"

#include <algorithm>

bool RectHolds(const VtRect& rect, int32_t x, int32_t y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

PaneHit HitTestPanes(std::span<const PaneScreenRects, 2> panes, int32_t x, int32_t y) {
  for (int index = 0; index < 2; ++index) {
    if (RectHolds(panes[index].list, x, y)) return PaneHit{index, PanePart::List};
    if (RectHolds(panes[index].tree, x, y)) return PaneHit{index, PanePart::Tree};
  }
  return PaneHit{};
}

DragHotspot ListDragHotspot(int32_t grabX, int32_t iconRight, int32_t imageLeft, int32_t itemHeight,
                            int32_t imageHeight, int32_t selectedCount) {
  return DragHotspot{std::max(grabX, iconRight) - imageLeft, selectedCount >= 2 ? imageHeight / 2 : itemHeight};
}

DragHotspot TreeDragHotspot(int32_t grabX, int32_t indent, int32_t depth, int32_t textHeight) {
  return DragHotspot{grabX - indent * depth, textHeight};
}

namespace {

VtRect Union(const VtRect& a, const VtRect& b) {
  return VtRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

VtRect OutlineBounds(std::span<const ItemRects> items) {
  if (items.empty()) return VtRect{};
  VtRect bounds = Union(items[0].icon, items[0].label);
  for (const ItemRects& item : items.subspan(1)) bounds = Union(bounds, Union(item.icon, item.label));
  return bounds;
}

OutlineStroke OutlineStrokeOf(const ItemRects& item, const VtRect& bounds) {
  const VtRect& icon = item.icon;
  const VtRect& label = item.label;
  int32_t dx = bounds.left;
  int32_t dy = bounds.top;
  int32_t middle = label.top + (label.bottom - label.top) / 2;
  return OutlineStroke{VtRect{icon.left - dx, icon.top - dy, icon.right - dx, icon.bottom - dy}, label.left - dx,
                       label.right - dx, middle - dy};
}

NodePath CorrespondingNodePath(NodeKind sourceKind, const char* sourceLabel, bool copiedPresets) {
  switch (sourceKind) {
    case NodeKind::PlugInGroup:
    case NodeKind::ChainGroup:
      return NodePath{1, {sourceLabel, nullptr}};
    case NodeKind::PlugIn:
      return NodePath{2, {kPlugInGroupLabel, sourceLabel}};
    case NodeKind::PackageRoot:
      return NodePath{1, {copiedPresets ? kPlugInGroupLabel : kChainGroupLabel, nullptr}};
    default:
      return NodePath{};
  }
}
