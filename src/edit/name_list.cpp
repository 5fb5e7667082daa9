#include "edit/name_list.h"

#include <cstring>

#include "platform/text.h"

NameList& NameList::operator=(NameList&& other) noexcept {
  if (this != &other) {
    VtList_Destroy(list_);
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

int32_t NameList::Add(const char* name) {
  if (list_ == nullptr) {
    int32_t status = VtList_CreateExZ(0, 16, 16, VTLIST_HEAP, &list_);
    if (status != 0) return status;
  }
  return VtList_AllocInsert(list_, -1, static_cast<uint32_t>(strlen(name) + 1), name, nullptr);
}

bool NameList::Contains(const char* name) const {
  for (int32_t i = 0; i < Count(); ++i) {
    if (Text_EqualNoCase(At(i), name)) return true;
  }
  return false;
}

void NameList::Clear() { VtList_Delete(list_, 0, -1, true); }
