#include "app/find_box_layout.h"

#include <algorithm>

#include "app/frame_layout.h"

VtRect PlaceFindBox(const VtRect& toolbar, int32_t buttonsWidth, int32_t boxHeight, int32_t dpi) {
  int32_t right = toolbar.right - ScalePixels(kFrameMargin, dpi);
  int32_t left = std::max(right - ScalePixels(kFindBoxWidth, dpi),
                          toolbar.left + buttonsWidth + ScalePixels(kFindBoxGap, dpi));
  int32_t rowHeight = toolbar.bottom - toolbar.top;
  int32_t height = std::min(boxHeight, rowHeight);
  int32_t top = toolbar.top + (rowHeight - height) / 2;
  if (right - left < ScalePixels(kFindBoxMinWidth, dpi)) return VtRect{right, top, right, top + height};
  return VtRect{left, top, right, top + height};
}
