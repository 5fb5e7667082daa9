// How the user writes numbers: digit grouping and the decimal separator.
// The kernel reads them from the user's locale at start-up; formatting with
// "$" conversions and "$(1234)" literals follows them.
#pragma once

#include <cstddef>
#include <cstdint>

struct VtNumberLocale {
  char thousand[8];   // group separator, in the program's code page
  char decimal[8];    // decimal separator
  uint8_t groups[8];  // group sizes from the decimal point outwards; 0 ends the list
  bool repeatLast;    // the last size repeats for the rest of the digits
};

// Comma, period and groups of three: what the kernel uses until it has read
// the user's settings, and always natively.
VtNumberLocale VtNumberLocale_Default();

// The user's settings (Windows); the default natively.
VtNumberLocale VtNumberLocale_FromUser();

// The settings formatting follows (process-wide).
void VtFormat_SetNumberLocale(const VtNumberLocale& locale);
VtNumberLocale VtFormat_GetNumberLocale();

// Rewrites a plain number such as "-1234567.5" or "1.5e+10" (as printf wrote
// it, with "." as decimal point) with the locale's grouping and decimal
// separator into `out` (cut to `size`). Gives the length written.
size_t VtNumberLocale_Apply(const VtNumberLocale& locale, const char* plain, char* out, size_t size);
