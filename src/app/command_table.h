// The commands the toolbar carries, in its order, with their images in the
// toolbar bitmap and their tooltip strings.
#pragma once

#include <cstddef>
#include <cstdint>

struct ToolbarButton {
  int32_t command;   // 0 for a separator
  int32_t image;     // cell of the toolbar bitmap's rows
  uint32_t tooltip;  // string resource
};

constexpr size_t kToolbarButtonCount = 10;
extern const ToolbarButton kToolbarButtons[kToolbarButtonCount];

// Cells in each row of the toolbar bitmap.
constexpr int32_t kToolbarImageCount = 17;

// The tooltip string of a toolbar command, 0 for any other identifier.
uint32_t ToolbarTooltip(int32_t command);
