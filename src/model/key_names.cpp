#include "model/key_names.h"

#include <cstring>

#include "model/names.h"
#include "platform/text.h"

bool IsSafeKeyName(const char* name) {
  if (name == nullptr || name[0] == '\0') return false;
  if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c != '\0'; ++c) {
    if (*c < 0x20 || *c == 0x7F || *c == '\\' || *c == '/' || *c == ':') return false;
  }
  return true;
}

bool NameFitsUnits(const char* name, size_t chars) {
  if (chars > kNameChars) return false;
  // Two units of room beyond the limit: a name that does not fit always
  // fills more than `chars` of them, a surrogate pair at the end included.
  char16_t wide[kNameChars + 3];
  return Text_ToUtf16(name, wide, chars + 3) <= chars;
}
