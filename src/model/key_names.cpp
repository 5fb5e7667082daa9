#include "model/key_names.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/text.h"

bool IsSafeKeyName(const char* name) {
  if (name == nullptr || name[0] == '\0') return false;
  if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c != '\0'; ++c) {
    if (*c < 0x20 || *c == 0x7F || *c == '\\' || *c == '/' || *c == ':') return false;
  }
  return true;
}

KeyNameCounter::Result KeyNameCounter::Next(const char* base, size_t maxChars, IsTaken isTaken, const void* context,
                                            char* out, size_t size) {
  size_t room = maxChars + 1 < size ? maxChars + 1 : size;
  uint32_t first = 2;
  try {
    auto found = next_.find(base);
    if (found != next_.end()) first = found->second;
  } catch (const std::bad_alloc&) {
    return Result::NoMemory;
  }
  for (uint32_t number = first; number != 0; ++number) {
    char suffix[16];
    int suffixLength = snprintf(suffix, sizeof(suffix), " (%u)", static_cast<unsigned>(number));
    if (suffixLength <= 0 || room <= static_cast<size_t>(suffixLength) + 1) return Result::NoRoom;
    // The base cut to leave room for the number (never into a character).
    Text_Copy(out, room - static_cast<size_t>(suffixLength), base);
    Text_Append(out, size, suffix);
    if (isTaken(out, context)) continue;
    try {
      next_[base] = number + 1;
      given_[out] = Given{base, number};
    } catch (const std::bad_alloc&) {
      // Only the next search is longer: the name is free all the same.
    }
    return Result::Made;
  }
  return Result::AllTaken;
}

void KeyNameCounter::Release(const char* keyName) {
  auto given = given_.find(keyName);
  if (given == given_.end()) return;
  auto next = next_.find(given->second.base);
  if (next != next_.end() && next->second == given->second.number + 1) next->second = given->second.number;
  given_.erase(given);
}

const char* KeyNameCounterProblem(KeyNameCounter::Result result) {
  switch (result) {
    case KeyNameCounter::Result::Made:
      return nullptr;
    case KeyNameCounter::Result::NoRoom:
      return "the key name leaves no room for a number";
    case KeyNameCounter::Result::AllTaken:
      return "every numbered key name made from it is taken";
    case KeyNameCounter::Result::NoMemory:
      break;
  }
  return "memory ran short";
}
