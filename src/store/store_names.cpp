#include "store/store_names.h"

#include <cstring>
#include <initializer_list>

#include "model/key_names.h"
#include "platform/text.h"
#include "store/store_layout.h"

namespace {

// Bytes of the character at `text`; a trail byte of a double-byte
// character may look like "\" or "|" and must stay with its lead byte.
size_t CharLength(const char* text) {
  size_t n = 1;
  while (n < 4 && Text_CutLength(text, n) < n && text[n] != '\0') ++n;
  return n;
}

bool IsReplaced(unsigned char c) { return c < 0x20 || c == 0x7F || strchr("\"*/:<>?\\|", c) != nullptr; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsAscii(const char* text, size_t length, const char* upper) {
  if (strlen(upper) != length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (Upper(text[i]) != upper[i]) return false;
  }
  return true;
}

// The part before the first dot, less trailing blanks, names a device.
bool IsDeviceName(const char* name) {
  size_t length = strcspn(name, ".");
  while (length > 0 && name[length - 1] == ' ') --length;
  for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
    if (EqualsAscii(name, length, device)) return true;
  }
  if (length == 4 && name[3] >= '1' && name[3] <= '9') {
    return EqualsAscii(name, 3, "COM") || EqualsAscii(name, 3, "LPT");
  }
  return false;
}

}  // namespace

void MakeSafeFileName(const char* name, char* out, size_t size) {
  if (size == 0) return;
  char safe[kSafeNameSize * 2];
  size_t used = 0;
  if (IsDeviceName(name)) safe[used++] = '_';
  for (const char* c = name; *c != '\0' && used + 4 < sizeof(safe);) {
    size_t n = CharLength(c);
    if (n == 1 && IsReplaced(static_cast<unsigned char>(*c))) {
      safe[used++] = '_';
    } else {
      memcpy(safe + used, c, n);
      used += n;
    }
    c += n;
  }
  safe[used] = '\0';
  Text_Copy(out, size, safe);
}

void MakeSafeFolderName(const char* name, char* out, size_t size) {
  MakeSafeFileName(name, out, size);
  size_t length = strlen(out);
  if (length > 0 && (out[length - 1] == '.' || out[length - 1] == ' ')) out[length - 1] = '_';
}

bool IsWritableClassKey(const char* classKey) {
  return IsSafeKeyName(classKey) && !Text_EqualNoCase(classKey, kChainsSubkey);
}

bool IsWritableEditorName(const char* name) {
  return name[0] != '\0' && strlen(name) < kKeySize && strchr(name, '\\') == nullptr &&
         !Text_EqualNoCase(name, kUntitledName) && !Text_EqualNoCase(name, kEditorChainerKey);
}
