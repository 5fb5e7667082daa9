// Writes a package file: into a temporary file beside the target, flushed
// and then moved over it, so that a failed save never costs the old file.
#include <cstdio>
#include <cstring>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "package/package_file.h"
#include "package/package_layout.h"

namespace {

constexpr size_t kPathSize = 1024;
constexpr unsigned kTempAttempts = 100;

// Writes `length` bytes of `block` and, when `padded`, the pad byte after an
// odd block.
int32_t WriteBlock(FileHandle file, const unsigned char* block, uint32_t length, bool padded) {
  int32_t status = length > 0 ? riff_WriteData(file, block, length) : 0;
  if (status == 0 && padded && (length & 1)) {
    const unsigned char pad = 0;
    status = riff_WriteData(file, &pad, 1);
  }
  return status;
}

// Writes a chunk holding only a head; `written` gets its size plus 8.
int32_t WriteHeadChunk(FileHandle file, RiffId id, const unsigned char* head, uint32_t headSize, uint64_t* written) {
  int32_t status = riff_WriteChunkHeader(file, id, headSize);
  if (status == 0) status = riff_WriteData(file, head, headSize);
  *written = static_cast<uint64_t>(headSize) + 8;
  return status;
}

// Writes a member list ("pset" or "chn ") holding one chunk of a head and a
// block. Its sizes are known beforehand, so the two headers and the head go
// out in one write. The chunk's size counts a pad byte after an odd block,
// which the file holds only when `padded`. `written` gets the list's size plus 8.
int32_t WriteMemberList(FileHandle file, RiffId listType, RiffId id, const unsigned char* head, uint32_t headSize,
                        const unsigned char* block, uint32_t length, bool padded, uint64_t* written) {
  int64_t chunkSize = riff_RoundedSize(length) + headSize;
  if (chunkSize + 12 > static_cast<int64_t>(kRiffMaxSize) || headSize > kChainHeadSize) return E_RIFF_WRITE;
  unsigned char prefix[20 + kChainHeadSize];
  riff_PutChunkHeader(prefix, kRiffIdList, static_cast<uint32_t>(chunkSize + 12));
  riff_PutU32(prefix + 8, listType);
  riff_PutChunkHeader(prefix + 12, id, static_cast<uint32_t>(chunkSize));
  memcpy(prefix + 20, head, headSize);
  int32_t status = riff_WriteData(file, prefix, 20 + headSize);
  if (status == 0) status = WriteBlock(file, block, length, padded);
  *written = static_cast<uint64_t>(chunkSize) + 20;
  return status;
}

int32_t WritePreset(FileHandle file, const PresetRecord& preset, uint64_t* written) {
  unsigned char head[kPresetHeadSize] = {};
  Package_PutName(head + kPresetNameAt, kNameUnits, preset.name);
  riff_PutU32(head + kPresetLengthAt, preset.data.Size());
  return WriteMemberList(file, kPresetType, kPresetHeadId, head, sizeof(head), preset.data.Bytes(), preset.data.Size(),
                         true, written);
}

uint32_t CountStoredPresets(const PlugInEntry& entry) {
  uint32_t count = 0;
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    if (Package_CanStorePreset(*preset)) ++count;
  }
  return count;
}

int32_t WritePlugIn(FileHandle file, const PlugInEntry& entry, uint32_t presetCount, uint64_t* written) {
  RiffSizedWrite plugIn;
  int32_t status = riff_BeginList(file, kPlugInType, &plugIn);
  if (status != 0) return status;
  unsigned char head[kPlugInHeadSize] = {};
  riff_PutU32(head + kPlugInPresetCountAt, presetCount);
  riff_PutU32(head + kPlugInFlagsAt, entry.flags);
  Package_PutName(head + kPlugInClassKeyAt, kKeyUnits, entry.classKey);
  Package_PutName(head + kPlugInNameAt, kNameUnits, entry.name);
  uint64_t length = 0;
  status = WriteHeadChunk(file, kPlugInHeadId, head, sizeof(head), &length);
  if (status == 0) status = riff_AddToSize(&plugIn, length);

  RiffSizedWrite presets;
  if (status == 0) status = riff_BeginList(file, kPresetListType, &presets);
  for (size_t i = 0; status == 0 && i < entry.Presets().size(); ++i) {
    const PresetRecord* preset = entry.Presets()[i].get();
    if (!Package_CanStorePreset(*preset)) continue;
    status = WritePreset(file, *preset, &length);
    if (status == 0) status = riff_AddToSize(&presets, length);
  }
  if (status == 0) status = riff_EndSized(file, presets, &length);
  if (status == 0) status = riff_AddToSize(&plugIn, length);
  if (status == 0) status = riff_EndSized(file, plugIn, written);
  return status;
}

int32_t WritePlugInGroup(FileHandle file, const PlugInCollection& plugIns, uint64_t* written) {
  RiffSizedWrite group;
  int32_t status = riff_BeginList(file, kPlugInGroupType, &group);
  for (int32_t i = 0; status == 0 && i < plugIns.GetCount(); ++i) {
    const PlugInEntry* entry = plugIns.Get(i);
    if (!Package_IsSafePlugIn(*entry)) continue;
    uint32_t presetCount = CountStoredPresets(*entry);
    if (presetCount == 0) continue;
    uint64_t length = 0;
    status = WritePlugIn(file, *entry, presetCount, &length);
    if (status == 0) status = riff_AddToSize(&group, length);
  }
  if (status == 0) status = riff_EndSized(file, group, written);
  return status;
}

