// Finds records by texts without walking a whole list: records are kept in
// buckets under keys made from their texts with Text_SortKey, so a lookup
// finds exactly what a walk with the model's comparisons would. Buckets
// keep their records in list order, so the first record of a bucket is the
// first match. It holds pointers, not indexes, so removing a record costs
// only its own buckets.
//
// The owner of the list keeps the index up to date as records come and go,
// and an indexed record keeps the texts it was indexed under.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// How a record's text is keyed: 'N' names in any letter case, 'I' class
// keys as they are spelled, with the plug-in's flags.
struct IndexKey {
  char kind;
  uint32_t flags;
  const char* text;
};

struct KeyIndex {
  std::unordered_map<std::string, std::vector<const void*>> buckets;  // records in list order
  std::unordered_map<const void*, std::vector<std::string>> keysOf;   // where each record was put
};

// Adds a record appended to the list under each of its keys. False when
// memory is short or a key cannot be made: the index is then incomplete and
// must be dropped.
bool KeyIndex_Add(KeyIndex& index, const void* record, const IndexKey* keys, size_t count);
void KeyIndex_Remove(KeyIndex& index, const void* record);

// Calls `accept` for the records under `key`, in list order, until it
// gives true; gives that record, or null. `*complete` is false when the
// question could not be put to the index: the caller walks instead.
using KeyIndexFilter = bool (*)(const void* record, const void* context);
const void* KeyIndex_Find(KeyIndex& index, const IndexKey& key, KeyIndexFilter accept, const void* context,
                          bool* complete);

// An index of every record of a list of owners, each put in with `add`;
// null when memory is short or a record cannot be put in (the owner then
// walks its list).
template <class T, class Add>
std::unique_ptr<KeyIndex> KeyIndex_Build(const std::vector<std::unique_ptr<T>>& list, Add add) {
  std::unique_ptr<KeyIndex> index(new (std::nothrow) KeyIndex);
  for (size_t i = 0; index && i < list.size(); ++i) {
    if (!add(*index, list[i].get())) index.reset();
  }
  return index;
}
