#include "views/fake_tree.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "platform/text.h"

using Node = StoreTreeControl::Node;

Node FakeTree::FirstTopNode() { return top_.empty() ? 0 : top_.front(); }

Node FakeTree::FindChild(Node parent, const char* label) {
  for (Node child : ChildrenOf(parent)) {
    if (Text_EqualNoCase(items_.at(child).label.c_str(), label)) return child;
  }
  return 0;
}

Node FakeTree::FirstChild(Node parent) {
  const std::vector<Node>& children = ChildrenOf(parent);
  return children.empty() ? 0 : children.front();
}

Node FakeTree::NextSibling(Node node) {
  const std::vector<Node>& siblings = ChildrenOf(items_.at(node).parent);
  auto at = std::find(siblings.begin(), siblings.end(), node);
  return at + 1 == siblings.end() ? 0 : *(at + 1);
}

void FakeTree::ReadLabel(Node node, char* label, size_t size) { Text_Copy(label, size, items_.at(node).label.c_str()); }

void FakeTree::SetLabel(Node node, const char* label) { items_.at(node).label = label; }

void FakeTree::Delete(Node node) {
  ++deletes;
  std::vector<Node> children = items_.at(node).children;
  for (Node child : children) Delete(child);
  std::vector<Node>& siblings = ChildrenOf(items_.at(node).parent);
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  items_.erase(node);
}

Node FakeTree::Insert(Node parent, const char* label, NodeKind kind) {
  ++inserts;
  Node node = next_++;
  items_[node] = Item{parent, label, kind, {}};
  // As the tree view's sorted insert: before the first sibling it sorts
  // before, walking from the first.
  std::vector<Node>& siblings = ChildrenOf(parent);
  auto at = siblings.begin();
  while (at != siblings.end() && Text_Compare(label, items_.at(*at).label.c_str()) >= 0) ++at;
  siblings.insert(at, node);
  return node;
}

std::string FakeTree::Shape(Node parent) const {
  std::ostringstream out;
  const std::vector<Node>& children = ChildrenOf(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    const Item& item = items_.at(children[i]);
    if (i > 0) out << ", ";
    out << item.label;
    if (!item.children.empty()) out << "(" << Shape(children[i]) << ")";
  }
  return out.str();
}

Node FakeTree::Find(const std::string& path) const {
  Node node = 0;
  std::istringstream parts(path);
  std::string label;
  while (std::getline(parts, label, '/')) {
    Node found = 0;
    for (Node child : ChildrenOf(node)) {
      if (items_.at(child).label == label) found = child;
    }
    if (found == 0) return 0;
    node = found;
  }
  return node;
}
