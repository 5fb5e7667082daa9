// Allocation without exceptions: an owner that comes back empty, and an
// append that gives a status, when memory is short. Nothing else in the
// model allocates.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/status.h"

template <class T, class... Args>
std::unique_ptr<T> MakeOwned(Args&&... args) {
  return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

// Appends `item`; on E_OUTOFMEMORY the list is unchanged and the item is
// destroyed. An empty owner is refused the same way.
template <class T>
int32_t AppendOwned(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> item) {
  if (!item) return E_OUTOFMEMORY;
  try {
    list.push_back(std::move(item));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

// Index of `item` in the list, or -1.
template <class T>
int32_t IndexOfOwned(const std::vector<std::unique_ptr<T>>& list, const T* item) {
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].get() == item) return static_cast<int32_t>(i);
  }
  return -1;
}
