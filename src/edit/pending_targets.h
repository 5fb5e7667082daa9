// The items of the destination that the copy being recorded writes, each
// with the source record and the action that write it: one source item
// named twice is copied once, and two source items that become one item of
// the destination (names equal but for letter case, or the same registry
// key) are a conflict.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "model/plugin_entry.h"
#include "store/stores.h"

class PendingTargets {
 public:
  struct Target {
    const void* source;  // the source record
    int32_t action;      // its action's index in the pending group
  };

  void Clear() { targets_.clear(); }
  // The target recorded under `key`, or null.
  Target* Find(const std::string& key);
  // False when memory is short.
  bool Add(const std::string& key, Target target);

  // The key of a preset of `entry` in the destination; false when memory is
  // short. In the system store an entry's class key names a registry key,
  // which knows no letter case.
  static bool PresetKey(StoreId destination, const PlugInEntry& entry, const char* name, std::string* key);
  static bool ChainKey(const char* name, std::string* key);

 private:
  std::unordered_map<std::string, Target> targets_;
};
