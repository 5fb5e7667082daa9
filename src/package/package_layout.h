// The layout of a package file, shared by its reader and writer: the
// identifiers, the heads' offsets, their name fields, and which records a
// package can hold.
#pragma once

#include <cstddef>
#include <cstdint>

#include "package/riff.h"

class PlugInEntry;
struct PresetRecord;
struct ChainRecord;

constexpr RiffId kPackageForm = RiffFourCC("VTPD");
constexpr RiffId kPackageHeaderId = RiffFourCC("fmt ");
constexpr RiffId kPlugInGroupType = RiffFourCC("plgs");
constexpr RiffId kPlugInType = RiffFourCC("plug");
constexpr RiffId kPlugInHeadId = RiffFourCC("plgh");
constexpr RiffId kPresetListType = RiffFourCC("plst");
constexpr RiffId kPresetType = RiffFourCC("pset");
constexpr RiffId kPresetHeadId = RiffFourCC("psth");
constexpr RiffId kChainGroupType = RiffFourCC("clst");
constexpr RiffId kChainType = RiffFourCC("chn ");
constexpr RiffId kChainHeadId = RiffFourCC("chnh");

constexpr uint32_t kPackageVersion = 0x00010000;
constexpr uint32_t kPackageHeaderSize = 16;  // version, plug-in count, chain count, reserved

// Name fields are UTF-16LE, NUL-terminated and zero-filled.
constexpr size_t kNameUnits = 260;
constexpr size_t kKeyUnits = 40;

// Plug-in head: preset count, flags, class key, name.
constexpr uint32_t kPlugInHeadSize = 608;
constexpr size_t kPlugInPresetCountAt = 0;
constexpr size_t kPlugInFlagsAt = 4;
constexpr size_t kPlugInClassKeyAt = 8;
constexpr size_t kPlugInNameAt = 88;

// Preset head: name, data length; the data and a pad byte for odd data follow.
constexpr uint32_t kPresetHeadSize = 524;
constexpr size_t kPresetNameAt = 0;
constexpr size_t kPresetLengthAt = 520;

// Chain head: plug-in name count, flags, type, name, key name, stream
// length; the stream follows, without a pad byte.
constexpr uint32_t kChainHeadSize = 616;
constexpr size_t kChainNameCountAt = 0;
constexpr size_t kChainFlagsAt = 4;
constexpr size_t kChainTypeAt = 8;
constexpr size_t kChainNameAt = 12;
constexpr size_t kChainKeyNameAt = 532;
constexpr size_t kChainLengthAt = 612;

// Converts a name field of `units` UTF-16LE units into `text` of `size`
// bytes; a field whose first unit is 0 gives the empty text.
void Package_GetName(const unsigned char* field, size_t units, char* text, size_t size);
// Fills a field of `units` units with the text in UTF-16LE, zero-filled,
// its last unit 0.
void Package_PutName(unsigned char* field, size_t units, const char* text);

// True when the text fills a field of `units` units, its NUL included,
// without being cut.
bool Package_NameFits(const char* text, size_t units);
// A record whose names all fit their fields; the writer refuses the others
// rather than cut a name.
bool Package_NamesFit(const PlugInEntry& entry);
bool Package_PresetNameFits(const PresetRecord& preset);
bool Package_ChainNamesFit(const ChainRecord& chain);

// What a package may hold: a class key and a chain key name name a key and
// a folder of the system store, so they must not lead out of it; only an
// editor entry goes without a class key. Data and streams are never empty.
bool Package_IsSafePlugIn(const PlugInEntry& entry);
bool Package_IsSafeChainKey(const char* keyName);
bool Package_CanStorePreset(const PresetRecord& preset);
bool Package_CanStoreChain(const ChainRecord& chain);
