#include "model/key_names.h"

#include <cstring>

bool IsSafeKeyName(const char* name) {
  if (name == nullptr || name[0] == '\0') return false;
  if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c != '\0'; ++c) {
    if (*c < 0x20 || *c == 0x7F || *c == '\\' || *c == '/' || *c == ':') return false;
  }
  return true;
}
