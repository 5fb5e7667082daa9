// A pane's caption: the store's name, and while a find narrows the pane how
// many of its items it shows ("Preset Package - 12 of 2,345 items").
#pragma once

#include <windows.h>

#include "views/pane_win32.h"

// The size the caption's text takes in the label's font.
SIZE MeasurePaneLabel(const Pane& pane);

// Sets the caption for the pane's store and filter; the label grows or
// shrinks to its text.
void UpdatePaneCaption(Pane& pane);
