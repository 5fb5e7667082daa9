#include "cli/store_print.h"

#include <cstring>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"

namespace {

// Writes a text as a JSON string. Texts are UTF-8; a byte that does not
// begin a well-formed character is written as U+FFFD.
void PrintJsonString(FILE* out, const char* text) {
  fputc('"', out);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
  while (*s != '\0') {
    unsigned char c = *s;
    if (c == '"' || c == '\\') {
      fputc('\\', out);
      fputc(c, out);
      ++s;
    } else if (c < 0x20 || c == 0x7F) {
      fprintf(out, "\\u%04x", c);
      ++s;
    } else if (c < 0x80) {
      fputc(c, out);
      ++s;
    } else {
      size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
      size_t ok = n;
      for (size_t i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80) ok = 0;
      }
      if (ok == 0) {
        fputs("\\ufffd", out);
        ++s;
      } else {
        fwrite(s, 1, ok, out);
        s += ok;
      }
    }
  }
  fputc('"', out);
}

void PrintHex(FILE* out, const unsigned char* bytes, uint32_t size) {
  static const char kDigits[] = "0123456789abcdef";
  fputc('"', out);
  for (uint32_t i = 0; i < size; ++i) {
    fputc(kDigits[bytes[i] >> 4], out);
    fputc(kDigits[bytes[i] & 0xF], out);
  }
  fputc('"', out);
}

// Writes a name for people: a control character would break the tree's
// lines, so it is shown as an escape.
void PrintName(FILE* out, const char* name) {
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c != '\0'; ++c) {
    if (*c < 0x20 || *c == 0x7F) {
      fprintf(out, "\\x%02X", *c);
    } else {
      fputc(*c, out);
    }
  }
}

int32_t PlugInCount(const PlugInCollection* plugIns) { return plugIns != nullptr ? plugIns->GetCount() : 0; }
int32_t ChainCount(const ChainCollection* chains) { return chains != nullptr ? chains->GetChainCount() : 0; }

// Absent collections print as empty ones.
const std::vector<std::unique_ptr<PlugInEntry>>& EntriesOf(const PlugInCollection* plugIns) {
  static const std::vector<std::unique_ptr<PlugInEntry>> kNone;
  return plugIns != nullptr ? plugIns->Entries() : kNone;
}
const std::vector<std::unique_ptr<ChainRecord>>& ChainsOf(const ChainCollection* chains) {
  static const std::vector<std::unique_ptr<ChainRecord>> kNone;
  return chains != nullptr ? chains->Chains() : kNone;
}

// " (1 byte)", " (5 bytes)": the size that ends a line of the tree.
void PrintSize(FILE* out, const char* before, uint32_t size) {
  fprintf(out, "%s%u byte%s)\n", before, size, size == 1 ? "" : "s");
}

}  // namespace

void PrintStoreTree(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains) {
  fprintf(out, "FX Plug-Ins (%d)\n", PlugInCount(plugIns));
  for (const std::unique_ptr<PlugInEntry>& entry : EntriesOf(plugIns)) {
    char display[kNameSize];
    entry->GetDisplayName(display, sizeof(display));
    fputs("  ", out);
    PrintName(out, display);
    if (entry->classKey[0] != '\0') {
      fputc(' ', out);
      PrintName(out, entry->classKey);
    }
    fprintf(out, " (%d preset%s)\n", entry->GetPresetCount(), entry->GetPresetCount() == 1 ? "" : "s");
    for (const std::unique_ptr<PresetRecord>& preset : entry->Presets()) {
      fputs("    ", out);
      PrintName(out, preset->name);
      PrintSize(out, " (", preset->data.Size());
    }
  }
  fprintf(out, "FX Chains (%d)\n", ChainCount(chains));
  for (const std::unique_ptr<ChainRecord>& chain : ChainsOf(chains)) {
    fputs("  ", out);
    PrintName(out, chain->name);
    fputs(" [", out);
    PrintName(out, chain->keyName);
    PrintSize(out, "] (", chain->stream.Size());
  }
}

void PrintStoreJson(FILE* out, const PlugInCollection* plugIns, const ChainCollection* chains, bool withData) {
  fputs("{\"plugins\":[", out);
  bool firstEntry = true;
  for (const std::unique_ptr<PlugInEntry>& entry : EntriesOf(plugIns)) {
    if (!firstEntry) fputc(',', out);
    firstEntry = false;
    char display[kNameSize];
    entry->GetDisplayName(display, sizeof(display));
    fputs("{\"name\":", out);
    PrintJsonString(out, entry->name);
    fputs(",\"displayName\":", out);
    PrintJsonString(out, display);
    fputs(",\"classKey\":", out);
    PrintJsonString(out, entry->classKey);
    fprintf(out, ",\"flags\":%u,\"presets\":[", entry->flags);
    bool firstPreset = true;
    for (const std::unique_ptr<PresetRecord>& preset : entry->Presets()) {
      if (!firstPreset) fputc(',', out);
      firstPreset = false;
      fputs("{\"name\":", out);
      PrintJsonString(out, preset->name);
      fprintf(out, ",\"size\":%u", preset->data.Size());
      if (withData) {
        fputs(",\"data\":", out);
        PrintHex(out, preset->data.Bytes(), preset->data.Size());
      }
      fputc('}', out);
    }
    fputs("]}", out);
  }
  fputs("],\"chains\":[", out);
  bool firstChain = true;
  for (const std::unique_ptr<ChainRecord>& chain : ChainsOf(chains)) {
    if (!firstChain) fputc(',', out);
    firstChain = false;
    fputs("{\"name\":", out);
    PrintJsonString(out, chain->name);
    fputs(",\"keyName\":", out);
    PrintJsonString(out, chain->keyName);
    fprintf(out, ",\"flags\":%u,\"type\":%u,\"size\":%u", chain->flags, chain->type, chain->stream.Size());
    if (withData) {
      fputs(",\"stream\":", out);
      PrintHex(out, chain->stream.Bytes(), chain->stream.Size());
    }
    fputc('}', out);
  }
  fputs("]}\n", out);
}
