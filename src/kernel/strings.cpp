#include "kernel/strings.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "kernel/item_list.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

// A registered table. The texts belong to the caller; the copies (one per
// identifier, made on first use) to the table.
struct StringTable {
  uint32_t first;
  uint32_t count;
  const char* const* texts;
  char** copies;
};

}  // namespace

struct VtLang {
  VtModule module;
  VtModule languageModule;  // owned; null when there is none
  uint32_t language;
  char* ring;               // owned
  size_t ringSize;
  size_t ringUsed;
  std::mutex lock;          // guards the ring and the tables
  VtList* tables;           // inline StringTable items; null until the first table
};

namespace {

size_t RoundUp4(size_t n) { return (n + 3) & ~size_t{3}; }

// Finds room for a text in the ring: at the front again when less than the
// reserve is left. Called under the handle's lock.
char* RingSlot(VtLang* handle, size_t* room) {
  if (handle->ringSize - handle->ringUsed < kVtRingReserve) handle->ringUsed = 0;
  *room = handle->ringSize - handle->ringUsed;
  return handle->ring + handle->ringUsed;
}

void RingCommit(VtLang* handle, size_t length) {
  handle->ringUsed = RoundUp4(handle->ringUsed + length + 1);
  if (handle->ringUsed > handle->ringSize) handle->ringUsed = handle->ringSize;
}

StringTable* FindTable(VtLang* handle, uint32_t id) {
  for (int32_t i = 0; i < VtList_Count(handle->tables); ++i) {
    StringTable* table = VtList_At<StringTable>(handle->tables, i);
    if (id >= table->first && id - table->first < table->count) return table;
  }
  return nullptr;
}

char* CopyText(const char* text) {
  size_t length = strlen(text);
  char* copy = new (std::nothrow) char[length + 1];
  if (copy != nullptr) memcpy(copy, text, length + 1);
  return copy;
}

}  // namespace

int32_t VtLang_Open(VtLang** out, VtModule module, uint32_t language, int32_t ringSize) {
  *out = nullptr;
  VtLang* handle = new (std::nothrow) VtLang{};
  if (handle == nullptr) return E_OUTOFMEMORY;
  handle->ringSize = ringSize <= 0 ? kVtRingDefault : ringSize <= kVtRingSmall ? kVtRingSmall : ringSize;
  handle->ring = new (std::nothrow) char[handle->ringSize];
  if (handle->ring == nullptr) {
    delete handle;
    return E_OUTOFMEMORY;
  }
  handle->module = module;
  handle->language = language;
  handle->languageModule = VtResource_OpenLanguageModule(module);
  *out = handle;
  return 0;
}

void VtLang_Close(VtLang* handle) {
  if (handle == nullptr) return;
  VtLang_DestroyStringTables(handle);
  VtResource_CloseModule(handle->languageModule);
  delete[] handle->ring;
  delete handle;
}

int32_t VtLoadString(VtLang* handle, uint32_t id, char* buffer, size_t size) {
  if (size == 0) return 0;
  int32_t length = -1;
  if (handle != nullptr && handle->languageModule != nullptr) {
    length = VtResource_LoadString(handle->languageModule, handle->language, id, buffer, size);
  }
  if (length < 0) length = VtResource_LoadString(handle != nullptr ? handle->module : nullptr, 0, id, buffer, size);
  if (length < 0) {
    buffer[0] = '\0';
    return 0;
  }
  if (length >= 2 && buffer[0] == '^' && buffer[1] == '*') {
    memmove(buffer, buffer + 2, static_cast<size_t>(length) - 1);
    length -= 2;
  }
  return length;
}

const char* VtGetString(VtLang* handle, uint32_t id) {
  static char empty[1] = "";
  if (handle == nullptr) return empty;
  std::lock_guard<std::mutex> hold(handle->lock);
  size_t room;
  char* slot = RingSlot(handle, &room);
  RingCommit(handle, static_cast<size_t>(VtLoadString(handle, id, slot, room)));
  return slot;
}

int32_t VtLang_AddStringTable(VtLang* handle, const char* const* texts, uint32_t count, uint32_t first) {
  if (handle == nullptr || texts == nullptr || count == 0 || first > UINT32_MAX - (count - 1)) return E_INVALIDARG;
  std::lock_guard<std::mutex> hold(handle->lock);
  uint32_t last = first + (count - 1);
  for (int32_t i = 0; i < VtList_Count(handle->tables); ++i) {
    const StringTable* table = VtList_At<StringTable>(handle->tables, i);
    if (first <= table->first + (table->count - 1) && table->first <= last) return E_INVALIDARG;
  }
  if (handle->tables == nullptr) {
    int32_t status = VtList_CreateExZ(sizeof(StringTable), 4, 4, VTLIST_INLINE, &handle->tables);
    if (status != 0) return status;
  }
  StringTable table = {first, count, texts, new (std::nothrow) char*[count]()};
  if (table.copies == nullptr) return E_OUTOFMEMORY;
  int32_t status = VtList_Insert(handle->tables, -1, 1, &table);
  if (status != 0) delete[] table.copies;
  return status;
}

const char* VtGetString2(VtLang* handle, uint32_t id) {
  static char empty[1] = "";
  if (handle == nullptr) return empty;
  std::lock_guard<std::mutex> hold(handle->lock);
  if (VtList_Count(handle->tables) == 0) return empty;
  StringTable* table = FindTable(handle, id);
  if (table == nullptr) {
    size_t room;
    char* slot = RingSlot(handle, &room);
    int length = snprintf(slot, room, "VtGetString2(uId=%d, ERROR)", static_cast<int>(id));
    RingCommit(handle, length > 0 ? static_cast<size_t>(length) : 0);
    return slot;
  }
  char*& copy = table->copies[id - table->first];
  if (copy == nullptr) {
    char loaded[2048];
    const char* builtIn = table->texts[id - table->first];
    if (VtLoadString(handle, id, loaded, sizeof(loaded)) > 0) {
      copy = CopyText(loaded);
    } else {
      copy = CopyText(builtIn != nullptr ? builtIn : "");
    }
    if (copy == nullptr) return builtIn != nullptr ? builtIn : empty;  // no memory to keep it: hand out the original
  }
  return copy;
}

void VtLang_DestroyStringTables(VtLang* handle) {
  if (handle == nullptr) return;
  std::lock_guard<std::mutex> hold(handle->lock);
  for (int32_t i = 0; i < VtList_Count(handle->tables); ++i) {
    StringTable* table = VtList_At<StringTable>(handle->tables, i);
    for (uint32_t j = 0; j < table->count; ++j) delete[] table->copies[j];
    delete[] table->copies;
  }
  VtList_Destroy(handle->tables);
  handle->tables = nullptr;
}
