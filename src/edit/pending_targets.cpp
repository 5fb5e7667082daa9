#include "edit/pending_targets.h"

#include <new>

#include "platform/text.h"

namespace {

// Throws std::bad_alloc.
void AppendKey(const char* text, bool ignoreCase, std::string* key) {
  unsigned char folded[4096];
  size_t length = Text_SortKey(text, ignoreCase, folded, sizeof(folded));
  if (length == 0 && text[0] != '\0') throw std::bad_alloc();
  // The length first, so that two texts put together stay apart.
  key->push_back(static_cast<char>(length >> 8));
  key->push_back(static_cast<char>(length & 0xFF));
  key->append(reinterpret_cast<const char*>(folded), length);
}

}  // namespace

PendingTargets::Target* PendingTargets::Find(const std::string& key) {
  auto found = targets_.find(key);
  return found != targets_.end() ? &found->second : nullptr;
}

bool PendingTargets::Add(const std::string& key, Target target) {
  try {
    targets_[key] = target;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool PendingTargets::PresetKey(StoreId destination, const PlugInEntry& entry, const char* name, std::string* key) {
  try {
    key->clear();
    key->push_back(entry.IsEditor() ? 'E' : 'D');
    if (entry.IsEditor()) {
      AppendKey(entry.name, true, key);
    } else {
      key->append(reinterpret_cast<const char*>(&entry.flags), sizeof(entry.flags));
      AppendKey(entry.classKey, destination == StoreId::System, key);
    }
    AppendKey(name, true, key);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool PendingTargets::ChainKey(const char* name, std::string* key) {
  try {
    key->clear();
    key->push_back('C');
    AppendKey(name, true, key);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}
