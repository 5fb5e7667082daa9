// A cursor over a JSON document held in memory, for reading documents of a
// known shape. Every read is bounded by the bytes left and by its
// destination. The first error is kept, with its line and column, and every
// read after it fails, so callers can simply stop at the first false.
#pragma once

#include "model/byte_block.h"

#include <cstddef>
#include <cstdint>

struct JsonReader {
  const char* text;  // the document; not owned
  size_t size;
  size_t at;         // the next byte to read
  bool failed;
  char error[256];   // "LINE:COLUMN: message" once failed
};

// Starts at the beginning of `text`, past a UTF-8 byte order mark.
void Json_Begin(JsonReader* reader, const char* text, size_t size);

// Records an error at the current position (the first one only); gives false.
bool Json_Fail(JsonReader* reader, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Skips white space and takes `c` when it comes next.
bool Json_Take(JsonReader* reader, char c);
// The same, failing when something else comes.
bool Json_Expect(JsonReader* reader, char c);

// Reads a string into `text` of `size` bytes (UTF-8, escapes decoded),
// failing when it does not fit; `what` names it in the message. A null
// `text` checks the string and drops it.
bool Json_ReadString(JsonReader* reader, char* text, size_t size, const char* what);

// Reads a string of hex digits (either case) into `block`; an empty string
// gives an empty block.
bool Json_ReadHex(JsonReader* reader, ByteBlock* block);

// Reads a whole number from 0 to 4294967295.
bool Json_ReadUint32(JsonReader* reader, uint32_t* value);

// Fails unless only white space is left.
bool Json_End(JsonReader* reader);

// Reads an object: `member`(key) is called for each member with the reader
// at its value, and gives false to stop.
template <class Member>
bool Json_ReadObject(JsonReader* reader, Member member) {
  if (!Json_Expect(reader, '{')) return false;
  if (Json_Take(reader, '}')) return true;
  do {
    char key[32];
    if (!Json_ReadString(reader, key, sizeof(key), "key") || !Json_Expect(reader, ':') || !member(key)) return false;
  } while (Json_Take(reader, ','));
  return Json_Expect(reader, '}');
}

// Reads an array: `element`() is called with the reader at each element.
template <class Element>
bool Json_ReadArray(JsonReader* reader, Element element) {
  if (!Json_Expect(reader, '[')) return false;
  if (Json_Take(reader, ']')) return true;
  do {
    if (!element()) return false;
  } while (Json_Take(reader, ','));
  return Json_Expect(reader, ']');
}
