#include "app/command_table.h"

#include "resource.h"

const ToolbarButton kToolbarButtons[kToolbarButtonCount] = {
    {ID_FILE_NEW, 0, IDS_TIP_NEW},
    {ID_FILE_OPEN, 1, IDS_TIP_OPEN},
    {ID_FILE_SAVE, 2, IDS_TIP_SAVE},
    {0, 0, 0},
    {ID_EDIT_UNDO, 4, IDS_TIP_UNDO},
    {ID_EDIT_REDO, 5, IDS_TIP_REDO},
    {0, 0, 0},
    {ID_EDIT_COPY_TO_FILE, 6, IDS_TIP_COPY_TO_FILE},
    {ID_EDIT_COPY_TO_SYSTEM, 7, IDS_TIP_COPY_TO_SYSTEM},
    {ID_EDIT_DELETE, 8, IDS_TIP_DELETE},
};

uint32_t ToolbarTooltip(int32_t command) {
  for (const ToolbarButton& button : kToolbarButtons) {
    if (button.command != 0 && button.command == command) return button.tooltip;
  }
  return 0;
}
