// Finds a tree node by its parent and its label without walking the
// siblings: labels are keyed in any letter case, so a lookup finds what a
// walk comparing with Text_EqualNoCase would find. The tree's owner records
// every node it inserts, relabels or deletes.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

class NodeIndex {
 public:
  using Node = uintptr_t;  // 0 is none; as a parent, 0 is the top level

  void Add(Node parent, Node node, const char* label);
  // Forgets the node (its children are removed one by one, as the tree
  // reports their deletion).
  void Remove(Node node);
  void Rename(Node node, const char* label);
  void Clear();

  // The node labelled `label` below `parent`. `*complete` is false when the
  // index cannot answer for that parent (a label that could not be keyed,
  // two siblings of one label, or memory ran short): the caller walks.
  Node Find(Node parent, const char* label, bool* complete) const;

 private:
  struct Entry {
    Node parent;
    std::string key;  // empty when the label could not be keyed
  };
  bool MakeKey(Node parent, const char* label, std::string* key) const;
  void AddKeyed(Node parent, Node node, const char* label);
  void Forget(Node node);

  std::unordered_map<Node, Entry> nodes_;
  std::unordered_map<std::string, Node> byKey_;
  std::unordered_set<Node> unanswerable_;  // parents whose children must be walked
  bool broken_ = false;                    // memory ran short: every lookup walks until Clear
};
