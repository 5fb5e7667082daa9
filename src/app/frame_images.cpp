#include "app/frame_images.h"

#include "resource.h"

ImageSet ChooseImageSet(int32_t dpi) {
  if (dpi >= 192) return ImageSet{IDB_NODES_200, IDB_TOOLBAR_200, 32};
  if (dpi >= 144) return ImageSet{IDB_NODES_150, IDB_TOOLBAR_150, 24};
  return ImageSet{IDB_NODES, IDB_TOOLBAR, 16};
}
