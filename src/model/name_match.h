// Finding records by part of their name, as the find box and `--match` do:
// a name matches when it holds the text anywhere, letter case aside. Both
// are folded code point by code point with Unicode simple case folding, so
// the rule is the same on every platform and in every code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class NameMatch {
 public:
  // Takes the text to look for. An empty text matches every name (the
  // match is then inactive). Gives 0, or E_OUTOFMEMORY with the match left
  // inactive.
  int32_t SetText(const char* text);
  void Clear();

  bool IsActive() const { return !text_.empty(); }
  const char* Text() const { return text_.c_str(); }

  // The name holds the text. Only the first kNameChars bytes of a name are
  // looked at, which is every byte of any name a store holds.
  bool Matches(const char* name) const;

 private:
  std::string text_;
  std::vector<uint32_t> folded_;  // the text's code points, folded
  bool tooLong_ = false;          // longer than any name: matches none
};
