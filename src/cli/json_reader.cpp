#include "cli/json_reader.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void SkipSpace(JsonReader* reader) {
  while (reader->at < reader->size && IsSpace(reader->text[reader->at])) ++reader->at;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the well-formed UTF-8 character at `s` (`left` bytes
// available), or 0 when it is not one.
size_t Utf8Length(const unsigned char* s, size_t left) {
  size_t n = s[0] < 0x80 ? 1 : s[0] >= 0xC2 && s[0] <= 0xDF ? 2 : s[0] >= 0xE0 && s[0] <= 0xEF ? 3
                                                               : s[0] >= 0xF0 && s[0] <= 0xF4 ? 4 : 0;
  if (n == 0 || n > left) return 0;
  for (size_t i = 1; i < n; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;
  }
  // No overlong forms, no surrogates, nothing past U+10FFFF.
  if (n == 3 && ((s[0] == 0xE0 && s[1] < 0xA0) || (s[0] == 0xED && s[1] >= 0xA0))) return 0;
  if (n == 4 && ((s[0] == 0xF0 && s[1] < 0x90) || (s[0] == 0xF4 && s[1] >= 0x90))) return 0;
  return n;
}

size_t EncodeUtf8(uint32_t cp, char* out) {
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<char>(0xC0 | (cp >> 6));
    out[1] = static_cast<char>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (cp >> 12));
    out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (cp >> 18));
  out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (cp & 0x3F));
  return 4;
}

// Reads the four hex digits after "\u".
bool ReadUnit(JsonReader* reader, uint32_t* unit) {
  if (reader->size - reader->at < 4) return Json_Fail(reader, "expected four hex digits after \\u");
  *unit = 0;
  for (int i = 0; i < 4; ++i) {
    int digit = HexValue(reader->text[reader->at + i]);
    if (digit < 0) return Json_Fail(reader, "expected four hex digits after \\u");
    *unit = *unit << 4 | static_cast<uint32_t>(digit);
  }
  reader->at += 4;
  return true;
}

// Decodes the escape after a backslash into `out` (up to 4 bytes).
bool ReadEscape(JsonReader* reader, char* out, size_t* length) {
  if (reader->at >= reader->size) return Json_Fail(reader, "unterminated string");
  char c = reader->text[reader->at++];
  const char* simple = "\"\"\\\\//b\bf\fn\nr\rt\t";
  for (const char* s = simple; *s != '\0'; s += 2) {
    if (c == s[0]) {
      out[0] = s[1];
      *length = 1;
      return true;
    }
  }
  if (c != 'u') return Json_Fail(reader, "unknown escape \\%c", c);
  uint32_t cp = 0;
  if (!ReadUnit(reader, &cp)) return false;
  if (cp >= 0xDC00 && cp <= 0xDFFF) return Json_Fail(reader, "unpaired surrogate \\u%04X", cp);
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    uint32_t low = 0;
    if (reader->size - reader->at < 2 || reader->text[reader->at] != '\\' || reader->text[reader->at + 1] != 'u') {
      return Json_Fail(reader, "unpaired surrogate \\u%04X", cp);
    }
    reader->at += 2;
    if (!ReadUnit(reader, &low)) return false;
    if (low < 0xDC00 || low > 0xDFFF) return Json_Fail(reader, "unpaired surrogate \\u%04X", cp);
    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
  }
  if (cp == 0) return Json_Fail(reader, "a text may not hold \\u0000");
  *length = EncodeUtf8(cp, out);
  return true;
}

}  // namespace

void Json_Begin(JsonReader* reader, const char* text, size_t size) {
  reader->text = text;
  reader->size = size;
  reader->at = 0;
  reader->failed = false;
  reader->error[0] = '\0';
  if (size >= 3 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
      static_cast<unsigned char>(text[2]) == 0xBF) {
    reader->at = 3;
  }
}

