// A tree control of the test's own for the store tree's portable half: it
// keeps siblings sorted as the tree view does on a sorted insert, finds
// children by label in any letter case, and counts what it was asked to do.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "views/store_tree.h"

class FakeTree : public StoreTreeControl {
 public:
  struct Item {
    Node parent;
    std::string label;
    NodeKind kind;
    std::vector<Node> children;
  };

  Node FirstTopNode() override;
  Node FindChild(Node parent, const char* label) override;
  Node FirstChild(Node parent) override;
  Node NextSibling(Node node) override;
  void ReadLabel(Node node, char* label, size_t size) override;
  void SetLabel(Node node, const char* label) override;
  void Delete(Node node) override;
  Node Insert(Node parent, const char* label, NodeKind kind) override;

  // "label(child, child(...))": the shape of the tree below `parent`.
  std::string Shape(Node parent = 0) const;
  Node Find(const std::string& path) const;  // labels joined by "/"
  const Item& At(Node node) const { return items_.at(node); }

  void ManyChanges(Node parent) override { bulkParents.push_back(parent); }

  int inserts = 0;
  int deletes = 0;
  std::vector<Node> bulkParents;  // the parents ManyChanges was told of

 private:
  std::vector<Node>& ChildrenOf(Node parent) { return parent == 0 ? top_ : items_.at(parent).children; }
  const std::vector<Node>& ChildrenOf(Node parent) const { return parent == 0 ? top_ : items_.at(parent).children; }

  std::map<Node, Item> items_;
  std::vector<Node> top_;
  Node next_ = 1;
};
