#include "app/text_stack.h"

#include <algorithm>

int32_t StackBoxes(StackedBox* boxes, const int32_t* needed, size_t count) {
  if (count == 0) return 0;
  int32_t designedBottom = boxes[count - 1].top + boxes[count - 1].height;
  int32_t previousDesignedBottom = 0;
  for (size_t i = 0; i < count; ++i) {
    StackedBox designed = boxes[i];
    if (i > 0) {
      int32_t gap = std::max(designed.top - previousDesignedBottom, 0);
      boxes[i].top = std::max(designed.top, boxes[i - 1].top + boxes[i - 1].height + gap);
    }
    boxes[i].height = std::max(designed.height, needed[i]);
    previousDesignedBottom = designed.top + designed.height;
  }
  return boxes[count - 1].top + boxes[count - 1].height - designedBottom;
}
