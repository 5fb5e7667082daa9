#include "kernel/number_locale.h"

#include <cstring>
#include <mutex>

#include "platform/text.h"

namespace {

std::mutex g_lock;
VtNumberLocale g_locale = VtNumberLocale_Default();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a group separator follows the digit that has `right` digits to its
// right (up to the decimal point) and that one.
bool IsGroupBoundary(const VtNumberLocale& locale, size_t right) {
  if (right == 0) return false;
  size_t count = 0;
  while (count < sizeof(locale.groups) && locale.groups[count] != 0) ++count;
  if (count == 0) return false;
  size_t boundary = 0;
  for (size_t i = 0;; ++i) {
    if (i >= count && !locale.repeatLast) return false;
    boundary += locale.groups[i < count ? i : count - 1];
    if (boundary == right) return true;
    if (boundary > right) return false;
  }
}

}  // namespace

VtNumberLocale VtNumberLocale_Default() {
  VtNumberLocale locale = {",", ".", {3}, true};
  return locale;
}

void VtFormat_SetNumberLocale(const VtNumberLocale& locale) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_locale = locale;
}

VtNumberLocale VtFormat_GetNumberLocale() {
  std::lock_guard<std::mutex> hold(g_lock);
  return g_locale;
}

size_t VtNumberLocale_Apply(const VtNumberLocale& locale, const char* plain, char* out, size_t size) {
  if (size == 0) return 0;
  out[0] = '\0';
  size_t start = 0;
  while (plain[start] != '\0' && !IsDigit(plain[start])) ++start;
  size_t digits = 0;
  while (IsDigit(plain[start + digits])) ++digits;

  // The sign and anything else before the digits stays as it is.
  char piece[2] = {0, 0};
  for (size_t i = 0; i < start; ++i) {
    piece[0] = plain[i];
    Text_Append(out, size, piece);
  }
  for (size_t i = 0; i < digits; ++i) {
    piece[0] = plain[start + i];
    Text_Append(out, size, piece);
    if (IsGroupBoundary(locale, digits - i - 1)) Text_Append(out, size, locale.thousand);
  }
  const char* rest = plain + start + digits;
  if (*rest == '.') {
    Text_Append(out, size, locale.decimal);
    ++rest;
  }
  return Text_Append(out, size, rest);
}
