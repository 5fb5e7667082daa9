#include "kernel/item_list.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <thread>

struct VtListLock {
  std::recursive_mutex mutex;
};

namespace {

// Holds the list's lock for the length of an operation when it has one.
class ListGuard {
 public:
  explicit ListGuard(const VtList* list) : lock_(list != nullptr ? list->lock : nullptr) {
    if (lock_ != nullptr) lock_->mutex.lock();
  }
  ~ListGuard() {
    if (lock_ != nullptr) lock_->mutex.unlock();
  }
  ListGuard(const ListGuard&) = delete;
  ListGuard& operator=(const ListGuard&) = delete;

 private:
  VtListLock* lock_;
};

bool IsInline(const VtList* list) { return (list->options & VTLIST_INLINE) != 0; }
bool IsHeap(const VtList* list) { return (list->options & VTLIST_HEAP) != 0; }

// Rounds `value` up to a multiple of `step`; false on overflow.
bool RoundUp(int64_t value, int32_t step, int32_t* out) {
  int64_t rounded = (value + step - 1) / step * step;
  if (rounded > INT32_MAX) return false;
  *out = static_cast<int32_t>(rounded);
  return true;
}

int32_t Reallocate(VtList* list, int32_t capacity) {
  size_t bytes = static_cast<size_t>(capacity) * list->itemSize;
  if (capacity != 0 && bytes / static_cast<size_t>(capacity) != list->itemSize) return E_OUTOFMEMORY;
  void* storage = realloc(list->storage, bytes == 0 ? 1 : bytes);
  if (storage == nullptr) return E_OUTOFMEMORY;
  list->storage = static_cast<unsigned char*>(storage);
  list->capacity = capacity;
  return 0;
}

// Makes room for `extra` more items, growing by whole growth steps.
int32_t Reserve(VtList* list, int32_t extra) {
  int64_t needed = static_cast<int64_t>(list->count) + extra;
  if (needed <= list->capacity) return 0;
  int32_t capacity = 0;
  if (!RoundUp(needed, list->growStep, &capacity)) return E_OUTOFMEMORY;
  return Reallocate(list, capacity);
}

unsigned char* Slot(const VtList* list, int32_t index) {
  return list->storage + static_cast<size_t>(index) * list->itemSize;
}

void* Item(const VtList* list, int32_t index) {
  if (IsInline(list)) return Slot(list, index);
  void* item;
  memcpy(&item, Slot(list, index), sizeof(item));
  return item;
}

// Opens a gap of `count` slots at `index` (room already reserved).
void OpenGap(VtList* list, int32_t index, int32_t count) {
  size_t tail = static_cast<size_t>(list->count - index) * list->itemSize;
  memmove(Slot(list, index + count), Slot(list, index), tail);
  list->count += count;
}

}  // namespace

int32_t VtList_CreateExZ(uint32_t itemSize, int32_t initialCapacity, int32_t growStep, uint32_t options,
                         VtList** out) {
  *out = nullptr;
  if ((options & VTLIST_INLINE) && (options & VTLIST_HEAP)) return E_FAIL;
  uint32_t slot = sizeof(void*);
  if (options & VTLIST_INLINE) {
    if (itemSize == 0 || itemSize > 0x7FFFFFF0u) return E_FAIL;
    slot = (itemSize + 3u) & ~3u;
  }
  int32_t step = growStep < 1 ? kVtListDefaultStep : growStep;
  if (step < kVtListMinStep) step = kVtListMinStep;
  if (step > kVtListMaxStep) step = kVtListMaxStep;
  int32_t capacity = initialCapacity < kVtListMinCapacity ? kVtListMinCapacity : initialCapacity;
  if (!RoundUp(capacity, step, &capacity)) return E_FAIL;

  VtList* list = static_cast<VtList*>(calloc(1, sizeof(VtList)));
  if (list == nullptr) return E_OUTOFMEMORY;
  list->itemSize = slot;
  list->growStep = step;
  list->options = options | VTLIST_ALWAYS;
  list->ownerThread = std::hash<std::thread::id>{}(std::this_thread::get_id());
  if (options & VTLIST_LOCKING) {
    list->lock = new (std::nothrow) VtListLock;
    if (list->lock == nullptr) {
      free(list);
      return E_OUTOFMEMORY;
    }
  }
  int32_t status = Reallocate(list, capacity);
  if (status != 0) {
    VtList_Destroy(list);
    return status;
  }
  *out = list;
  return 0;
}

