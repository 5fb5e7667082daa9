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

// The superscript digits one, two and three, which also make COM and LPT
// devices: two bytes in UTF-8, one in the Western code page.
bool IsSuperscriptDigit(const char* text, size_t length) {
  static const char* const kUtf8[] = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  static const char* const kWestern[] = {"\xB9", "\xB2", "\xB3"};
  for (int i = 0; i < 3; ++i) {
    const char* digit = Text_IsUtf8() ? kUtf8[i] : kWestern[i];
    if (strlen(digit) == length && memcmp(text, digit, length) == 0) return true;
  }
  return false;
}

}  // namespace

bool IsDeviceName(const char* name) {
  size_t length = strcspn(name, ".");
  while (length > 0 && name[length - 1] == ' ') --length;
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (EqualsAscii(name, length, device)) return true;
  }
  if (length < 4 || !(EqualsAscii(name, 3, "COM") || EqualsAscii(name, 3, "LPT"))) return false;
  if (length == 4 && name[3] >= '1' && name[3] <= '9') return true;
  return IsSuperscriptDigit(name + 3, length - 3);
}

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
