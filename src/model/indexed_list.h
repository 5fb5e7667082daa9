// A list of owned records, in the order they were added, with an index of
// their names that is made once the list is long enough for a walk to cost
// more, and then kept up to date as records come and go.
#pragma once

#include <algorithm>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/key_index.h"
#include "model/owned.h"

// Puts a record into an index under its `name`, in any letter case.
template <class T>
bool AddNameToIndex(KeyIndex& index, const T* record) {
  IndexKey key{'N', 0, record->name};
  return KeyIndex_Add(index, record, &key, 1);
}

template <class T>
class IndexedList {
 public:
  // Puts a record into the index under each of its keys; false when it
  // cannot (the index is then dropped and the list walked).
  using Adder = bool (*)(KeyIndex& index, const T* record);

  IndexedList(Adder adder, int32_t indexFrom) : adder_(adder), indexFrom_(indexFrom) {}

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  T* At(int32_t index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
  }
  const std::vector<std::unique_ptr<T>>& Items() const { return items_; }
  int32_t IndexOf(const T* item) const { return IndexOfOwned(items_, item); }

  // On E_OUTOFMEMORY the item is destroyed and the list is unchanged.
  int32_t Append(std::unique_ptr<T> item) {
    T* added = item.get();
    int32_t status = AppendOwned(items_, std::move(item));
    if (status == 0 && index_ && !adder_(*index_, added)) index_.reset();
    return status;
  }

  // Destroys the record at `index` and removes it.
  void RemoveAt(int32_t index) {
    T* item = At(index);
    if (item == nullptr) return;
    if (index_) KeyIndex_Remove(*index_, item);
    items_.erase(items_.begin() + index);
  }

  // Moves the record at `from` to `to` (clamped to the list), the others
  // keeping their order: an undone delete puts a record back where it was.
  void Move(int32_t from, int32_t to) {
    if (from < 0 || from >= Count()) return;
    if (to < 0) to = 0;
    if (to >= Count()) to = Count() - 1;
    if (from == to) return;
    auto first = items_.begin();
    if (from < to) {
      std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
      std::rotate(first + to, first + from, first + from + 1);
    }
    index_.reset();  // its buckets keep list order
  }

  // A record's keys changed: the index is made again when next needed.
  void KeysChanged() { index_.reset(); }

  // The first record whose `key` is in the index and that `accept` takes,
  // or, for a short list or when the index cannot answer, the first for
  // which `matches` holds.
  template <class Matches>
  T* Find(const IndexKey& key, KeyIndexFilter accept, const void* context, Matches matches) const {
    if (!index_ && Count() >= indexFrom_) index_ = KeyIndex_Build(items_, adder_);
    if (index_) {
      bool complete = false;
      const void* found = KeyIndex_Find(*index_, key, accept, context, &complete);
      if (complete) return static_cast<T*>(const_cast<void*>(found));
    }
    for (const std::unique_ptr<T>& item : items_) {
      if (matches(*item)) return item.get();
    }
    return nullptr;
  }

 private:
  std::vector<std::unique_ptr<T>> items_;
  mutable std::unique_ptr<KeyIndex> index_;  // null until a long list is searched
  Adder adder_;
  int32_t indexFrom_;  // below this many records a walk is as quick as the index
};
