// Natively the program has no user locale of its own to follow.
#include "kernel/number_locale.h"

VtNumberLocale VtNumberLocale_FromUser() { return VtNumberLocale_Default(); }
