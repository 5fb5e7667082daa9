#include "platform/text.h"

#include <cstring>

#include "platform/text_internal.h"

namespace {

size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;  // a stray byte stands alone
}

}  // namespace

size_t TextUtf8CharLength(const char* text, size_t available) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
  size_t n = Utf8SequenceLength(s[0]);
  if (n > available) return 1;
  for (size_t i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 1;
  }
  return n;
}

size_t Text_CutLength(const char* text, size_t maxBytes) {
  size_t length = 0;
  while (length < maxBytes && text[length] != '\0') {
    size_t rest = strnlen(text + length, 4);
    size_t n = TextCharLength(text + length, rest);
    if (length + n > maxBytes) break;
    length += n;
  }
  return length;
}

size_t Text_Copy(char* dst, size_t dstSize, const char* src) {
  if (dstSize == 0) return 0;
  size_t n = Text_CutLength(src, dstSize - 1);
  memmove(dst, src, n);
  dst[n] = '\0';
  return n;
}

size_t Text_Append(char* dst, size_t dstSize, const char* src) {
  if (dstSize == 0) return 0;
  size_t used = strnlen(dst, dstSize - 1);
  return used + Text_Copy(dst + used, dstSize - used, src);
}

// UTF-8 <-> UTF-16 with the rules Windows follows for CP_UTF8: malformed input
// becomes U+FFFD, one per offending byte or unpaired surrogate.
uint32_t TextUtf8Decode(const unsigned char*& s) {
  size_t n = TextUtf8CharLength(reinterpret_cast<const char*>(s), strnlen(reinterpret_cast<const char*>(s), 4));
  uint32_t cp;
  if (n == 1) {
    cp = s[0] < 0x80 ? s[0] : 0xFFFD;
  } else if (n == 2) {
    cp = ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
  } else if (n == 3) {
    cp = ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  } else {
    cp = ((s[0] & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12) | ((s[2] & 0x3Fu) << 6) | (s[3] & 0x3Fu);
    if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
  }
  s += n;
  return cp;
}

size_t TextUtf8ToUtf16(const char* src, char16_t* dst, size_t dstUnits) {
  if (dstUnits == 0) return 0;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(src);
  size_t out = 0;
  while (*s) {
    const unsigned char* next = s;
    uint32_t cp = TextUtf8Decode(next);
    size_t units = cp >= 0x10000 ? 2 : 1;
    if (out + units > dstUnits - 1) break;
    if (units == 2) {
      dst[out++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      dst[out++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      dst[out++] = static_cast<char16_t>(cp);
    }
    s = next;
  }
  dst[out] = 0;
  return out;
}

size_t TextUtf16ToUtf8(const char16_t* src, size_t srcUnits, char* dst, size_t dstSize) {
  if (dstSize == 0) return 0;
  size_t out = 0;
  for (size_t i = 0; i < srcUnits && src[i] != 0;) {
    uint32_t cp = src[i++];
    if (cp >= 0xD800 && cp <= 0xDBFF && i < srcUnits && src[i] >= 0xDC00 && src[i] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (src[i++] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    char bytes[4];
    size_t n;
    if (cp < 0x80) {
      bytes[0] = static_cast<char>(cp);
      n = 1;
    } else if (cp < 0x800) {
      bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
      bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
      n = 2;
    } else if (cp < 0x10000) {
      bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
      bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
      n = 3;
    } else {
      bytes[0] = static_cast<char>(0xF0 | (cp >> 18));
      bytes[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      bytes[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      bytes[3] = static_cast<char>(0x80 | (cp & 0x3F));
      n = 4;
    }
    if (out + n > dstSize - 1) break;
    memcpy(dst + out, bytes, n);
    out += n;
  }
  dst[out] = '\0';
  return out;
}
