// The notifications of the panes' trees and lists and of the toolbar's
// tooltips, routed by the sender's control identifier.
#include <windows.h>
#include <commctrl.h>

#include "app/drag_drop_win32.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "platform/text.h"
#include "views/preset_list_win32.h"
#include "views/rename_win32.h"
#include "views/store_tree_win32.h"

namespace {

// The pane whose tree or list sent the notification, or null.
Pane* PaneOf(FrameState& frame, UINT_PTR id, FocusKind* kind) {
  for (int index = 0; index < frame.paneCount; ++index) {
    if (id == static_cast<UINT_PTR>(PaneTreeId(index))) {
      *kind = FocusKind::Tree;
      return &frame.panes[index];
    }
    if (id == static_cast<UINT_PTR>(PaneListId(index))) {
      *kind = FocusKind::List;
      return &frame.panes[index];
    }
  }
  return nullptr;
}

// Fills the tooltip text of LVN_GETINFOTIP or TVN_GETINFOTIP, narrow or wide.
template <class Narrow, class Wide, class Compose>
void FillTip(NMHDR* header, bool wide, Compose compose) {
  char tip[1024];
  compose(tip, sizeof(tip));
  if (!wide) {
    auto* info = reinterpret_cast<Narrow*>(header);
    if (info->pszText != nullptr && info->cchTextMax > 0) Text_Copy(info->pszText, static_cast<size_t>(info->cchTextMax), tip);
    return;
  }
  auto* info = reinterpret_cast<Wide*>(header);
  if (info->pszText != nullptr && info->cchTextMax > 0) {
    Text_ToUtf16(tip, reinterpret_cast<char16_t*>(info->pszText), static_cast<size_t>(info->cchTextMax));
  }
}

// The toolbar follows the focus both ways: when it comes back to the same
// control (after another program was active) and when it leaves the panes.
void OnControlFocus(FrameState& frame, const Pane& pane, FocusKind kind) {
  frame.activePane = pane.index;
  frame.activeKind = kind;
  UpdateToolbar(frame);
}

LRESULT OnTreeNotify(FrameState& frame, Pane& pane, NMHDR* header) {
  switch (header->code) {
    case NM_SETFOCUS:
      OnControlFocus(frame, pane, FocusKind::Tree);
      break;
    case NM_KILLFOCUS:
      UpdateToolbar(frame);
      break;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnStoreTreeSelChanged(pane);
      UpdateToolbar(frame);
      break;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW: {
      auto* drag = reinterpret_cast<NMTREEVIEWA*>(header);
      BeginTreeDrag(frame, pane, drag->itemNew.hItem, drag->ptDrag);
      break;
    }
    case TVN_GETINFOTIPA:
    case TVN_GETINFOTIPW: {
      HTREEITEM node = reinterpret_cast<NMTVGETINFOTIPA*>(header)->hItem;
      FillTip<NMTVGETINFOTIPA, NMTVGETINFOTIPW>(header, header->code == TVN_GETINFOTIPW,
                                                [&](char* tip, size_t size) { GetStoreTreeTip(pane, node, tip, size); });
      break;
    }
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      OnStoreTreeNodeDeleted(pane, reinterpret_cast<NMTREEVIEWA*>(header)->itemOld.hItem);
      break;
    default:
      break;
  }
  return 0;
}

// The edited text of LVN_ENDLABELEDIT in the program's code page; null
// when the edit was cancelled.
const char* EditedText(NMHDR* header, char* buffer, size_t size) {
  if (header->code == LVN_ENDLABELEDITA) return reinterpret_cast<NMLVDISPINFOA*>(header)->item.pszText;
  const wchar_t* wide = reinterpret_cast<NMLVDISPINFOW*>(header)->item.pszText;
  if (wide == nullptr) return nullptr;
  Text_FromUtf16(reinterpret_cast<const char16_t*>(wide), size, buffer, size);
  return buffer;
}

LRESULT OnEndLabelEdit(FrameState& frame, Pane& pane, NMHDR* header) {
  char buffer[2083];
  int32_t item = reinterpret_cast<NMLVDISPINFOA*>(header)->item.iItem;
  EndLabelEdit end = OnEndLabelEdit(pane, EditedText(header, buffer, sizeof(buffer)), item);
  if (end.storeChanged && pane.store == StoreId::Package) MarkPackageModified(frame);
  return end.result;
}

LRESULT OnListNotify(FrameState& frame, Pane& pane, NMHDR* header) {
  // No LVN_DELETEITEM for each item of a list emptied at once: nothing here
  // needs them.
  if (header->code == LVN_DELETEALLITEMS) return TRUE;
  if (pane.filling) return 0;
  switch (header->code) {
    case NM_SETFOCUS:
      EnsureFocusedListItem(pane);
      OnControlFocus(frame, pane, FocusKind::List);
      break;
    case NM_KILLFOCUS:
      UpdateToolbar(frame);
      break;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
      return OnBeginLabelEdit(pane);
    case LVN_ENDLABELEDITA:
    case LVN_ENDLABELEDITW:
      return OnEndLabelEdit(frame, pane, header);
    case LVN_ITEMCHANGED:
      if (reinterpret_cast<NMLISTVIEW*>(header)->uChanged == LVIF_STATE) UpdateToolbar(frame);
      break;
    case LVN_BEGINDRAG:
      BeginListDrag(frame, pane, reinterpret_cast<NMLISTVIEW*>(header)->ptAction);
      break;
    case LVN_GETINFOTIPA:
    case LVN_GETINFOTIPW: {
      int32_t item = reinterpret_cast<NMLVGETINFOTIPA*>(header)->iItem;
      FillTip<NMLVGETINFOTIPA, NMLVGETINFOTIPW>(header, header->code == LVN_GETINFOTIPW,
                                                [&](char* tip, size_t size) { GetPresetListTip(pane, item, tip, size); });
      break;
    }
    case NM_CUSTOMDRAW:
      return OnPresetListCustomDraw(pane, reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    case NM_RETURN:
      OnPresetListReturn(pane);
      break;
    case NM_DBLCLK:
      OnPresetListDoubleClick(pane, reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

LRESULT OnNotify(FrameState& frame, NMHDR* header) {
  if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) return OnToolbarTooltip(frame, header);
  FocusKind kind = FocusKind::None;
  Pane* pane = PaneOf(frame, header->idFrom, &kind);
  if (pane == nullptr || header->hwndFrom != (kind == FocusKind::Tree ? pane->tree : pane->list)) return 0;
  return kind == FocusKind::Tree ? OnTreeNotify(frame, *pane, header) : OnListNotify(frame, *pane, header);
}
