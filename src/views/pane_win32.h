// One of the frame's two panes: a caption label, the store tree on the left
// and the preset list on the right, showing one store. The frame creates
// and lays out the pane; the views fill and drive its tree and list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "kernel/placement_geometry.h"
#include "model/name_match.h"
#include "model/node_kind.h"
#include "store/stores.h"
#include "views/gdi_handles_win32.h"
#include "views/list_rows.h"
#include "views/modal_state.h"
#include "views/node_index.h"

struct VtLang;

constexpr int kPackagePane = 0;
constexpr int kSystemPane = 1;

// Control identifiers of pane i's children.
constexpr int PaneTreeId(int pane) { return pane + 1; }
constexpr int PaneLabelId(int pane) { return pane + 10; }
constexpr int PaneListId(int pane) { return pane + 30; }

// Posted to the frame: refill pane wParam's list once the current
// notification is over (RefreshPresetList).
constexpr UINT kMsgRefillPresetList = WM_APP + 1;

struct Pane {
  int index = 0;
  StoreId store = StoreId::Package;
  HWND parent = nullptr;  // the frame: owner of the pane's message boxes
  HWND label = nullptr;
  HWND tree = nullptr;
  HWND list = nullptr;
  ScopedImageList treeImages;
  ScopedImageList listImages;
  int32_t split = 0;  // width of the tree in pixels, as laid out
  // The split the user dragged to (or the stored one) and the pane's width
  // then: a resized pane keeps that proportion, so a window made small and
  // large again shows the split as before. Width 0: not yet shown, the
  // split is taken as it is.
  int32_t chosenSplit = 0;
  int32_t chosenWidth = 0;
  VtRect paneRect = {};
  VtRect labelRect = {};
  VtRect treeRect = {};
  VtRect listRect = {};
  NodeKind selectedKind = NodeKind::None;

  Stores* stores = nullptr;   // the frame's
  const NameMatch* filter = nullptr;  // the frame's find: what the tree and list show
  ModalState* modal = nullptr;  // the frame's
  VtLang* strings = nullptr;

  NodeIndex nodes;                  // every node of the tree, by parent and label
  std::vector<ListRow> shownRows;   // what the list shows, in collection order
  std::vector<uint32_t> shownOrder; // the row of each list item, in the list's order
  bool filling = false;             // the list is being refilled: its notifications are muted
  bool labelEditing = false;        // a rename's edit box is open (and holds the modal state)
  bool rebuilding = false;          // the tree's selection moves only for a rebuild: not followed

  StoreRecords& Records() { return stores->Of(store); }
  const StoreRecords& Records() const { return stores->Of(store); }
};
