// Unicode simple case folding over the generated table, on every platform:
// the native comparison and finding names by part of them both use it.
#include "platform/casefold.h"

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
