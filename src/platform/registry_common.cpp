#include <cstring>

#include "platform/registry.h"

int32_t Reg_QueryText(RegKey key, const char* name, char* text, uint32_t size, uint32_t* type) {
  if (size == 0) return kErrorMoreData;
  text[0] = '\0';
  uint32_t valueType = 0;
  uint32_t got = size;
  int32_t status = Reg_QueryValue(key, name, &valueType, text, &got);
  if (type != nullptr) *type = valueType;
  if (status == kErrorMoreData) {
    text[0] = '\0';
    return status;
  }
  if (status != 0) return status;
  if (valueType != kRegSz && valueType != kRegExpandSz) {
    text[0] = '\0';
    return kErrorInvalidData;
  }
  // The stored bytes may or may not end in a NUL; both must fit with one.
  if (got > 0 && text[got - 1] == '\0') return 0;
  if (got >= size) {
    text[0] = '\0';
    return kErrorMoreData;
  }
  text[got] = '\0';
  return 0;
}

int32_t Reg_QueryDword(RegKey key, const char* name, uint32_t* value) {
  uint32_t type = 0;
  uint32_t word = 0;
  uint32_t size = sizeof(word);
  int32_t status = Reg_QueryValue(key, name, &type, &word, &size);
  if (status != 0) return status;
  if (type != kRegDword || size != sizeof(word)) return kErrorInvalidData;
  *value = word;
  return 0;
}

int32_t Reg_SetText(RegKey key, const char* name, const char* text, uint32_t type) {
  return Reg_SetValue(key, name, type, text, static_cast<uint32_t>(strlen(text) + 1));
}

int32_t Reg_SetDword(RegKey key, const char* name, uint32_t value) {
  return Reg_SetValue(key, name, kRegDword, &value, sizeof(value));
}
