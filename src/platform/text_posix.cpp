// Native texts are UTF-8; comparisons fold case code point by code point.
#include <cstring>

#include "platform/casefold.h"
#include "platform/text.h"
#include "platform/text_internal.h"

uint32_t CaseFold(uint32_t codePoint) {
  size_t lo = 0, hi = kCaseFoldPairCount;
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (kCaseFoldPairs[mid].from < codePoint) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo < kCaseFoldPairCount && kCaseFoldPairs[lo].from == codePoint) return kCaseFoldPairs[lo].to;
  return codePoint;
}

namespace {

// Next code point of a UTF-8 text; a malformed byte gives 0x110000 + byte so
// that it sorts after every character and stays distinct from each.
uint32_t NextCodePoint(const unsigned char*& s) {
  size_t n = TextUtf8CharLength(reinterpret_cast<const char*>(s), strnlen(reinterpret_cast<const char*>(s), 4));
  uint32_t cp;
  if (n == 1) {
    cp = s[0] < 0x80 ? s[0] : 0x110000u + s[0];
  } else if (n == 2) {
    cp = ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
  } else if (n == 3) {
    cp = ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
  } else {
    cp = ((s[0] & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12) | ((s[2] & 0x3Fu) << 6) | (s[3] & 0x3Fu);
  }
  s += n;
  return cp;
}

int CompareFolded(const char* a, const char* b, bool fold) {
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  while (*pa && *pb) {
    uint32_t ca = NextCodePoint(pa);
    uint32_t cb = NextCodePoint(pb);
    if (fold) {
      ca = CaseFold(ca);
      cb = CaseFold(cb);
    }
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (*pa) return 1;
  if (*pb) return -1;
  return 0;
}

}  // namespace

size_t TextCharLength(const char* text, size_t available) { return TextUtf8CharLength(text, available); }

bool Text_IsUtf8() { return true; }

size_t Text_ToUtf16(const char* src, char16_t* dst, size_t dstUnits) { return TextUtf8ToUtf16(src, dst, dstUnits); }

size_t Text_FromUtf16(const char16_t* src, size_t srcUnits, char* dst, size_t dstSize) {
  return TextUtf16ToUtf8(src, srcUnits, dst, dstSize);
}

int Text_CompareNoCase(const char* a, const char* b) { return CompareFolded(a, b, true); }

int Text_Compare(const char* a, const char* b) { return CompareFolded(a, b, false); }
