#include "model/name_match.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "model/names.h"
#include "platform/casefold.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

// The folded code points of `text` (at most kNameChars bytes of it) into
// `out`; gives how many. Texts in the code page go through UTF-16, so any
// code page folds the same way; ASCII, the common case, is folded here.
size_t FoldName(const char* text, uint32_t* out, size_t capacity) {
  size_t length = strnlen(text, kNameChars);
  bool ascii = true;
  for (size_t i = 0; i < length && ascii; ++i) ascii = static_cast<unsigned char>(text[i]) < 0x80;
  if (ascii) {
    size_t n = std::min(length, capacity);
    for (size_t i = 0; i < n; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      out[i] = c >= 'A' && c <= 'Z' ? c + 32u : c;
    }
    return n;
  }
  char cut[kNameSize];
  Text_Copy(cut, sizeof(cut), text);
  char16_t units[kNameSize];
  size_t count = Text_ToUtf16(cut, units, kNameSize);
  size_t n = 0;
  for (size_t i = 0; i < count && n < capacity; ++i) {
    uint32_t cp = units[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00u);
    }
    out[n++] = CaseFold(cp);
  }
  return n;
}

}  // namespace

int32_t NameMatch::SetText(const char* text) {
  Clear();
  if (*text == '\0') return 0;
  try {
    text_ = text;
    uint32_t folded[kNameSize];
    folded_.assign(folded, folded + FoldName(text, folded, kNameSize));
  } catch (const std::bad_alloc&) {
    Clear();
    return E_OUTOFMEMORY;
  }
  // No name is longer than kNameChars bytes: a longer text is in none.
  tooLong_ = strnlen(text, kNameSize) > kNameChars;
  return 0;
}

void NameMatch::Clear() {
  text_.clear();
  folded_.clear();
  tooLong_ = false;
}

bool NameMatch::Matches(const char* name) const {
  if (text_.empty()) return true;
  if (tooLong_) return false;
  uint32_t folded[kNameSize];
  size_t count = FoldName(name, folded, kNameSize);
  return std::search(folded, folded + count, folded_.begin(), folded_.end()) != folded + count;
}