int32_t WriteChain(FileHandle file, const ChainRecord& chain, uint64_t* written) {
  unsigned char head[kChainHeadSize] = {};
  // No reader fills a chain's list of plug-in names, so it is always empty.
  riff_PutU32(head + kChainNameCountAt, 0);
  riff_PutU32(head + kChainFlagsAt, chain.flags);
  riff_PutU32(head + kChainTypeAt, chain.type);
  Package_PutName(head + kChainNameAt, kNameUnits, chain.name);
  Package_PutName(head + kChainKeyNameAt, kKeyUnits, chain.keyName);
  riff_PutU32(head + kChainLengthAt, chain.stream.Size());
  // No pad byte after the stream, though the sizes count one for odd streams.
  return WriteMemberList(file, kChainType, kChainHeadId, head, sizeof(head), chain.stream.Bytes(), chain.stream.Size(), false,
                         written);
}

int32_t WriteChainGroup(FileHandle file, const ChainCollection& chains, uint64_t* written) {
  RiffSizedWrite group;
  int32_t status = riff_BeginList(file, kChainGroupType, &group);
  for (int32_t i = 0; status == 0 && i < chains.GetChainCount(); ++i) {
    const ChainRecord* chain = chains.Get(i);
    if (!Package_CanStoreChain(*chain)) continue;
    uint64_t length = 0;
    status = WriteChain(file, *chain, &length);
    if (status == 0) status = riff_AddToSize(&group, length);
  }
  if (status == 0) status = riff_EndSized(file, group, written);
  return status;
}

int32_t WriteForm(FileHandle file, const PlugInCollection* plugIns, const ChainCollection* chains) {
  int32_t plugInCount = plugIns != nullptr ? plugIns->GetCount() : 0;
  int32_t chainCount = chains != nullptr ? chains->GetChainCount() : 0;
  RiffSizedWrite form;
  int32_t status = riff_BeginForm(file, kPackageForm, &form);
  if (status != 0) return status;

  unsigned char header[kPackageHeaderSize] = {};
  riff_PutU32(header, kPackageVersion);
  riff_PutU32(header + 4, static_cast<uint32_t>(plugInCount));
  riff_PutU32(header + 8, static_cast<uint32_t>(chainCount));
  uint64_t length = 0;
  status = WriteHeadChunk(file, kPackageHeaderId, header, sizeof(header), &length);
  if (status == 0) status = riff_AddToSize(&form, length);

  if (status == 0 && plugInCount > 0) {
    status = WritePlugInGroup(file, *plugIns, &length);
    if (status == 0) status = riff_AddToSize(&form, length);
  }
  if (status == 0 && chainCount > 0) {
    status = WriteChainGroup(file, *chains, &length);
    if (status == 0) status = riff_AddToSize(&form, length);
  }
  if (status == 0) status = riff_EndSized(file, form, nullptr);
  return status;
}

// Creates a temporary file beside `path` that no one else has.
int32_t CreateTempFile(const char* path, char* tempPath, size_t size, ScopedFile* file) {
  for (unsigned attempt = 0; attempt < kTempAttempts; ++attempt) {
    int length = snprintf(tempPath, size, "%s.%u.tmp", path, attempt);
    if (length < 0 || static_cast<size_t>(length) >= size) return E_FILE_CREATE;
    int32_t status = File_Open(tempPath, kFileRead | kFileWrite, kShareNone, FileCreate::CreateNew,
                               kFileHintSequential, file->Out());
    if (status == 0) return 0;
    if (status != StatusFromError(kErrorFileExists) && status != StatusFromError(kErrorAlreadyExists)) break;
  }
  return E_FILE_CREATE;
}

// Every name the package would hold fits its field: a name is never cut.
bool AllNamesFit(const PlugInCollection* plugIns, const ChainCollection* chains) {
  for (int32_t i = 0; plugIns != nullptr && i < plugIns->GetCount(); ++i) {
    const PlugInEntry* entry = plugIns->Get(i);
    if (!Package_IsSafePlugIn(*entry) || CountStoredPresets(*entry) == 0) continue;
    if (!Package_NamesFit(*entry)) return false;
    for (const std::unique_ptr<PresetRecord>& preset : entry->Presets()) {
      if (Package_CanStorePreset(*preset) && !Package_PresetNameFits(*preset)) return false;
    }
  }
  for (int32_t i = 0; chains != nullptr && i < chains->GetChainCount(); ++i) {
    const ChainRecord* chain = chains->Get(i);
    if (Package_CanStoreChain(*chain) && !Package_ChainNamesFit(*chain)) return false;
  }
  return true;
}

}  // namespace

int32_t WritePackage(const char* path, const PlugInCollection* plugIns, const ChainCollection* chains) {
  // Saving over a read-only package or a folder fails as creating it would;
  // Wine's move would replace a read-only file.
  FileInfo info;
  if (File_GetInfo(path, &info) == 0 && (info.readOnly || info.isFolder)) return E_FILE_CREATE;
  if (!AllNamesFit(plugIns, chains)) return StatusFromError(kErrorFilenameTooLong);

  char tempPath[kPathSize];
  ScopedFile file;
  int32_t status = CreateTempFile(path, tempPath, sizeof(tempPath), &file);
  if (status != 0) return status;

  status = WriteForm(file.Get(), plugIns, chains);
  if (status == 0 && File_Flush(file.Get()) != 0) status = E_RIFF_WRITE;
  file.Reset();
  if (status == 0 && File_Replace(tempPath, path) != 0) status = E_FILE_CREATE;
  if (status != 0) File_Delete(tempPath);
  return status;
}
