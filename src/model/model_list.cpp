#include "model/model_list.h"

int32_t ModelList_Create(VtList** out) {
  return VtList_CreateExZ(sizeof(void*), 16, 16, VTLIST_LOCKING, out);
}

void ModelList_Destroy(VtList* list) {
  for (int32_t i = 0; i < VtList_Count(list); ++i) DestroyModelObject(ModelList_At<ModelObject>(list, i));
  VtList_Destroy(list);
}

int32_t ModelList_Append(VtList** list, ModelObject* object) {
  if (*list == nullptr) {
    int32_t status = ModelList_Create(list);
    if (status != 0) return status;
  }
  return VtList_Append(*list, object);
}

void ModelList_RemoveAt(VtList* list, int32_t index) {
  ModelObject* object = ModelList_At<ModelObject>(list, index);
  if (object == nullptr) return;
  VtList_Delete(list, index, 1, true);
  DestroyModelObject(object);
}
