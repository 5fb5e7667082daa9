// Which class keys and chain key names may name a registry key and a folder
// of the system store. Such names come from package files as well as from
// the registry, so both the package reader and the store's writers ask here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

// False for an empty name, ".", "..", and a name holding "\", "/", ":" or a
// control character: such a name could lead out of the store's keys and
// folders.
bool IsSafeKeyName(const char* name);

// Numbered key names "<base> (2)", "<base> (3)" and so on, for an item whose
// key name another item holds. It remembers for each base name the number
// after the last one it gave, so that naming many items after one base
// costs the same for each instead of walking past every name given before.
// What it remembers is only where to start: whether a name is free is
// always asked.
class KeyNameCounter {
 public:
  enum class Result {
    Made,      // `out` holds a free name
    NoRoom,    // the name size leaves no room for a number
    AllTaken,  // every number up to the last there is, is taken
    NoMemory,
  };
  using IsTaken = bool (*)(const char* keyName, const void* context);

  // Makes in `out` (at most `size` bytes, cut to `maxChars` characters) the
  // first numbered name from the remembered number on that `isTaken` does
  // not refuse. The base is cut, never the number.
  Result Next(const char* base, size_t maxChars, IsTaken isTaken, const void* context, char* out, size_t size);
  // A name it gave is free again (its key went): when it was the last one
  // given from its base, numbering goes on from it again, so that a copy
  // undone and redone takes the same names.
  void Release(const char* keyName);
  // Forgets every base: the names it gave may have gone.
  void Clear() {
    next_.clear();
    given_.clear();
  }

 private:
  struct Given {
    std::string base;
    uint32_t number;
  };
  std::unordered_map<std::string, uint32_t> next_;  // by base: the number to try first
  std::unordered_map<std::string, Given> given_;    // by name given
};

// Why no numbered name could be made, in words.
const char* KeyNameCounterProblem(KeyNameCounter::Result result);
