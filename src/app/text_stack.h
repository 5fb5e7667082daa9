// Texts laid out one below the other, each as tall as its text needs: a
// text that wraps onto more lines than a box was drawn for pushes the ones
// below it down instead of running under them.
#pragma once

#include <cstddef>
#include <cstdint>

struct StackedBox {
  int32_t top;
  int32_t height;
};

// `boxes` hold the designed places, top to bottom, and receive the new
// ones: each box at least as tall as designed and as `needed[i]`, the
// designed gap (none when they overlapped) kept to the box above. Gives
// how far the bottom of the last box moved down.
int32_t StackBoxes(StackedBox* boxes, const int32_t* needed, size_t count);
