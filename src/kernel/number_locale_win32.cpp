#include <windows.h>

#include "kernel/number_locale.h"
#include "platform/text.h"

VtNumberLocale VtNumberLocale_FromUser() {
  VtNumberLocale locale = VtNumberLocale_Default();
  char text[16];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, sizeof(text)) > 0) {
    Text_Copy(locale.thousand, sizeof(locale.thousand), text);
  }
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof(text)) > 0) {
    Text_Copy(locale.decimal, sizeof(locale.decimal), text);
  }
  // "3;0" repeats groups of three, "3;2;0" is three then twos, "3" is one group.
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, text, sizeof(text)) > 0) {
    VtNumberLocale parsed = locale;
    size_t count = 0;
    parsed.repeatLast = false;
    for (const char* p = text; *p != '\0'; ++p) {
      if (*p < '0' || *p > '9') continue;
      if (*p == '0') {
        parsed.repeatLast = count > 0;
        break;
      }
      if (count < sizeof(parsed.groups) - 1) parsed.groups[count++] = static_cast<uint8_t>(*p - '0');
    }
    for (size_t i = count; i < sizeof(parsed.groups); ++i) parsed.groups[i] = 0;
    locale = parsed;
  }
  return locale;
}
