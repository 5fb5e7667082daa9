#include "views/preset_list_win32.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "platform/text.h"
#include "views/store_tree_win32.h"

namespace {

bool ListsItsOwnItems(NodeKind kind) { return kind == NodeKind::PlugIn || kind == NodeKind::ChainGroup; }

std::vector<ListRow> RowsFor(const Pane& pane, HTREEITEM node) {
  std::vector<ListRow> rows;
  if (node == nullptr || pane.selectedKind == NodeKind::None) return rows;
  char label[kItemLabelSize];
  GetNodeLabel(pane, node, label, sizeof(label));
  BuildListRows(pane.Records(), pane.selectedKind, label, &rows);
  return rows;
}

// In list mode all columns are as wide as one width; it is made wide enough
// for the widest label, so that no name is cut. A long list's widest label
// is among its longest, so only those are measured.
void FitColumns(const Pane& pane, const std::vector<ListRow>& rows) {
  constexpr size_t kMeasuredAll = 1000;
  constexpr size_t kMeasuredLongest = 64;
  std::vector<const std::string*> labels;
  try {
    labels.reserve(rows.size());
    for (const ListRow& row : rows) labels.push_back(&row.label);
  } catch (const std::bad_alloc&) {
    return;
  }
  if (labels.size() > kMeasuredAll) {
    auto longer = [](const std::string* a, const std::string* b) { return a->size() > b->size(); };
    std::partial_sort(labels.begin(), labels.begin() + kMeasuredLongest, labels.end(), longer);
    labels.resize(kMeasuredLongest);
  }
  int widest = 0;
  for (const std::string* label : labels) {
    widest = std::max(widest, static_cast<int>(SendMessageA(pane.list, LVM_GETSTRINGWIDTHA, 0,
                                                            reinterpret_cast<LPARAM>(label->c_str()))));
  }
  int iconWidth = 16, iconHeight = 16;
  ImageList_GetIconSize(pane.listImages.Get(), &iconWidth, &iconHeight);
  // The icon, its gap to the label and the space after the label.
  SendMessageA(pane.list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(widest + 2 * iconWidth, 0));
}

// The control keeps its items sorted by label, but finds the place of each
// new one by walking from the first: filling a long list that way takes
// minutes. So the items go in already sorted, by the control's comparison,
// each appended while the sorting style is off.
void ShowRows(Pane& pane, std::vector<ListRow> rows) {
  std::vector<uint32_t> order = SortedRowOrder(rows);
  if (order.size() != rows.size()) rows.clear();
  pane.filling = true;
  SendMessageA(pane.list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(pane.list, LVM_DELETEALLITEMS, 0, 0);
  LONG_PTR style = GetWindowLongPtrA(pane.list, GWL_STYLE);
  SetWindowLongPtrA(pane.list, GWL_STYLE, style & ~static_cast<LONG_PTR>(LVS_SORTASCENDING));
  SendMessageA(pane.list, LVM_SETITEMCOUNT, rows.size(), 0);
  int index = 0;
  for (uint32_t row : order) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(rows[row].label.c_str());
    item.iImage = rows[row].image;
    if (SendMessageA(pane.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) >= 0) ++index;
  }
  SetWindowLongPtrA(pane.list, GWL_STYLE, style);
  FitColumns(pane, rows);
  SendMessageA(pane.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(pane.list, nullptr, TRUE);
  pane.filling = false;
  pane.shownRows = std::move(rows);
}

}  // namespace

void FillPresetList(Pane& pane, HTREEITEM node) { ShowRows(pane, RowsFor(pane, node)); }

void RefreshPresetList(Pane& pane) {
  std::vector<ListRow> rows = RowsFor(pane, GetSelectedNode(pane));
  if (!SameRows(rows, pane.shownRows)) ShowRows(pane, std::move(rows));
}

void GetListItemLabel(const Pane& pane, int32_t index, char* buffer, size_t size) {
  if (size == 0) return;
  buffer[0] = '\0';
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(size);
  SendMessageA(pane.list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  buffer[size - 1] = '\0';
}

void OpenListItem(Pane& pane, int32_t index) {
  char label[kItemLabelSize];
  GetListItemLabel(pane, index, label, sizeof(label));
  HTREEITEM parent = GetSelectedNode(pane);
  HTREEITEM child = parent != nullptr ? FindChildNode(pane, parent, label) : nullptr;
  SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
  SendMessageA(pane.tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(child));
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

void OnPresetListDoubleClick(Pane& pane, int32_t item) {
  if (item < 0) return;
  if (ListsItsOwnItems(pane.selectedKind)) {
    SendMessageA(pane.list, LVM_EDITLABELA, item, 0);
  } else {
    OpenListItem(pane, item);
  }
}

void OnPresetListReturn(Pane& pane) {
  if (ListsItsOwnItems(pane.selectedKind)) return;
  int32_t selected = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (selected >= 0) OpenListItem(pane, selected);
}

void NotePresetListRenamed(Pane& pane, const char* oldLabel, const char* newLabel) {
  for (ListRow& row : pane.shownRows) {
    if (row.label == oldLabel) {
      row.label = newLabel;
      return;
    }
  }
}

void OnPresetListInfoTip(const Pane& pane, NMHDR* header) {
  bool wide = header->code == LVN_GETINFOTIPW;
  int item = wide ? reinterpret_cast<NMLVGETINFOTIPW*>(header)->iItem : reinterpret_cast<NMLVGETINFOTIPA*>(header)->iItem;
  char label[kItemLabelSize] = {};
  LVITEMA shown = {};
  shown.mask = LVIF_TEXT | LVIF_IMAGE;
  shown.iItem = item;
  shown.pszText = label;
  shown.cchTextMax = static_cast<int>(sizeof(label));
  if (!SendMessageA(pane.list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown))) return;
  label[sizeof(label) - 1] = '\0';
  if (shown.iImage != kUnreadableImage) return;
  for (const ListRow& row : pane.shownRows) {
    if (row.image != kUnreadableImage || row.label != label) continue;
    if (wide) {
      NMLVGETINFOTIPW* tip = reinterpret_cast<NMLVGETINFOTIPW*>(header);
      if (tip->pszText != nullptr && tip->cchTextMax > 0) {
        Text_ToUtf16(row.tip.c_str(), reinterpret_cast<char16_t*>(tip->pszText), static_cast<size_t>(tip->cchTextMax));
      }
    } else {
      NMLVGETINFOTIPA* tip = reinterpret_cast<NMLVGETINFOTIPA*>(header);
      if (tip->pszText != nullptr && tip->cchTextMax > 0) {
        Text_Copy(tip->pszText, static_cast<size_t>(tip->cchTextMax), row.tip.c_str());
      }
    }
    return;
  }
}