void VtList_Destroy(VtList* list) {
  if (list == nullptr) return;
  if (IsHeap(list)) {
    for (int32_t i = 0; i < list->count; ++i) free(Item(list, i));
  }
  free(list->storage);
  delete list->lock;
  free(list);
}

int32_t VtList_Insert(VtList* list, int32_t index, int32_t count, const void* items) {
  if (list == nullptr || count < 0 || (count > 0 && items == nullptr)) return E_FAIL;
  ListGuard guard(list);
  if (IsHeap(list)) return E_FAIL;
  if (count == 0) return 0;
  if (index < 0 || index > list->count) index = list->count;
  if (count > INT32_MAX - list->count) return E_FAIL;
  int32_t status = Reserve(list, count);
  if (status != 0) return status;
  OpenGap(list, index, count);
  memcpy(Slot(list, index), items, static_cast<size_t>(count) * list->itemSize);
  return 0;
}

int32_t VtList_AllocInsert(VtList* list, int32_t index, uint32_t size, const void* bytes, int32_t* newIndex) {
  if (list == nullptr) return E_FAIL;
  ListGuard guard(list);
  if (!IsHeap(list)) return E_FAIL;
  if (index < 0 || index > list->count) index = list->count;
  if (list->count == INT32_MAX) return E_FAIL;
  int32_t status = Reserve(list, 1);
  if (status != 0) return status;
  void* block = malloc(size == 0 ? 1 : size);
  if (block == nullptr) return E_OUTOFMEMORY;
  if (bytes != nullptr) {
    memcpy(block, bytes, size);
  } else {
    memset(block, 0, size == 0 ? 1 : size);
  }
  OpenGap(list, index, 1);
  memcpy(Slot(list, index), &block, sizeof(block));
  if (newIndex != nullptr) *newIndex = index;
  return 0;
}

int32_t VtList_Delete(VtList* list, int32_t index, int32_t count, bool shrink) {
  if (list == nullptr) return E_FAIL;
  ListGuard guard(list);
  if (index < 0 || index > list->count) return E_FAIL;
  if (count < 0 || count > list->count - index) count = list->count - index;
  if (IsHeap(list)) {
    for (int32_t i = index; i < index + count; ++i) free(Item(list, i));
  }
  size_t tail = static_cast<size_t>(list->count - index - count) * list->itemSize;
  memmove(Slot(list, index), Slot(list, index + count), tail);
  list->count -= count;
  if (shrink && list->capacity - list->count > list->growStep) {
    int32_t capacity = 0;
    RoundUp(list->count, list->growStep, &capacity);
    if (capacity < list->growStep) capacity = list->growStep;
    // A failed shrink keeps the larger block, which is still valid.
    Reallocate(list, capacity);
  }
  return 0;
}

int32_t VtList_Count(const VtList* list) {
  if (list == nullptr) return 0;
  ListGuard guard(list);
  return list->count;
}

void* VtList_Get(const VtList* list, int32_t index) {
  if (list == nullptr) return nullptr;
  ListGuard guard(list);
  if (index < 0 || index >= list->count) return nullptr;
  return Item(list, index);
}

int32_t VtList_IndexOf(const VtList* list, const void* item) {
  if (list == nullptr || IsInline(list)) return -1;
  ListGuard guard(list);
  for (int32_t i = 0; i < list->count; ++i) {
    if (Item(list, i) == item) return i;
  }
  return -1;
}
