// Generated case tables (tools/gen_casefold.py): Unicode simple case folding
// for the native locale-free sort, and the simple upper-case mapping of
// UTF-16 units by which the registry tells names apart.
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

struct UpcasePair {
  uint16_t from;
  uint16_t to;
};

extern const UpcasePair kUpcasePairs[];
extern const size_t kUpcasePairCount;

// The unit's simple upper case; a unit without one stands for itself.
char16_t UpcaseUnit(char16_t unit);
