// The records of the system store cache: one per key of the store, as it was
// when last read, and how each is read.
#pragma once

#include <cstdint>

#include "model/names.h"
#include "platform/registry.h"
#include "store/preset_value.h"

enum class StorePart { DirectShow, Editor, Chains };

// One value of a plug-in key that holds a preset (or did, when its file
// could be read).
struct CachedPreset {
  char name[kNameSize];
  PresetBytes bytes;  // owned
};

// A plug-in key below the DirectShow presets key or an effect key below the
// editor's. Plain record: zero is empty; free with FreeCachedKey.
struct PlugInKey {
  char name[kKeySize];
  uint64_t lastWriteTime;
  uint64_t readTime;       // 0 when the key could not be read whole: read it again next time
  bool hasValues;
  CachedPreset* presets;   // owned array of presetCount
  uint32_t presetCount;
  bool lookedUp;           // registeredName and installed are current
  bool installed;
  char registeredName[kNameSize];
};

// A key below the chains key. Plain record: zero is empty; free with
// FreeCachedKey.
struct ChainKey {
  char name[kKeySize];
  uint64_t lastWriteTime;
  uint64_t readTime;       // as in PlugInKey
  bool isChain;            // it holds the four values of a chain
  char chainName[kNameSize];
  uint32_t flags;
  uint32_t type;
  PresetBytes stream;      // owned
};

// Room for one value's name and data, reused from key to key. Owns both
// blocks; free with FreeValueScratch.
struct ValueScratch {
  char* name;
  uint32_t nameSize;
  unsigned char* data;
  uint32_t dataSize;
};

void FreeValueScratch(ValueScratch* scratch);

// Keys of a part that are not the part's items.
bool IsSkippedKey(StorePart part, const char* name);

// Reads the key `name` below `parent` into an empty record. `lastWriteTime`
// is the time its enumeration gave.
void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart part, ValueScratch* scratch,
                   PlugInKey* key);
void ReadCachedKey(RegKey parent, const char* name, uint64_t lastWriteTime, StorePart part, ValueScratch* scratch,
                   ChainKey* key);

// Reads again the preset files of a key whose size or time changed.
void RefreshCachedFiles(PlugInKey* key);
void RefreshCachedFiles(ChainKey* key);

void FreeCachedKey(PlugInKey* key);
void FreeCachedKey(ChainKey* key);
