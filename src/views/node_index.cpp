#include "views/node_index.h"

#include <cstring>
#include <new>

#include "platform/text.h"

namespace {

// Sort keys of labels of up to 2082 bytes; a longer key is not indexed.
constexpr size_t kKeySize = 16384;

}  // namespace

bool NodeIndex::MakeKey(Node parent, const char* label, std::string* key) const {
  unsigned char sortKey[kKeySize];
  size_t length = Text_SortKey(label, true, sortKey, sizeof(sortKey));
  if (length == 0) return false;
  key->assign(reinterpret_cast<const char*>(&parent), sizeof(parent));
  key->append(reinterpret_cast<const char*>(sortKey), length);
  return true;
}

void NodeIndex::AddKeyed(Node parent, Node node, const char* label) {
  Entry entry{parent, {}};
  if (!MakeKey(parent, label, &entry.key)) {
    unanswerable_.insert(parent);
  } else if (!byKey_.emplace(entry.key, node).second) {
    // A second sibling of that label: only a walk knows which comes first.
    unanswerable_.insert(parent);
    entry.key.clear();
  }
  nodes_[node] = std::move(entry);
}

void NodeIndex::Add(Node parent, Node node, const char* label) {
  if (broken_ || node == 0) return;
  try {
    Forget(node);
    AddKeyed(parent, node, label);
  } catch (const std::bad_alloc&) {
    Clear();
    broken_ = true;
  }
}

void NodeIndex::Forget(Node node) {
  auto found = nodes_.find(node);
  if (found == nodes_.end()) return;
  if (!found->second.key.empty()) byKey_.erase(found->second.key);
  nodes_.erase(found);
}

void NodeIndex::Remove(Node node) {
  if (!broken_) Forget(node);
}

void NodeIndex::Rename(Node node, const char* label) {
  if (broken_) return;
  auto found = nodes_.find(node);
  if (found == nodes_.end()) return;
  Add(found->second.parent, node, label);
}

void NodeIndex::Clear() {
  nodes_.clear();
  byKey_.clear();
  unanswerable_.clear();
  broken_ = false;
}

NodeIndex::Node NodeIndex::Find(Node parent, const char* label, bool* complete) const {
  *complete = false;
  if (broken_ || unanswerable_.count(parent) != 0) return 0;
  try {
    std::string key;
    if (!MakeKey(parent, label, &key)) return 0;
    *complete = true;
    auto found = byKey_.find(key);
    return found != byKey_.end() ? found->second : 0;
  } catch (const std::bad_alloc&) {
    *complete = false;
    return 0;
  }
}
