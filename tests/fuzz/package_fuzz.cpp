// libFuzzer target for the package reader. Each input is handed to
// ReadPackage as a file; an input the reader accepts must also survive
// being written and read again, less the records a package cannot hold.
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "model/store_records.h"
#include "package/package_file.h"
#include "package/package_layout.h"

namespace {

int g_input = -1;               // memory file holding the current input
char g_inputPath[64];           // its name for File_Open
std::string g_folder;           // where the round trip writes
std::string g_roundTripPath;

void Fail(const char* what) {
  fprintf(stderr, "round trip changed the package: %s\n", what);
  abort();
}

void Expect(bool holds, const char* what) {
  if (!holds) Fail(what);
}

bool SameBytes(const ByteBlock& a, const ByteBlock& b) {
  return a.Size() == b.Size() && (a.Empty() || memcmp(a.Bytes(), b.Bytes(), a.Size()) == 0);
}

// The written package holds the first read's storable records, in order.
void CompareRoundTrip(const StoreRecords& first, const StoreRecords& second) {
  int32_t at = 0;
  for (int32_t i = 0; i < first.plugIns->GetCount(); ++i) {
    const PlugInEntry* entry = first.plugIns->Get(i);
    const PlugInEntry* back = nullptr;
    int32_t p = 0;
    for (int32_t q = 0; q < entry->GetPresetCount(); ++q) {
      const PresetRecord* preset = entry->GetPreset(q);
      if (!Package_CanStorePreset(*preset)) continue;
      if (back == nullptr) {
        back = second.plugIns->Get(at++);
        Expect(back != nullptr, "a plug-in is missing");
        Expect(strcmp(entry->name, back->name) == 0 && strcmp(entry->classKey, back->classKey) == 0 &&
                   entry->flags == back->flags,
               "a plug-in's identity");
      }
      const PresetRecord* presetBack = back->GetPreset(p++);
      Expect(presetBack != nullptr, "a preset is missing");
      Expect(strcmp(preset->name, presetBack->name) == 0, "a preset's name");
      Expect(SameBytes(preset->data, presetBack->data), "a preset's data");
    }
    if (back != nullptr) Expect(p == back->GetPresetCount(), "a plug-in has presets it did not have");
  }
  Expect(at == second.plugIns->GetCount(), "plug-ins were added");
  Expect(first.chains->GetChainCount() == second.chains->GetChainCount(), "the number of chains");
  for (int32_t i = 0; i < first.chains->GetChainCount(); ++i) {
    const ChainRecord* chain = first.chains->Get(i);
    const ChainRecord* back = second.chains->Get(i);
    Expect(strcmp(chain->name, back->name) == 0 && strcmp(chain->keyName, back->keyName) == 0 &&
               chain->flags == back->flags && chain->type == back->type,
           "a chain's identity");
    Expect(SameBytes(chain->stream, back->stream), "a chain's stream");
  }
}

void RemoveFolder() {
  unlink(g_roundTripPath.c_str());
  rmdir(g_folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_input = memfd_create("package", 0);
  if (g_input < 0) abort();
  snprintf(g_inputPath, sizeof(g_inputPath), "/proc/self/fd/%d", g_input);
  // A memory file system where there is one: the round trip flushes.
  char folder[] = "/dev/shm/ordalis-fuzz-XXXXXX";
  char fallback[] = "/tmp/ordalis-fuzz-XXXXXX";
  const char* made = mkdtemp(folder);
  if (made == nullptr) made = mkdtemp(fallback);
  if (made == nullptr) abort();
  g_folder = made;
  g_roundTripPath = g_folder + "/round-trip.vtpreset";
  atexit(RemoveFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (ftruncate(g_input, 0) != 0 || pwrite(g_input, data, size, 0) != static_cast<ssize_t>(size)) abort();
  StoreRecords first;
  if (!first.CreateEmpty()) return 0;
  if (ReadPackage(g_inputPath, *first.plugIns, *first.chains) != 0) return 0;

  if (WritePackage(g_roundTripPath.c_str(), first.plugIns.get(), first.chains.get()) != 0) Fail("the write failed");
  StoreRecords second;
  if (!second.CreateEmpty()) return 0;
  if (ReadPackage(g_roundTripPath.c_str(), *second.plugIns, *second.chains) != 0) Fail("the written file is refused");
  CompareRoundTrip(first, second);
  return 0;
}
