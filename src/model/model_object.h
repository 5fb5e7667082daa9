// The base of every model record and collection: zero-filled heap objects,
// constructed in place and destroyed through their virtual destructor.
#pragma once

#include <cstdlib>
#include <new>
#include <utility>

struct ModelObject {
  virtual ~ModelObject() = default;
};

// Allocates a zero-filled T and constructs it; null when memory is short.
template <class T, class... Args>
T* NewModelObject(Args&&... args) {
  void* memory = calloc(1, sizeof(T));
  if (memory == nullptr) return nullptr;
  return new (memory) T(std::forward<Args>(args)...);
}

// Destroys an object made by NewModelObject. Null is fine.
inline void DestroyModelObject(ModelObject* object) {
  if (object == nullptr) return;
  object->~ModelObject();
  free(object);
}
