// The records of the system store cache: one per key of the store, as it was
// when last read, and how each is read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/names.h"
#include "platform/registry.h"
#include "store/preset_value.h"

enum class StorePart { DirectShow, Editor, Chains };

// One value of a plug-in key that holds a preset, or names a file that
// could not be read as one.
struct CachedPreset {
  char name[kNameSize] = {};
  PresetBytes bytes;
};

// A plug-in key below the DirectShow presets key or an effect key below the
// editor's.
struct PlugInKey {
  char name[kKeySize] = {};
  uint64_t lastWriteTime = 0;
  uint64_t readTime = 0;  // 0 when the key could not be read whole: read it again next time
  bool hasValues = false;
  std::vector<CachedPreset> presets;
  std::vector<std::string> otherFiles;  // full paths named by values that hold no preset
  bool lookedUp = false;  // registeredName and installed are current
  bool installed = false;
  char registeredName[kNameSize] = {};
};

// A key below the chains key.
struct ChainKey {
  char name[kKeySize] = {};
  uint64_t lastWriteTime = 0;
  uint64_t readTime = 0;  // as in PlugInKey
  bool isChain = false;   // it holds the four values of a chain
  char chainName[kNameSize] = {};  // its Name when that is a REG_SZ, else empty
  uint32_t flags = 0;
  uint32_t type = 0;
  PresetBytes stream;     // read for a chain; for another key only the file its Stream names
};

// Room for one value's name and data, reused from key to key.
struct ValueScratch {
  std::vector<char> name;
  std::vector<unsigned char> data;
};

// Keys of a part that are not the part's items.
bool IsSkippedKey(StorePart part, const char* name);

// Reads the key `name` below `parent` into a new record. `lastWriteTime`
// is the time its enumeration gave.
void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart part, ValueScratch* scratch,
                   PlugInKey* key);
void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart part, ValueScratch* scratch,
                   ChainKey* key);

// Reads again the preset files of a key whose size or time changed.
void RefreshCachedFiles(PlugInKey* key);
void RefreshCachedFiles(ChainKey* key);
