// Builds package files byte by byte, so tests can state what the writer must
// produce and hand the reader files no writer would make.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using ByteVector = std::vector<unsigned char>;

ByteVector U32(uint32_t value);
// A UTF-16LE field of `units` units, zero-filled.
ByteVector Utf16Field(const std::string& text, size_t units);
ByteVector Join(std::initializer_list<ByteVector> parts);

// A chunk whose size field is `data`'s length, with a pad byte after odd data.
ByteVector Chunk(const char* id, const ByteVector& data);
// A chunk with the size field given, followed by exactly `data`.
ByteVector ChunkSized(const char* id, uint32_t size, const ByteVector& data);
// Lists and forms whose size fields count the bytes given, or the size given.
ByteVector List(const char* type, std::initializer_list<ByteVector> members);
ByteVector ListSized(const char* type, uint32_t size, std::initializer_list<ByteVector> members);
ByteVector Form(std::initializer_list<ByteVector> chunks);  // a "VTPD" form
ByteVector FormSized(uint32_t size, std::initializer_list<ByteVector> chunks);

ByteVector PackageHeader(uint32_t plugIns = 0, uint32_t chains = 0);
ByteVector PlugInHead(uint32_t flags, const std::string& classKey, const std::string& name, uint32_t presets = 1);
ByteVector PresetList(const std::string& name, const ByteVector& data);  // a "pset" with its "psth"
// A "chn " with its "chnh"; as the writer makes it, its sizes count a pad
// byte after an odd stream that the file does not hold, so a List() around
// it would count one byte less than the writer does.
ByteVector ChainList(const std::string& name, const std::string& keyName, const ByteVector& stream, uint32_t flags = 0,
                    uint32_t type = 0);
