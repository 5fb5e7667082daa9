// The names of a selection: an item list of separately allocated texts,
// owned.
#pragma once

#include <cstdint>

#include "kernel/item_list.h"

class NameList {
 public:
  NameList() = default;
  ~NameList() { VtList_Destroy(list_); }
  NameList(NameList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
  NameList& operator=(NameList&& other) noexcept;
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;

  // E_OUTOFMEMORY when there is no room.
  int32_t Add(const char* name);
  int32_t Count() const { return VtList_Count(list_); }
  const char* At(int32_t index) const { return VtList_At<const char>(list_, index); }
  // True when a name equal to `name` in any letter case is in the list.
  bool Contains(const char* name) const;
  void Clear();

 private:
  VtList* list_ = nullptr;  // heap list; created by the first Add
};
