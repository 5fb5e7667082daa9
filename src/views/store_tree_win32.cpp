#include "views/store_tree_win32.h"

#include "platform/text.h"
#include "views/item_tips.h"
#include "views/pane_caption_win32.h"
#include "views/preset_list_win32.h"
#include "views/store_tree.h"

namespace {

using Node = StoreTreeControl::Node;

HTREEITEM ItemOf(Node node) { return reinterpret_cast<HTREEITEM>(node); }
Node NodeOf(HTREEITEM item) { return reinterpret_cast<Node>(item); }

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM FirstChildItem(HWND tree, HTREEITEM parent) {
  return parent == nullptr ? NextItem(tree, nullptr, TVGN_ROOT) : NextItem(tree, parent, TVGN_CHILD);
}

bool ReadItem(HWND tree, HTREEITEM item, UINT mask, char* text, size_t size, LPARAM* param) {
  if (item == nullptr) return false;
  TVITEMA tv = {};
  tv.mask = mask;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = static_cast<int>(size);
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return false;
  if (param != nullptr) *param = tv.lParam;
  return true;
}

// Reads a label into `size` bytes, always terminated.
void ReadLabel(HWND tree, HTREEITEM item, char* label, size_t size) {
  if (size == 0) return;
  label[0] = '\0';
  if (ReadItem(tree, item, TVIF_TEXT, label, size, nullptr)) label[size - 1] = '\0';
}

// Switches redrawing off once a rebuild turns out to change many nodes,
// and back on at its end.
constexpr int kQuietChanges = 16;

class TreeControl final : public StoreTreeControl {
 public:
  explicit TreeControl(Pane& pane) : pane_(pane) {}
  ~TreeControl() {
    Reopen();
    if (quiet_) SendMessageA(pane_.tree, WM_SETREDRAW, TRUE, 0);
  }
  TreeControl(const TreeControl&) = delete;
  TreeControl& operator=(const TreeControl&) = delete;

  Node FirstTopNode() override { return NodeOf(NextItem(pane_.tree, nullptr, TVGN_ROOT)); }
  Node FindChild(Node parent, const char* label) override {
    return NodeOf(FindChildNode(pane_, ItemOf(parent), label));
  }
  Node FirstChild(Node parent) override { return NodeOf(FirstChildItem(pane_.tree, ItemOf(parent))); }
  Node NextSibling(Node node) override { return NodeOf(NextItem(pane_.tree, ItemOf(node), TVGN_NEXT)); }
  void ReadLabel(Node node, char* label, size_t size) override { ::ReadLabel(pane_.tree, ItemOf(node), label, size); }

