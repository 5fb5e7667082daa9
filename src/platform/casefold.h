// Unicode simple case folding: the native case-insensitive comparison and
// the matching of names by part of them fold with it.
#pragma once

#include <cstddef>
#include <cstdint>

struct CaseFoldPair {
  uint32_t from;
  uint32_t to;
};

extern const CaseFoldPair kCaseFoldPairs[];
extern const size_t kCaseFoldPairCount;

uint32_t CaseFold(uint32_t codePoint);
