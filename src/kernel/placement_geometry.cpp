#include "kernel/placement_geometry.h"

#include <algorithm>

namespace {

VtRect Intersect(const VtRect& a, const VtRect& b) {
  VtRect r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

int64_t Area(const VtRect& r) { return int64_t{r.right - r.left} * (r.bottom - r.top); }

}  // namespace

bool VtGeometry_IsCaptionVisible(const VtRect& rect, int32_t captionHeight, const VtMonitor* monitors, size_t count) {
  VtRect caption = {rect.left, rect.top, rect.right, rect.top + captionHeight};
  int32_t needed = std::max(captionHeight / 2, 3);
  for (size_t i = 0; i < count; ++i) {
    VtRect seen = Intersect(caption, monitors[i].bounds);
    if (seen.right - seen.left >= needed && seen.bottom - seen.top >= needed) return true;
  }
  return false;
}

size_t VtGeometry_BestMonitor(const VtRect& rect, const VtMonitor* monitors, size_t count) {
  size_t best = 0;
  int64_t bestArea = 0;
  for (size_t i = 0; i < count; ++i) {
    int64_t area = Area(Intersect(rect, monitors[i].bounds));
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  return best;
}

VtRect VtGeometry_ForceOnto(const VtRect& rect, const VtRect& work, int32_t horizontalMargin, int32_t verticalMargin) {
  VtRect r = rect;
  int32_t dx = 0, dy = 0;
  if (r.left < work.left + horizontalMargin) {
    dx = work.left + horizontalMargin - r.left;
  } else if (r.right > work.right - horizontalMargin) {
    dx = work.right - horizontalMargin - r.right;
  }
  if (r.top < work.top + verticalMargin) {
    dy = work.top + verticalMargin - r.top;
  } else if (r.bottom > work.bottom - verticalMargin) {
    dy = work.bottom - verticalMargin - r.bottom;
  }
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
  return r;
}

VtRect VtGeometry_DefaultRect(const VtRect& work) {
  int32_t dx = (work.right - work.left) / 16;
  int32_t dy = (work.bottom - work.top) / 16;
  return {work.left + dx, work.top + dy, work.right - dx, work.bottom - dy};
}

VtRect VtGeometry_PlaceOver(const VtRect& owner, int32_t width, int32_t height) {
  int32_t left = owner.left + ((owner.right - owner.left) - width) / 2;
  int32_t top = owner.top + (owner.bottom - owner.top) / 3;
  return {left, top, left + width, top + height};
}
