// Item lists of owned model objects, as every record list of the model is
// made: pointer items, capacity 16, growth step 16, locking.
#pragma once

#include <cstdint>

#include "kernel/item_list.h"
#include "model/model_object.h"

int32_t ModelList_Create(VtList** out);

// Destroys every object of the list, then the list. Null is fine.
void ModelList_Destroy(VtList* list);

// Appends an object, creating the list when it is absent. The list owns the
// object only on success.
int32_t ModelList_Append(VtList** list, ModelObject* object);

// Destroys the object at `index` and removes it; the storage may shrink.
void ModelList_RemoveAt(VtList* list, int32_t index);

template <class T>
T* ModelList_At(const VtList* list, int32_t index) {
  return static_cast<T*>(static_cast<ModelObject*>(VtList_Get(list, index)));
}
