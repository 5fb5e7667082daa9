// Builds package files byte by byte, so tests can state what the writer must
// produce and hand the reader files no writer would make.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using ByteBlock = std::vector<unsigned char>;

ByteBlock U32(uint32_t value);
// A UTF-16LE field of `units` units, zero-filled.
ByteBlock Utf16Field(const std::string& text, size_t units);
ByteBlock Join(std::initializer_list<ByteBlock> parts);

// A chunk whose size field is `data`'s length, with a pad byte after odd data.
ByteBlock Chunk(const char* id, const ByteBlock& data);
// A chunk with the size field given, followed by exactly `data`.
ByteBlock ChunkSized(const char* id, uint32_t size, const ByteBlock& data);
// Lists and forms whose size fields count the bytes given, or the size given.
ByteBlock List(const char* type, std::initializer_list<ByteBlock> members);
ByteBlock ListSized(const char* type, uint32_t size, std::initializer_list<ByteBlock> members);
ByteBlock Form(std::initializer_list<ByteBlock> chunks);  // a "VTPD" form
ByteBlock FormSized(uint32_t size, std::initializer_list<ByteBlock> chunks);

ByteBlock PackageHeader(uint32_t plugIns = 0, uint32_t chains = 0);
ByteBlock PlugInHead(uint32_t flags, const std::string& classKey, const std::string& name, uint32_t presets = 1);
ByteBlock PresetList(const std::string& name, const ByteBlock& data);  // a "pset" with its "psth"
// A "chn " with its "chnh"; as the writer makes it, its sizes count a pad
// byte after an odd stream that the file does not hold, so a List() around
// it would count one byte less than the writer does.
ByteBlock ChainList(const std::string& name, const std::string& keyName, const ByteBlock& stream, uint32_t flags = 0,
                    uint32_t type = 0);
