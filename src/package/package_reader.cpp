// Reads a package file. Every region is walked with a counter of the bytes
// its size field promises, and every chunk must fit the region it stands in,
// so nested walks stay inside their parents and each byte is visited a
// bounded number of times. Data and stream lengths are checked against their
// chunk and against what the file still holds before anything is allocated.
#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "package/package_file.h"
#include "package/package_layout.h"

namespace {

struct PackageReader {
  FileHandle file;
  uint64_t fileSize;
  const char* problem = nullptr;  // what is wrong with the file, once known
};

// Records what is wrong with the file; the first word found stands. A member
// or chunk that cannot be found is a fault of the file, not a missing item.
int32_t Refuse(PackageReader& reader, int32_t status, const char* problem) {
  if (status == 0) return 0;
  if (reader.problem == nullptr && status != E_OUTOFMEMORY) reader.problem = problem;
  return status == E_RIFF_END_OF_REGION ? E_PACKAGE_FORMAT : status;
}

int32_t ReadId(FileHandle file, RiffId* id) {
  unsigned char bytes[4];
  uint32_t done = 0;
  if (File_Read(file, bytes, sizeof(bytes), &done) != 0 || done != sizeof(bytes)) return E_RIFF_READ;
  *id = riff_GetU32(bytes);
  return 0;
}

uint64_t BytesLeftInFile(const PackageReader& reader) {
  uint64_t position = 0;
  riff_SaveLocation(reader.file, &position);
  return position < reader.fileSize ? reader.fileSize - position : 0;
}

// Walks the chunks of a region of `size` bytes. `visit` gets each chunk's
// identifier and size with the file at its data, and leaves the file where
// the next chunk begins. `group` (optional) is the enclosing group's
// counter, which pays for the same bytes.
template <class Visit>
int32_t WalkRegion(FileHandle file, int32_t size, int32_t* group, Visit visit) {
  while (size >= 8) {
    RiffId id = 0;
    uint32_t chunkSize = 0;
    int32_t status = riff_ReadChunkHeader(file, &id, &chunkSize);
    if (status != 0) return status;
    size -= 8;
    // A chunk longer than what its region holds: the sizes cannot be trusted.
    int64_t rounded = riff_RoundedSize(chunkSize);
    if (rounded > size) return E_PACKAGE_FORMAT;
    status = visit(id, chunkSize);
    if (status != 0) return status;
    size -= static_cast<int32_t>(rounded);
    if (group != nullptr) *group -= static_cast<int32_t>(8 + rounded);
  }
  return 0;
}

// At the data of a "LIST" chunk of `size`: reads its type and lets `read`
// have the contents (type, contents size, negative when the list cannot
// even hold its type); then leaves the file at the start of the data again.
template <class Read>
int32_t VisitList(FileHandle file, uint32_t size, Read read) {
  RiffId type = 0;
  int32_t status = ReadId(file, &type);
  if (status != 0) return status;
  uint64_t contents = 0;
  riff_SaveLocation(file, &contents);
  status = read(type, static_cast<int32_t>(static_cast<int64_t>(size) - 4));
  riff_RestoreLocation(file, contents - 4);
  return status;
}

// Reads the members of a group's contents, one `readMember`(counter) call a
// member, until the counter is used up.
template <class ReadMember>
int32_t ReadGroup(FileHandle file, int32_t contentsSize, ReadMember readMember) {
  int32_t counter = contentsSize;
  int32_t count = 0;
  int32_t status = riff_GetNumListEntries(file, &count, &counter);
  if (status != 0 || count == 0) return status;
  counter = contentsSize;
  while (counter > 0) {
    status = readMember(&counter);
    if (status != 0) return status;
  }
  return 0;
}

// Finds the next member list of `type` in the group and walks its contents.
// `begin` (contents size) runs before the walk.
template <class Begin, class Visit>
int32_t ReadMember(FileHandle file, RiffId type, int32_t* group, Begin begin, Visit visit) {
  uint32_t contents = 0;
  int32_t status = riff_FindListChunk(file, type, &contents, group);
  if (status != 0) return status;
  if (contents > static_cast<uint32_t>(*group)) return E_PACKAGE_FORMAT;
  status = begin(static_cast<int32_t>(contents));
  if (status != 0) return status;
  return WalkRegion(file, static_cast<int32_t>(contents), group, visit);
}

// Reads the head of a "psth" or "chnh" chunk into a zero-filled `head`,
// then the block whose length the head gives at `lengthAt`. The length must
// fit what the chunk holds after the head and what the file still holds, and
// is checked before the block is allocated; a length of 0 is refused.
int32_t ReadHeadAndBlock(PackageReader& reader, uint32_t chunkSize, unsigned char* head, uint32_t headSize,
                         size_t lengthAt, ByteBlock* block) {
  int32_t status = riff_ReadDataBounded(reader.file, head, headSize, chunkSize);
  if (status != 0) return Refuse(reader, status, "the file ends inside a header");
  uint32_t length = riff_GetU32(head + lengthAt);
  if (length == 0) return Refuse(reader, E_RIFF_READ, "a preset or chain holds no data");
  if (chunkSize < headSize || length > chunkSize - headSize || length > BytesLeftInFile(reader)) {
    return Refuse(reader, E_RIFF_READ, "a preset's or chain's data runs past its chunk or the file");
  }
  std::unique_ptr<unsigned char[]> bytes = NewBytes(length);
  if (!bytes) return E_OUTOFMEMORY;
  uint32_t done = 0;
  if (File_Read(reader.file, bytes.get(), length, &done) != 0 || done != length) {
    return Refuse(reader, E_RIFF_READ, "the file cannot be read to its end");
  }
  block->Adopt(std::move(bytes), length);
  return 0;
}

int32_t ReadPresetHead(PackageReader& reader, uint32_t chunkSize, PresetRecord* preset) {
  unsigned char head[kPresetHeadSize] = {};
  int32_t status = ReadHeadAndBlock(reader, chunkSize, head, sizeof(head), kPresetLengthAt, &preset->data);
  if (status != 0) return status;
  Package_GetName(head + kPresetNameAt, kNameUnits, preset->name, sizeof(preset->name));
  // Over the pad byte of odd data, to the chunk's end.
  if (preset->data.Size() & 1) File_Seek(reader.file, 1, FileOrigin::Current, nullptr);
  return 0;
}

// The stream has no pad byte after it: the file stays right after it.
int32_t ReadChainHead(PackageReader& reader, uint32_t chunkSize, ChainRecord* chain) {
  unsigned char head[kChainHeadSize] = {};
  int32_t status = ReadHeadAndBlock(reader, chunkSize, head, sizeof(head), kChainLengthAt, &chain->stream);
  if (status != 0) return status;
  chain->flags = riff_GetU32(head + kChainFlagsAt);
  chain->type = riff_GetU32(head + kChainTypeAt);
  Package_GetName(head + kChainNameAt, kNameUnits, chain->name, sizeof(chain->name));
  Package_GetName(head + kChainKeyNameAt, kKeyUnits, chain->keyName, sizeof(chain->keyName));
  return 0;
}

int32_t ReadPlugInHead(PackageReader& reader, int32_t contentsSize, PlugInEntry* entry) {
  uint64_t start = 0;
  riff_SaveLocation(reader.file, &start);
  int32_t left = contentsSize;
  uint32_t chunkSize = 0;
  int32_t status = riff_FindChunkHeader(reader.file, kPlugInHeadId, &chunkSize, &left);
  unsigned char head[kPlugInHeadSize] = {};
  if (status == 0) status = riff_ReadDataBounded(reader.file, head, sizeof(head), chunkSize);
  riff_RestoreLocation(reader.file, start);
  if (status != 0) return Refuse(reader, status, "a plug-in has no header");
  entry->flags = riff_GetU32(head + kPlugInFlagsAt);
  Package_GetName(head + kPlugInClassKeyAt, kKeyUnits, entry->classKey, sizeof(entry->classKey));
  Package_GetName(head + kPlugInNameAt, kNameUnits, entry->name, sizeof(entry->name));
  if (Package_IsSafePlugIn(*entry)) return 0;
  return Refuse(reader, E_PACKAGE_FORMAT,
                entry->classKey[0] == '\0' ? "a plug-in has no class key and is not an effect of the editor"
                                            : "a plug-in's class key cannot name a key of the store");
}

int32_t ReadPreset(PackageReader& reader, PlugInEntry* entry, int32_t* group) {
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create();
  if (!preset) return E_OUTOFMEMORY;
  bool headed = false;
  int32_t status = ReadMember(
      reader.file, kPresetType, group, [](int32_t) { return 0; },
      [&](RiffId id, uint32_t size) {
        if (id == kPresetHeadId) {
          headed = true;
          return ReadPresetHead(reader, size, preset.get());
        }
        riff_SkipChunk(reader.file, size);
        return 0;
      });
  status = Refuse(reader, status, "a plug-in's preset list holds something that is no preset");
  // A preset without its head has neither name nor data: no package writes
  // one, and no store could take it.
  if (status == 0 && !headed) status = Refuse(reader, E_PACKAGE_FORMAT, "a preset has no header");
  if (status == 0) status = entry->AppendPreset(std::move(preset));
  return status;
}

int32_t ReadChain(PackageReader& reader, ChainCollection& chains, int32_t* group) {
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  if (!chain) return E_OUTOFMEMORY;
  int32_t status = ReadMember(
      reader.file, kChainType, group, [](int32_t) { return 0; },
      [&](RiffId id, uint32_t size) {
        if (id == kChainHeadId) return ReadChainHead(reader, size, chain.get());
        riff_SkipChunk(reader.file, size);
        return 0;
      });
  status = Refuse(reader, status, "the chain list holds something that is no chain");
  // A "chn " without its head has no key name, which is refused with the rest.
  if (status == 0 && chain->keyName[0] == '\0') status = Refuse(reader, E_PACKAGE_FORMAT, "a chain has no header");
  if (status == 0 && !Package_IsSafeChainKey(chain->keyName)) {
    status = Refuse(reader, E_PACKAGE_FORMAT, "a chain's key name cannot name a key of the store");
  }
  if (status == 0) status = chains.Append(std::move(chain));
  return status;
}

int32_t ReadPlugIn(PackageReader& reader, PlugInCollection& plugIns, int32_t* group) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create();
  if (!entry) return E_OUTOFMEMORY;
  int32_t status = ReadMember(
      reader.file, kPlugInType, group, [&](int32_t contents) { return ReadPlugInHead(reader, contents, entry.get()); },
      [&](RiffId id, uint32_t size) {
        if (id == kRiffIdList) {
          int32_t listStatus = VisitList(reader.file, size, [&](RiffId type, int32_t contents) {
            if (type != kPresetListType) return 0;
            return ReadGroup(reader.file, contents,
                             [&](int32_t* counter) { return ReadPreset(reader, entry.get(), counter); });
          });
          if (listStatus != 0) return listStatus;
        }
        riff_SkipChunk(reader.file, size);
        return 0;
      });
  status = Refuse(reader, status, "the plug-in list holds something that is no plug-in");
  if (status == 0) status = plugIns.Append(std::move(entry));
  return status;
}