bool Json_Fail(JsonReader* reader, const char* format, ...) {
  if (reader->failed) return false;
  reader->failed = true;
  unsigned long line = 1, column = 1;
  for (size_t i = 0; i < reader->at && i < reader->size; ++i) {
    if (reader->text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  int used = snprintf(reader->error, sizeof(reader->error), "%lu:%lu: ", line, column);
  if (used < 0 || static_cast<size_t>(used) >= sizeof(reader->error)) return false;
  va_list args;
  va_start(args, format);
  vsnprintf(reader->error + used, sizeof(reader->error) - static_cast<size_t>(used), format, args);
  va_end(args);
  return false;
}

bool Json_Take(JsonReader* reader, char c) {
  if (reader->failed) return false;
  SkipSpace(reader);
  if (reader->at < reader->size && reader->text[reader->at] == c) {
    ++reader->at;
    return true;
  }
  return false;
}

bool Json_Expect(JsonReader* reader, char c) {
  if (Json_Take(reader, c)) return true;
  if (reader->at >= reader->size) return Json_Fail(reader, "expected '%c' but the text ends", c);
  return Json_Fail(reader, "expected '%c'", c);
}

bool Json_ReadString(JsonReader* reader, char* text, size_t size, const char* what) {
  if (!Json_Expect(reader, '"')) return false;
  size_t length = 0;
  for (;;) {
    if (reader->at >= reader->size) return Json_Fail(reader, "unterminated string");
    const unsigned char* s = reinterpret_cast<const unsigned char*>(reader->text + reader->at);
    char bytes[4];
    size_t n = 0;
    if (*s == '"') {
      ++reader->at;
      break;
    }
    if (*s == '\\') {
      ++reader->at;
      if (!ReadEscape(reader, bytes, &n)) return false;
    } else {
      if (*s < 0x20) return Json_Fail(reader, "control character in a string");
      n = Utf8Length(s, reader->size - reader->at);
      if (n == 0) return Json_Fail(reader, "malformed UTF-8 in a string");
      for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(s[i]);
      reader->at += n;
    }
    if (text != nullptr) {
      if (length + n >= size) return Json_Fail(reader, "%s longer than %lu bytes", what, static_cast<unsigned long>(size - 1));
      for (size_t i = 0; i < n; ++i) text[length + i] = bytes[i];
    }
    length += n;
  }
  if (text != nullptr) text[length] = '\0';
  return true;
}

bool Json_ReadHex(JsonReader* reader, ByteBlock* block) {
  block->Adopt(nullptr, 0);
  if (!Json_Expect(reader, '"')) return false;
  size_t start = reader->at;
  while (reader->at < reader->size && HexValue(reader->text[reader->at]) >= 0) ++reader->at;
  if (reader->at >= reader->size) return Json_Fail(reader, "unterminated string");
  if (reader->text[reader->at] != '"') return Json_Fail(reader, "expected a hex digit");
  size_t digits = reader->at - start;
  if (digits % 2 != 0) return Json_Fail(reader, "odd number of hex digits");
  if (digits / 2 > UINT32_MAX) return Json_Fail(reader, "more than 4294967295 bytes");
  ++reader->at;
  if (digits == 0) return true;
  std::unique_ptr<unsigned char[]> bytes = NewBytes(digits / 2);
  if (!bytes) return Json_Fail(reader, "out of memory");
  for (size_t i = 0; i < digits / 2; ++i) {
    bytes[i] = static_cast<unsigned char>(HexValue(reader->text[start + 2 * i]) << 4 |
                                          HexValue(reader->text[start + 2 * i + 1]));
  }
  block->Adopt(std::move(bytes), static_cast<uint32_t>(digits / 2));
  return true;
}

bool Json_ReadUint32(JsonReader* reader, uint32_t* value) {
  if (reader->failed) return false;
  SkipSpace(reader);
  uint64_t number = 0;
  size_t start = reader->at;
  while (reader->at < reader->size && reader->text[reader->at] >= '0' && reader->text[reader->at] <= '9') {
    number = number * 10 + static_cast<uint64_t>(reader->text[reader->at] - '0');
    if (number > UINT32_MAX) break;
    ++reader->at;
  }
  bool fraction = reader->at < reader->size &&
                  (reader->text[reader->at] == '.' || reader->text[reader->at] == 'e' || reader->text[reader->at] == 'E');
  if (reader->at == start || number > UINT32_MAX || fraction) {
    return Json_Fail(reader, "expected a whole number from 0 to 4294967295");
  }
  *value = static_cast<uint32_t>(number);
  return true;
}

bool Json_End(JsonReader* reader) {
  if (reader->failed) return false;
  SkipSpace(reader);
  if (reader->at != reader->size) return Json_Fail(reader, "unexpected text after the document");
  return true;
}
