// The preset list of a pane: what the tree's selected node holds, filled in
// the list's own sorted order, and opening an item (a group or a plug-in)
// by double click or Enter.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "views/pane_win32.h"

// Refills the list for `node` (the tree's selected node) under the pane's
// selected node kind; empty for no node or kind None.
void FillPresetList(Pane& pane, HTREEITEM node);

// Refills the list for the tree's selected node only when what it would
// show differs from what it shows (after the store was read again).
void RefreshPresetList(Pane& pane);

// Selects the tree child that the list item `index` names, which refills
// the list, and selects the list's first item.
void OpenListItem(Pane& pane, int32_t index);

// NM_DBLCLK on `item` (-1: beside every item) and NM_RETURN: presets and
// chains are renamed, groups and plug-ins opened.
void OnPresetListDoubleClick(Pane& pane, int32_t item);
void OnPresetListReturn(Pane& pane);

// A list that takes the focus gets a focused item, so that the arrow keys
// move from there: its first selected item, else its first item.
void EnsureFocusedListItem(const Pane& pane);

// The list shows `newLabel` where it showed `oldLabel` (a rename).
void NotePresetListRenamed(Pane& pane, const char* oldLabel, const char* newLabel);

// The tooltip of list item `index` (LVN_GETINFOTIP): its whole label when
// the list cuts it short, the class key of a plug-in entry that its label
// does not tell apart; empty for none.
void GetPresetListTip(const Pane& pane, int32_t index, char* tip, size_t size);

// NM_CUSTOMDRAW: an item whose name is empty shows "(no name)", greyed and
// slanted, while its label stays empty.
LRESULT OnPresetListCustomDraw(const Pane& pane, NMLVCUSTOMDRAW* draw);

// The label of list item `index`, cut to the buffer.
void GetListItemLabel(const Pane& pane, int32_t index, char* buffer, size_t size);
