#include "model/plugin_index.h"

#include <algorithm>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/plugin_entry.h"
#include "platform/text.h"

namespace {

using Bucket = std::vector<PlugInEntry*>;  // in collection order

// Names are at most 259 characters; their keys stay far below this.
constexpr size_t kKeyBytes = 4096;

bool MakeKey(char kind, uint32_t flags, const char* text, bool ignoreCase, std::string* key) {
  unsigned char bytes[kKeyBytes];
  size_t length = Text_SortKey(text, ignoreCase, bytes, sizeof(bytes));
  if (length == 0 && text[0] != '\0') return false;
  key->assign(1, kind);
  key->append(reinterpret_cast<const char*>(&flags), sizeof(flags));
  key->append(reinterpret_cast<const char*>(bytes), length);
  return true;
}

// An entry is found by identity through its class key (with its flags),
// and by name through its name and, for an editor effect, its display name.
bool IdentityKey(const PlugInEntry& entry, std::string* key) {
  return MakeKey('I', entry.flags, entry.classKey, false, key);
}
bool NameKey(const char* text, std::string* key) { return MakeKey('N', 0, text, true, key); }

}  // namespace

struct PlugInIndex {
  std::unordered_map<std::string, Bucket> buckets;
  std::unordered_map<PlugInEntry*, std::vector<std::string>> keysOf;  // where each entry was put
};

PlugInIndex* PlugInIndex_Create() { return new (std::nothrow) PlugInIndex; }

void PlugInIndex_Destroy(PlugInIndex* index) { delete index; }

bool PlugInIndex_Add(PlugInIndex* index, PlugInEntry* entry) {
  try {
    std::vector<std::string> keys(1);
    if (!NameKey(entry->name, &keys[0])) return false;
    if (entry->IsEditor()) {
      char display[kNameSize];
      entry->GetDisplayName(display, sizeof(display));
      keys.emplace_back();
      if (!NameKey(display, &keys.back())) return false;
    } else {
      keys.emplace_back();
      if (!IdentityKey(*entry, &keys.back())) return false;
    }
    for (const std::string& key : keys) {
      Bucket& bucket = index->buckets[key];
      if (bucket.empty() || bucket.back() != entry) bucket.push_back(entry);
    }
    index->keysOf[entry] = std::move(keys);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void PlugInIndex_Remove(PlugInIndex* index, PlugInEntry* entry) {
  auto found = index->keysOf.find(entry);
  if (found == index->keysOf.end()) return;
  for (const std::string& key : found->second) {
    auto bucket = index->buckets.find(key);
    if (bucket == index->buckets.end()) continue;
    Bucket& entries = bucket->second;
    entries.erase(std::remove(entries.begin(), entries.end(), entry), entries.end());
    if (entries.empty()) index->buckets.erase(bucket);
  }
  index->keysOf.erase(found);
}

PlugInEntry* PlugInIndex_FindSame(PlugInIndex* index, const PlugInEntry& entry, bool* complete) {
  *complete = false;
  try {
    std::string key;
    // An editor effect is the same plug-in as the entries that match its
    // name; any other is the same as the entries with its class key.
    bool made = entry.IsEditor() ? NameKey(entry.name, &key) : IdentityKey(entry, &key);
    if (!made) return nullptr;
    *complete = true;
    auto bucket = index->buckets.find(key);
    if (bucket == index->buckets.end()) return nullptr;
    for (PlugInEntry* candidate : bucket->second) {
      if (candidate->flags == entry.flags) return candidate;
    }
    return nullptr;
  } catch (const std::bad_alloc&) {
    *complete = false;
    return nullptr;
  }
}

PlugInEntry* PlugInIndex_FindByName(PlugInIndex* index, const char* text, bool* complete) {
  *complete = false;
  try {
    std::string key;
    if (!NameKey(text, &key)) return nullptr;
    *complete = true;
    auto bucket = index->buckets.find(key);
    return bucket == index->buckets.end() ? nullptr : bucket->second.front();
  } catch (const std::bad_alloc&) {
    *complete = false;
    return nullptr;
  }
}
