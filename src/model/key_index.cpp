#include "model/key_index.h"

#include <algorithm>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text.h"

namespace {

// Names are at most 259 characters; their keys stay far below this.
constexpr size_t kKeyBytes = 4096;

bool MakeKey(const IndexKey& key, std::string* out) {
  unsigned char bytes[kKeyBytes];
  size_t length = Text_SortKey(key.text, key.kind == 'N', bytes, sizeof(bytes));
  if (length == 0 && key.text[0] != '\0') return false;
  out->assign(1, key.kind);
  out->append(reinterpret_cast<const char*>(&key.flags), sizeof(key.flags));
  out->append(reinterpret_cast<const char*>(bytes), length);
  return true;
}

}  // namespace

bool KeyIndex_Add(KeyIndex& index, const void* record, const IndexKey* keys, size_t count) {
  try {
    std::vector<std::string> made(count);
    for (size_t i = 0; i < count; ++i) {
      if (!MakeKey(keys[i], &made[i])) return false;
    }
    for (const std::string& key : made) {
      std::vector<const void*>& bucket = index.buckets[key];
      if (bucket.empty() || bucket.back() != record) bucket.push_back(record);
    }
    index.keysOf[record] = std::move(made);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void KeyIndex_Remove(KeyIndex& index, const void* record) {
  auto found = index.keysOf.find(record);
  if (found == index.keysOf.end()) return;
  for (const std::string& key : found->second) {
    auto bucket = index.buckets.find(key);
    if (bucket == index.buckets.end()) continue;
    std::vector<const void*>& records = bucket->second;
    records.erase(std::remove(records.begin(), records.end(), record), records.end());
    if (records.empty()) index.buckets.erase(bucket);
  }
  index.keysOf.erase(found);
}

const void* KeyIndex_Find(KeyIndex& index, const IndexKey& key, KeyIndexFilter accept, const void* context,
                          bool* complete) {
  *complete = false;
  try {
    std::string made;
    if (!MakeKey(key, &made)) return nullptr;
    *complete = true;
    auto bucket = index.buckets.find(made);
    if (bucket == index.buckets.end()) return nullptr;
    for (const void* record : bucket->second) {
      if (accept == nullptr || accept(record, context)) return record;
    }
    return nullptr;
  } catch (const std::bad_alloc&) {
    *complete = false;
    return nullptr;
  }
}
