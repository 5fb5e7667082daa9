#include "package/package_bytes.h"

#include <cstring>

#include "platform/text.h"

ByteVector U32(uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

ByteVector Utf16Field(const std::string& text, size_t units) {
  std::vector<char16_t> wide(units, 0);
  Text_ToUtf16(text.c_str(), wide.data(), units);
  ByteVector field;
  for (char16_t unit : wide) {
    field.push_back(static_cast<unsigned char>(unit));
    field.push_back(static_cast<unsigned char>(unit >> 8));
  }
  return field;
}

ByteVector Join(std::initializer_list<ByteVector> parts) {
  ByteVector joined;
  for (const ByteVector& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

namespace {

ByteVector Id(const char* id) { return ByteVector(id, id + 4); }

}  // namespace

ByteVector ChunkSized(const char* id, uint32_t size, const ByteVector& data) { return Join({Id(id), U32(size), data}); }

ByteVector Chunk(const char* id, const ByteVector& data) {
  ByteVector chunk = ChunkSized(id, static_cast<uint32_t>(data.size()), data);
  if (data.size() % 2 == 1) chunk.push_back(0);
  return chunk;
}

ByteVector ListSized(const char* type, uint32_t size, std::initializer_list<ByteVector> members) {
  return ChunkSized("LIST", size, Join({Id(type), Join(members)}));
}

ByteVector List(const char* type, std::initializer_list<ByteVector> members) {
  return ListSized(type, static_cast<uint32_t>(4 + Join(members).size()), members);
}

ByteVector FormSized(uint32_t size, std::initializer_list<ByteVector> chunks) {
  return ChunkSized("RIFF", size, Join({Id("VTPD"), Join(chunks)}));
}

ByteVector Form(std::initializer_list<ByteVector> chunks) {
  return FormSized(static_cast<uint32_t>(4 + Join(chunks).size()), chunks);
}

ByteVector PackageHeader(uint32_t plugIns, uint32_t chains) {
  return Chunk("fmt ", Join({U32(0x00010000), U32(plugIns), U32(chains), U32(0)}));
}

ByteVector PlugInHead(uint32_t flags, const std::string& classKey, const std::string& name, uint32_t presets) {
  return Chunk("plgh", Join({U32(presets), U32(flags), Utf16Field(classKey, 40), Utf16Field(name, 260)}));
}

ByteVector PresetList(const std::string& name, const ByteVector& data) {
  // The size field counts the pad byte after odd data.
  ByteVector padded = Join({Utf16Field(name, 260), U32(static_cast<uint32_t>(data.size())), data});
  if (padded.size() % 2 == 1) padded.push_back(0);
  return List("pset", {Chunk("psth", padded)});
}

ByteVector ChainList(const std::string& name, const std::string& keyName, const ByteVector& stream, uint32_t flags,
                    uint32_t type) {
  uint32_t n = static_cast<uint32_t>(stream.size());
  uint32_t chunkSize = 616 + n + (n & 1);
  ByteVector head = Join({U32(0), U32(flags), U32(type), Utf16Field(name, 260), Utf16Field(keyName, 40), U32(n)});
  return ListSized("chn ", 4 + 8 + chunkSize, {ChunkSized("chnh", chunkSize, Join({head, stream}))});
}
