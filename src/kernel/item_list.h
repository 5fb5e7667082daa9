// The item list: a growable array of fixed-size items behind a small header.
// Every collection of the program is one.
//
// Items are either stored in the array (inline lists) or are one
// pointer-sized slot each; heap lists own a separately allocated block per
// item and free it. Operations give 0, E_FAIL for a bad request or
// E_OUTOFMEMORY.
#pragma once

#include <cstdint>

#include "platform/status.h"

constexpr uint32_t VTLIST_LOCKING = 0x80000000u;  // every operation holds the list's own lock
constexpr uint32_t VTLIST_ALWAYS = 0x40000000u;   // always set in the stored option word
constexpr uint32_t VTLIST_INLINE = 0x4u;          // items of the given size live in the array
constexpr uint32_t VTLIST_HEAP = 0x2u;            // each item is a block the list owns

constexpr int32_t kVtListDefaultStep = 16;
constexpr int32_t kVtListMinStep = 4;
constexpr int32_t kVtListMaxStep = 66560;
constexpr int32_t kVtListMinCapacity = 4;

struct VtListLock;

struct VtList {
  int32_t count;
  uint32_t itemSize;  // bytes per slot: the rounded item size, or a pointer's size
  unsigned char* storage;
  int32_t capacity;
  int32_t growStep;
  uint32_t options;
  uint64_t ownerThread;
  VtListLock* lock;  // owned; only with VTLIST_LOCKING
};

// Creates a list. A growth step below 1 means 16, and it is held between 4
// and 66 560; the initial capacity is at least 4, rounded up to a multiple of
// the growth step. Inline together with heap is refused (E_FAIL).
int32_t VtList_CreateExZ(uint32_t itemSize, int32_t initialCapacity, int32_t growStep, uint32_t options,
                         VtList** out);

// Frees heap items, the storage and the header. Null is fine.
void VtList_Destroy(VtList* list);

// Inserts `count` items at `index` (below 0 or past the end appends).
// `items` holds `count` items of the list's item size (inline lists) or
// `count` pointers. Refused on heap lists.
int32_t VtList_Insert(VtList* list, int32_t index, int32_t count, const void* items);

// Heap lists: allocates a block of `size` bytes copied from `bytes` (zeroed
// when null) and inserts it at `index` (-1 appends). Gives its index.
int32_t VtList_AllocInsert(VtList* list, int32_t index, uint32_t size, const void* bytes, int32_t* newIndex);

// Deletes `count` items from `index` (a count below 0 means to the end);
// heap items are freed. With `shrink`, storage shrinks when more than one
// growth step of it is free.
int32_t VtList_Delete(VtList* list, int32_t index, int32_t count, bool shrink);

// Number of items; 0 for no list.
int32_t VtList_Count(const VtList* list);

// The item at `index`: for an inline list its address in the array, for
// the others the stored pointer. Null when the index is out of range.
void* VtList_Get(const VtList* list, int32_t index);

// Finds a pointer item; -1 when the list does not hold it.
int32_t VtList_IndexOf(const VtList* list, const void* item);

template <class T>
T* VtList_At(const VtList* list, int32_t index) {
  return static_cast<T*>(VtList_Get(list, index));
}

// Appends one pointer item.
inline int32_t VtList_Append(VtList* list, const void* item) { return VtList_Insert(list, -1, 1, &item); }
