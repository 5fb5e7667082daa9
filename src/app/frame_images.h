// Which drawing of the program's pictures suits the screen: the tree and
// list images and the toolbar images are drawn at 100, 150 and 200
// percent, and the largest that does not exceed the screen's scale is used,
// so that no picture is ever stretched.
#pragma once

#include <cstdint>

struct ImageSet {
  int32_t nodesBitmap;    // six node images in a row
  int32_t toolbarBitmap;  // three rows (normal, hot, disabled) of toolbar images
  int32_t nodeSize;       // width and height of a node image
};

ImageSet ChooseImageSet(int32_t dpi);
