// Names as the registry tells them apart: ordinal comparison of UTF-16
// units, each upper-cased by the simple one-to-one mapping. Nothing is
// normalised or ignored, so "Stra\u00DFe" and "STRASSE", a precomposed and a
// combining accent, or a soft hyphen and none are different names. The same
// rule on every platform, so the native build agrees with Windows and Wine.
#include <cstring>
#include <memory>
#include <new>

#include "platform/casefold.h"
#include "platform/text.h"
#include "platform/text_internal.h"

char16_t UpcaseUnit(char16_t unit) {
  if (unit < 0x80) return unit >= 'a' && unit <= 'z' ? static_cast<char16_t>(unit - 32) : unit;
  size_t lo = 0, hi = kUpcasePairCount;
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (kUpcasePairs[mid].from < unit) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  if (lo < kUpcasePairCount && kUpcasePairs[lo].from == unit) return kUpcasePairs[lo].to;
  return unit;
}

namespace {

// The UTF-16 units of a text, one at a time. UTF-8 texts are decoded as
// they go; a text in another code page is converted once by the platform.
class NameUnits {
 public:
  explicit NameUnits(const char* text) : bytes_(reinterpret_cast<const unsigned char*>(text)) {
    if (Text_IsUtf8()) return;
    size_t units = strlen(text) + 1;  // never more units than bytes
    wide_.reset(new (std::nothrow) char16_t[units]);
    if (wide_) Text_ToUtf16(text, wide_.get(), units);
  }

  // False at the end of the text.
  bool Next(char16_t* unit) {
    if (wide_) {
      if (wide_[at_] == 0) return false;
      *unit = wide_[at_++];
      return true;
    }
    if (low_ != 0) {
      *unit = low_;
      low_ = 0;
      return true;
    }
    if (*bytes_ == 0) return false;
    // Without memory for the conversion, a byte counts as a unit: still one
    // fixed rule.
    uint32_t cp = Text_IsUtf8() ? TextUtf8Decode(bytes_) : *bytes_++;
    if (cp >= 0x10000) {
      *unit = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      low_ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      *unit = static_cast<char16_t>(cp);
    }
    return true;
  }

 private:
  const unsigned char* bytes_;
  std::unique_ptr<char16_t[]> wide_;
  size_t at_ = 0;
  char16_t low_ = 0;
};

}  // namespace

int Text_CompareNames(const char* a, const char* b) {
  // Plain ASCII decides most names without decoding anything.
  const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
  while (*pa != 0 && *pa < 0x80 && *pb < 0x80) {
    char16_t ua = UpcaseUnit(*pa), ub = UpcaseUnit(*pb);
    if (ua != ub) return ua < ub ? -1 : 1;
    ++pa;
    ++pb;
  }
  if (*pa == 0 || *pb == 0) return *pa == *pb ? 0 : (*pa == 0 ? -1 : 1);
  NameUnits left(reinterpret_cast<const char*>(pa)), right(reinterpret_cast<const char*>(pb));
  for (;;) {
    char16_t ua = 0, ub = 0;
    bool moreA = left.Next(&ua), moreB = right.Next(&ub);
    if (!moreA || !moreB) return moreA == moreB ? 0 : (moreA ? 1 : -1);
    ua = UpcaseUnit(ua);
    ub = UpcaseUnit(ub);
    if (ua != ub) return ua < ub ? -1 : 1;
  }
}

bool Text_EqualNoCase(const char* a, const char* b) { return Text_CompareNames(a, b) == 0; }

// Letter case counts: equal units are equal bytes in any code page.
bool Text_Equal(const char* a, const char* b) { return strcmp(a, b) == 0; }

size_t Text_SortKey(const char* text, bool ignoreCase, unsigned char* key, size_t size) {
  NameUnits units(text);
  size_t length = 0;
  char16_t unit = 0;
  while (units.Next(&unit)) {
    if (ignoreCase) unit = UpcaseUnit(unit);
    if (length + 2 > size) return 0;
    key[length++] = static_cast<unsigned char>(unit >> 8);
    key[length++] = static_cast<unsigned char>(unit);
  }
  return length;
}