  void SetLabel(Node node, const char* label) override {
    char current[kNodeLabelSize];
    ::ReadLabel(pane_.tree, ItemOf(node), current, sizeof(current));
    if (Text_Equal(current, label)) return;
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = ItemOf(node);
    tv.pszText = const_cast<char*>(label);
    if (SendMessageA(pane_.tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) pane_.nodes.Rename(node, label);
  }

  void Delete(Node node) override {
    Changing();
    if (ItemOf(node) == selected_) selected_ = nullptr;
    // The tree reports every node it deletes; the index forgets them then.
    SendMessageA(pane_.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(ItemOf(node)));
  }

  // Wine's tree view counts the rows of an open parent again at each of its
  // children that comes or goes, which makes hundreds of changes take
  // seconds: the parent is closed for them, and opened again after, with
  // the selection where it was (muted, as it does not change).
  void ManyChanges(Node parent) override {
    HTREEITEM item = ItemOf(parent);
    if (reopen_ != nullptr || parent == 0) return;
    UINT state = static_cast<UINT>(SendMessageA(pane_.tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED));
    if ((state & TVIS_EXPANDED) == 0) return;
    Quiet();
    selected_ = GetSelectedNode(pane_);
    reopen_ = item;
    pane_.rebuilding = true;
    SendMessageA(pane_.tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
  }

  Node Insert(Node parent, const char* label, NodeKind kind) override {
    Changing();
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent == 0 ? TVI_ROOT : ItemOf(parent);
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label);
    insert.item.iImage = insert.item.iSelectedImage = NodeImage(kind);
    insert.item.lParam = static_cast<LPARAM>(kind);
    HTREEITEM item =
        reinterpret_cast<HTREEITEM>(SendMessageA(pane_.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item != nullptr) pane_.nodes.Add(parent, NodeOf(item), label);
    return NodeOf(item);
  }

 private:
  void Changing() {
    if (++changes_ == kQuietChanges) Quiet();
  }
  void Quiet() {
    if (quiet_) return;
    SendMessageA(pane_.tree, WM_SETREDRAW, FALSE, 0);
    quiet_ = true;
  }

  void Reopen() {
    if (reopen_ == nullptr) return;
    SendMessageA(pane_.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(reopen_));
    if (selected_ != nullptr) SendMessageA(pane_.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_));
    pane_.rebuilding = false;
  }

  Pane& pane_;
  int changes_ = 0;
  bool quiet_ = false;
  HTREEITEM reopen_ = nullptr;    // the parent closed for many changes
  HTREEITEM selected_ = nullptr;  // the node selected before it was closed, while it lives
};

}  // namespace

void RebuildStoreTree(Pane& pane, const char* packagePath) {
  {
    TreeControl tree(pane);
    RebuildStoreTree(tree, pane.Records(), packagePath, pane.filter);
  }
  // A narrowed tree shows its matches at once: every node that holds
  // children is open.
  if (pane.filter != nullptr && pane.filter->IsActive()) {
    for (HTREEITEM top = FirstChildItem(pane.tree, nullptr); top != nullptr; top = NextItem(pane.tree, top, TVGN_NEXT)) {
      SendMessageA(pane.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
      for (HTREEITEM group = FirstChildItem(pane.tree, top); group != nullptr; group = NextItem(pane.tree, group, TVGN_NEXT)) {
        SendMessageA(pane.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(group));
      }
    }
  }
  UpdatePaneCaption(pane);
}

HTREEITEM FindChildNode(Pane& pane, HTREEITEM parent, const char* label) {
  bool complete = false;
  Node found = pane.nodes.Find(NodeOf(parent), label, &complete);
  if (complete) return ItemOf(found);
  for (HTREEITEM child = FirstChildItem(pane.tree, parent); child != nullptr;
       child = NextItem(pane.tree, child, TVGN_NEXT)) {
    char text[kNodeLabelSize];
    ReadLabel(pane.tree, child, text, sizeof(text));
    if (Text_EqualNoCase(text, label)) return child;
  }
  return nullptr;
}

void GetNodeLabel(const Pane& pane, HTREEITEM node, char* buffer, size_t size) {
  if (size == 0) return;
  if (node == nullptr) {
    buffer[0] = '\0';
    return;
  }
  ReadLabel(pane.tree, node, buffer, size);
}

NodeKind GetNodeInfo(const Pane& pane, HTREEITEM node, char* label, size_t labelSize, char* parentLabel,
                     size_t parentSize) {
  char text[kItemLabelSize] = {};
  LPARAM kind = 0;
  if (!ReadItem(pane.tree, node, TVIF_TEXT | TVIF_PARAM, text, sizeof(text), &kind)) return NodeKind::None;
  text[sizeof(text) - 1] = '\0';
  if (label != nullptr) Text_Copy(label, labelSize, text);
  if (parentLabel != nullptr) {
    char parentText[kItemLabelSize] = {};
    ReadLabel(pane.tree, NextItem(pane.tree, node, TVGN_PARENT), parentText, sizeof(parentText));
    Text_Copy(parentLabel, parentSize, parentText);
  }
  return kind >= static_cast<LPARAM>(NodeKind::PackageRoot) && kind <= static_cast<LPARAM>(NodeKind::Chain)
             ? static_cast<NodeKind>(kind)
             : NodeKind::None;
}

HTREEITEM GetSelectedNode(const Pane& pane) { return NextItem(pane.tree, nullptr, TVGN_CARET); }

bool IsStoreEmpty(const Pane& pane) { return pane.Records().IsEmpty(); }

void OnStoreTreeSelChanged(Pane& pane) {
  if (pane.rebuilding) return;
  HTREEITEM selected = GetSelectedNode(pane);
  pane.selectedKind = GetNodeInfo(pane, selected, nullptr, 0, nullptr, 0);
  FillPresetList(pane, selected);
}

void OnStoreTreeNodeDeleted(Pane& pane, HTREEITEM node) { pane.nodes.Remove(NodeOf(node)); }

void DeleteAllNodes(Pane& pane) {
  SendMessageA(pane.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  pane.nodes.Clear();
}

void GetStoreTreeTip(const Pane& pane, HTREEITEM node, char* tip, size_t size) {
  if (size == 0) return;
  tip[0] = '\0';
  char label[kItemLabelSize] = {};
  NodeKind kind = GetNodeInfo(pane, node, label, sizeof(label), nullptr, 0);
  Text_Copy(tip, size, TreeNodeTip(pane.Records(), kind, label).c_str());
}