// The package header's values are not used; the chunk only has to be there.
int32_t FindPackageHeader(FileHandle file, int32_t formRemaining) {
  uint64_t start = 0;
  riff_SaveLocation(file, &start);
  uint32_t size = 0;
  int32_t status = riff_FindChunkHeader(file, kPackageHeaderId, &size, &formRemaining);
  unsigned char header[kPackageHeaderSize] = {};
  if (status == 0) status = riff_ReadDataBounded(file, header, sizeof(header), size);
  riff_RestoreLocation(file, start);
  return status;
}

}  // namespace

namespace {

int32_t ReadOpenPackage(PackageReader& reader, PlugInCollection& plugIns, ChainCollection& chains) {
  if (File_GetSize(reader.file, &reader.fileSize) != 0) return E_FILE_OPEN;
  // Positions are 32-bit: files of 2 GiB or more are not supported.
  if (reader.fileSize > kRiffMaxSize) return Refuse(reader, E_PACKAGE_FORMAT, "the file is 2 GiB or larger");

  riff_RestoreLocation(reader.file, 0);
  uint32_t formSize = 0;
  RiffId formType = 0;
  if (riff_ReadFileID(reader.file, &formSize, &formType) != 0 || formType != kPackageForm ||
      formSize > kRiffMaxSize) {
    return Refuse(reader, E_PACKAGE_FORMAT, "the file is not a package");
  }
  int32_t remaining = static_cast<int32_t>(formSize);
  int32_t status = FindPackageHeader(reader.file, remaining);
  if (status != 0) return Refuse(reader, status, "the package has no format chunk");
  if (remaining < 8) return Refuse(reader, E_PACKAGE_FORMAT, "the package holds nothing after its format chunk");

  // Any number of groups, in file order; other chunks are passed over.
  return WalkRegion(reader.file, remaining, nullptr, [&](RiffId id, uint32_t size) {
    if (id == kRiffIdList) {
      int32_t listStatus = VisitList(reader.file, size, [&](RiffId type, int32_t contents) {
        if (type == kPlugInGroupType) {
          return ReadGroup(reader.file, contents, [&](int32_t* counter) { return ReadPlugIn(reader, plugIns, counter); });
        }
        if (type == kChainGroupType) {
          return ReadGroup(reader.file, contents, [&](int32_t* counter) { return ReadChain(reader, chains, counter); });
        }
        return 0;
      });
      if (listStatus != 0) return listStatus;
    }
    riff_SkipChunk(reader.file, size);
    return 0;
  });
}

}  // namespace

int32_t ReadPackage(const char* path, PlugInCollection& plugIns, ChainCollection& chains, const char** problem) {
  if (problem != nullptr) *problem = nullptr;
  ScopedFile file;
  if (File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()) != 0) {
    return E_FILE_OPEN;
  }
  PackageReader reader{file.Get(), 0};
  int32_t status = ReadOpenPackage(reader, plugIns, chains);
  if (status != 0 && status != E_OUTOFMEMORY && problem != nullptr) {
    *problem = reader.problem != nullptr ? reader.problem : "a chunk is longer than what holds it, or the file ends early";
  }
  return status;
}
