// Texts in the process's ANSI code page, which the manifest makes UTF-8 on
// Windows 10 1903 and later and on Wine; older systems keep their single- or
// double-byte code page.
#include <windows.h>

#include <cstring>
#include <new>

#include "platform/text.h"
#include "platform/text_internal.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units");

namespace {

// A UTF-16 copy of a text: on the stack when short, on the heap otherwise.
class WideText {
 public:
  explicit WideText(const char* text) {
    size_t units = strlen(text) + 1;  // never more units than bytes
    wide_ = units <= kInline ? inline_ : new (std::nothrow) char16_t[units];
    if (wide_ != nullptr) Text_ToUtf16(text, wide_, units);
  }
  ~WideText() {
    if (wide_ != inline_) delete[] wide_;
  }
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;
  const wchar_t* Get() const { return reinterpret_cast<const wchar_t*>(wide_); }

 private:
  static constexpr size_t kInline = 520;
  char16_t inline_[kInline];
  char16_t* wide_;
};

int CompareWide(const char* a, const char* b, DWORD flags) {
  WideText wa(a), wb(b);
  if (wa.Get() == nullptr || wb.Get() == nullptr) {
    return flags ? lstrcmpiA(a, b) : lstrcmpA(a, b);
  }
  // CompareStringA would do, but Wine's converts with the locale's code page
  // instead of the process's UTF-8 one.
  int result = CompareStringW(LOCALE_USER_DEFAULT, flags, wa.Get(), -1, wb.Get(), -1);
  return result == 0 ? 0 : result - CSTR_EQUAL;
}

}  // namespace

bool Text_IsUtf8() { return GetACP() == CP_UTF8; }

size_t TextCharLength(const char* text, size_t available) {
  if (Text_IsUtf8()) return TextUtf8CharLength(text, available);
  if (available >= 2 && text[1] != '\0' && IsDBCSLeadByte(static_cast<BYTE>(text[0]))) return 2;
  return 1;
}

size_t Text_ToUtf16(const char* src, char16_t* dst, size_t dstUnits) {
  if (dstUnits == 0) return 0;
  if (Text_IsUtf8()) return TextUtf8ToUtf16(src, dst, dstUnits);
  // Every character of a Windows ANSI code page is one UTF-16 unit, so the
  // first dstUnits - 1 characters fit.
  size_t bytes = 0;
  for (size_t chars = 0; chars < dstUnits - 1 && src[bytes] != '\0'; ++chars) {
    bytes += TextCharLength(src + bytes, strnlen(src + bytes, 2));
  }
  int units = bytes == 0 ? 0
                         : MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, src, static_cast<int>(bytes),
                                               reinterpret_cast<wchar_t*>(dst), static_cast<int>(dstUnits - 1));
  dst[units] = 0;
  return static_cast<size_t>(units);
}

size_t Text_FromUtf16(const char16_t* src, size_t srcUnits, char* dst, size_t dstSize) {
  if (dstSize == 0) return 0;
  if (Text_IsUtf8()) return TextUtf16ToUtf8(src, srcUnits, dst, dstSize);
  size_t units = 0;
  while (units < srcUnits && src[units] != 0) ++units;
  dst[0] = '\0';
  if (units == 0) return 0;
  // A unit gives at most two bytes in a double-byte code page.
  size_t room = units * 2 + 1;
  char* wide = new (std::nothrow) char[room];
  if (wide == nullptr) return 0;
  int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(src), static_cast<int>(units), wide,
                              static_cast<int>(room - 1), nullptr, nullptr);
  wide[n > 0 ? n : 0] = '\0';
  size_t copied = Text_Copy(dst, dstSize, wide);
  delete[] wide;
  return copied;
}

int Text_CompareNoCase(const char* a, const char* b) { return CompareWide(a, b, NORM_IGNORECASE); }

int Text_Compare(const char* a, const char* b) { return CompareWide(a, b, 0); }
