#include "views/preset_list_win32.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"
#include "views/item_tips.h"
#include "views/store_tree_win32.h"

namespace {

bool ListsItsOwnItems(NodeKind kind) { return kind == NodeKind::PlugIn || kind == NodeKind::ChainGroup; }

std::vector<ListRow> RowsFor(const Pane& pane, HTREEITEM node) {
  std::vector<ListRow> rows;
  if (node == nullptr || pane.selectedKind == NodeKind::None) return rows;
  char label[kItemLabelSize];
  GetNodeLabel(pane, node, label, sizeof(label));
  BuildListRows(pane.Records(), pane.selectedKind, label, &rows, pane.filter);
  return rows;
}

// What an item of an empty name shows in place of its label, which stays
// empty: the name the store holds, and finds the item by.
void NoNameText(const Pane& pane, char* text, size_t size) {
  VtLoadString(pane.strings, IDS_NO_NAME, text, size);
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
  char noName[64];
  NoNameText(pane, noName, sizeof(noName));
  int widest = 0;
  for (const std::string* label : labels) {
    const char* shown = label->empty() ? noName : label->c_str();
    widest = std::max(widest, static_cast<int>(SendMessageA(pane.list, LVM_GETSTRINGWIDTHA, 0,
                                                            reinterpret_cast<LPARAM>(shown))));
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
  pane.shownOrder = std::move(order);
  if (pane.shownOrder.size() != pane.shownRows.size()) pane.shownOrder.clear();
}

// The labels of the selected items and of the focused one, so that a list
// refilled with what the store holds now keeps them where they still are.
struct ListMarks {
  std::vector<std::string> selected;  // sorted
  std::string focused;
  bool hasFocused = false;
};

std::string ItemLabel(const Pane& pane, int32_t index) {
  char label[kItemLabelSize];
  GetListItemLabel(pane, index, label, sizeof(label));
  return label;
}

ListMarks ReadMarks(const Pane& pane) {
  ListMarks marks;
  try {
    for (int32_t i = -1; (i = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(i),
                                                                 LVNI_SELECTED))) >= 0;) {
      marks.selected.push_back(ItemLabel(pane, i));
    }
    std::sort(marks.selected.begin(), marks.selected.end());
    int32_t focused = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) {
      marks.focused = ItemLabel(pane, focused);
      marks.hasFocused = true;
    }
  } catch (const std::bad_alloc&) {
    return ListMarks();
  }
  return marks;
}

void RestoreMarks(Pane& pane, const ListMarks& marks) {
  if (marks.selected.empty() && !marks.hasFocused) return;
  const std::vector<uint32_t>& order = pane.shownOrder;
  pane.filling = true;
  for (size_t index = 0; index < order.size(); ++index) {
    const std::string& label = pane.shownRows[order[index]].label;
    UINT state = 0;
    if (std::binary_search(marks.selected.begin(), marks.selected.end(), label)) state |= LVIS_SELECTED;
    if (marks.hasFocused && label == marks.focused) state |= LVIS_FOCUSED;
    if (state == 0) continue;
    LVITEMA item = {};
    item.stateMask = state;
    item.state = state;
    SendMessageA(pane.list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
  }
  pane.filling = false;
}

// "(no name)" in grey italics where the item's empty label is.
void DrawNoNameLabel(const Pane& pane, HDC dc, int32_t index) {
  RECT label = {};
  label.left = LVIR_LABEL;
  if (!SendMessageA(pane.list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&label))) return;
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  SendMessageA(pane.list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&bounds));
  label.right = std::max(label.right, bounds.right);
  char text[64];
  NoNameText(pane, text, sizeof(text));
  LOGFONTA italic = {};
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(pane.list, WM_GETFONT, 0, 0));
  if (font == nullptr || GetObjectA(font, sizeof(italic), &italic) == 0) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(italic), &italic);
  }
  italic.lfItalic = TRUE;
  ScopedFont shown(CreateFontIndirectA(&italic));
  HGDIOBJ old = SelectObject(dc, shown ? static_cast<HGDIOBJ>(shown.Get()) : GetStockObject(DEFAULT_GUI_FONT));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  label.left += 2;
  DrawTextA(dc, text, -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  SelectObject(dc, old);
}

}  // namespace

void FillPresetList(Pane& pane, HTREEITEM node) { ShowRows(pane, RowsFor(pane, node)); }

void RefreshPresetList(Pane& pane) {
  std::vector<ListRow> rows = RowsFor(pane, GetSelectedNode(pane));
  if (SameRows(rows, pane.shownRows)) return;
  ListMarks marks = ReadMarks(pane);
  ShowRows(pane, std::move(rows));
  RestoreMarks(pane, marks);
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
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

void EnsureFocusedListItem(const Pane& pane) {
  if (SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0) return;
  if (SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0) == 0) return;
  LRESULT selected = SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  LVITEMA state = {};
  state.stateMask = LVIS_FOCUSED;
  state.state = LVIS_FOCUSED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected >= 0 ? selected : 0),
               reinterpret_cast<LPARAM>(&state));
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

void GetPresetListTip(const Pane& pane, int32_t index, char* tip, size_t size) {
  if (size == 0) return;
  tip[0] = '\0';
  if (index < 0 || static_cast<size_t>(index) >= pane.shownOrder.size()) return;
  uint32_t row = pane.shownOrder[static_cast<size_t>(index)];
  // Cut short when the label runs past the list's right edge.
  RECT label = {}, client = {};
  label.left = LVIR_LABEL;
  SendMessageA(pane.list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&label));
  GetClientRect(pane.list, &client);
  int32_t width = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETSTRINGWIDTHA, 0,
                                                    reinterpret_cast<LPARAM>(pane.shownRows[row].label.c_str())));
  bool cut = label.left + width > std::min(label.right, client.right);
  std::string text = ListItemTip(pane.Records(), pane.selectedKind, pane.shownRows, row, cut);
  Text_Copy(tip, size, text.c_str());
}

LRESULT OnPresetListCustomDraw(const Pane& pane, NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      char label[2];
      GetListItemLabel(pane, static_cast<int32_t>(draw->nmcd.dwItemSpec), label, sizeof(label));
      return label[0] == '\0' ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
    }
    case CDDS_ITEMPOSTPAINT:
      DrawNoNameLabel(pane, draw->nmcd.hdc, static_cast<int32_t>(draw->nmcd.dwItemSpec));
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}
