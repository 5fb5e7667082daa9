#include "package/package_bytes.h"

#include <cstring>

#include "platform/text.h"

ByteBlock U32(uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

ByteBlock Utf16Field(const std::string& text, size_t units) {
  std::vector<char16_t> wide(units, 0);
  Text_ToUtf16(text.c_str(), wide.data(), units);
  ByteBlock field;
  for (char16_t unit : wide) {
    field.push_back(static_cast<unsigned char>(unit));
    field.push_back(static_cast<unsigned char>(unit >> 8));
  }
  return field;
}

ByteBlock Join(std::initializer_list<ByteBlock> parts) {
  ByteBlock joined;
  for (const ByteBlock& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

namespace {

ByteBlock Id(const char* id) { return ByteBlock(id, id + 4); }

}  // namespace

ByteBlock ChunkSized(const char* id, uint32_t size, const ByteBlock& data) { return Join({Id(id), U32(size), data}); }

ByteBlock Chunk(const char* id, const ByteBlock& data) {
  ByteBlock chunk = ChunkSized(id, static_cast<uint32_t>(data.size()), data);
  if (data.size() % 2 == 1) chunk.push_back(0);
  return chunk;
}

ByteBlock ListSized(const char* type, uint32_t size, std::initializer_list<ByteBlock> members) {
  return ChunkSized("LIST", size, Join({Id(type), Join(members)}));
}

ByteBlock List(const char* type, std::initializer_list<ByteBlock> members) {
  return ListSized(type, static_cast<uint32_t>(4 + Join(members).size()), members);
}

ByteBlock FormSized(uint32_t size, std::initializer_list<ByteBlock> chunks) {
  return ChunkSized("RIFF", size, Join({Id("VTPD"), Join(chunks)}));
}

ByteBlock Form(std::initializer_list<ByteBlock> chunks) {
  return FormSized(static_cast<uint32_t>(4 + Join(chunks).size()), chunks);
}

ByteBlock PackageHeader(uint32_t plugIns, uint32_t chains) {
  return Chunk("fmt ", Join({U32(0x00010000), U32(plugIns), U32(chains), U32(0)}));
}

ByteBlock PlugInHead(uint32_t flags, const std::string& classKey, const std::string& name, uint32_t presets) {
  return Chunk("plgh", Join({U32(presets), U32(flags), Utf16Field(classKey, 40), Utf16Field(name, 260)}));
}

ByteBlock PresetList(const std::string& name, const ByteBlock& data) {
  // The size field counts the pad byte after odd data.
  ByteBlock padded = Join({Utf16Field(name, 260), U32(static_cast<uint32_t>(data.size())), data});
  if (padded.size() % 2 == 1) padded.push_back(0);
  return List("pset", {Chunk("psth", padded)});
}

ByteBlock ChainList(const std::string& name, const std::string& keyName, const ByteBlock& stream, uint32_t flags,
                    uint32_t type) {
  uint32_t n = static_cast<uint32_t>(stream.size());
  uint32_t chunkSize = 616 + n + (n & 1);
  ByteBlock head = Join({U32(0), U32(flags), U32(type), Utf16Field(name, 260), Utf16Field(keyName, 40), U32(n)});
  return ListSized("chn ", 4 + 8 + chunkSize, {ChunkSized("chnh", chunkSize, Join({head, stream}))});
}
