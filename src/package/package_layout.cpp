#include "package/package_layout.h"

#include <cstring>

#include "model/chain_record.h"
#include "model/key_names.h"
#include "model/plugin_entry.h"
#include "model/preset_record.h"
#include "platform/text.h"

void Package_GetName(const unsigned char* field, size_t units, char* text, size_t size) {
  if (size == 0) return;
  text[0] = '\0';
  char16_t wide[kNameUnits];
  if (units > kNameUnits) units = kNameUnits;
  for (size_t i = 0; i < units; ++i) {
    wide[i] = static_cast<char16_t>(field[2 * i] | field[2 * i + 1] << 8);
  }
  if (units == 0 || wide[0] == 0) return;
  Text_FromUtf16(wide, units, text, size);
  text[size - 1] = '\0';
}

void Package_PutName(unsigned char* field, size_t units, const char* text) {
  if (units == 0) return;
  if (units > kNameUnits) units = kNameUnits;
  char16_t wide[kNameUnits] = {};
  Text_ToUtf16(text, wide, units);
  wide[units - 1] = 0;
  for (size_t i = 0; i < units; ++i) {
    field[2 * i] = static_cast<unsigned char>(wide[i]);
    field[2 * i + 1] = static_cast<unsigned char>(wide[i] >> 8);
  }
}

bool Package_NameFits(const char* text, size_t units) { return units > 0 && NameFitsUnits(text, units - 1); }

bool Package_NamesFit(const PlugInEntry& entry) {
  return Package_NameFits(entry.name, kNameUnits) && Package_NameFits(entry.classKey, kKeyUnits);
}

bool Package_PresetNameFits(const PresetRecord& preset) { return Package_NameFits(preset.name, kNameUnits); }

bool Package_ChainNamesFit(const ChainRecord& chain) {
  return Package_NameFits(chain.name, kNameUnits) && Package_NameFits(chain.keyName, kKeyUnits);
}

bool Package_IsSafePlugIn(const PlugInEntry& entry) {
  if (entry.classKey[0] == '\0') return entry.IsEditor();
  return IsSafeKeyName(entry.classKey);
}

bool Package_IsSafeChainKey(const char* keyName) { return IsSafeKeyName(keyName); }

bool Package_CanStorePreset(const PresetRecord& preset) { return !preset.data.Empty(); }

bool Package_CanStoreChain(const ChainRecord& chain) {
  return !chain.stream.Empty() && Package_IsSafeChainKey(chain.keyName);
}
