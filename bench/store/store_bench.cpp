// How long reading the system store takes where every registry call is a
// round trip to another process (Wine's server), measured in one run:
// a full load, a refresh of an unchanged store, refreshes after one preset
// or one preset file changed, and the system's own `reg export` of the same
// key for comparison. It builds its store in the registry it runs against,
// so run it only in a prefix of its own (scripts/bench-store.sh does).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/file.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

constexpr int kPlugIns = 500;
constexpr int kPresetsPerPlugIn = 40;
constexpr int kChains = 20;
constexpr uint32_t kFileSize = 4096;

using Clock = std::chrono::steady_clock;

struct Store {
  std::string folder;       // preset files and the export, ending in a backslash
  std::string changedFile;  // a preset file the file-change run rewrites
  int registered = 0;
};

void ClassKey(int index, char* out, size_t size) {
  snprintf(out, size, "{%08X-0000-4000-8000-%012X}", 0x5EED0000u + static_cast<unsigned>(index),
           static_cast<unsigned>(index));
}

std::vector<unsigned char> Bytes(uint32_t size, unsigned seed) {
  std::vector<unsigned char> bytes(size);
  for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 13 + seed);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  ScopedFile file;
  uint32_t done = 0;
  return File_Open(path.c_str(), kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out()) == 0 &&
         File_Write(file.Get(), bytes.data(), static_cast<uint32_t>(bytes.size()), &done) == 0 &&
         done == bytes.size();
}

bool SetBinary(RegKey key, const char* name, const std::vector<unsigned char>& bytes) {
  return Reg_SetValue(key, name, kRegBinary, bytes.data(), static_cast<uint32_t>(bytes.size())) == 0;
}

// 500 plug-ins of 40 presets, one in ten in a 4 KiB preset file, every
// other plug-in registered, and a few chains.
bool BuildStore(Store* store) {
  char temp[1024];
  if (File_GetTempFolder(temp, sizeof(temp)) != 0) return false;
  store->folder = std::string(temp) + "ordalis-store-bench\\";
  if (File_CreateFolderPath(store->folder.c_str()) != 0) return false;
  RegKey user = Reg_Root(RegRoot::CurrentUser);
  Reg_DeleteTree(user, kDirectShowPresetsKey);
  ScopedRegKey presets;
  if (Reg_CreateKey(user, kDirectShowPresetsKey, RegAccess::All, presets.Out()) != 0) return false;
  Reg_SetText(presets.Get(), kDefLocationValue, store->folder.c_str(), kRegExpandSz);
  for (int p = 0; p < kPlugIns; ++p) {
    char classKey[64];
    ClassKey(p, classKey, sizeof(classKey));
    ScopedRegKey plugIn;
    if (Reg_CreateKey(presets.Get(), classKey, RegAccess::All, plugIn.Out()) != 0) return false;
    for (int i = 0; i < kPresetsPerPlugIn; ++i) {
      char name[64];
      snprintf(name, sizeof(name), "Preset %02d of plug-in %03d", i, p);
      if ((p * kPresetsPerPlugIn + i) % 10 != 0) {
        std::vector<unsigned char> bytes = Bytes(64 + static_cast<uint32_t>(i * 5), static_cast<unsigned>(p));
        if (!SetBinary(plugIn.Get(), name, bytes)) return false;
        continue;
      }
      std::string path = store->folder + classKey + "-" + std::to_string(i) + ".dxp";
      if (!WriteBytes(path, Bytes(kFileSize, static_cast<unsigned>(i)))) return false;
      if (Reg_SetText(plugIn.Get(), name, path.c_str()) != 0) return false;
      store->changedFile = path;
    }
    if (p % 2 == 0) {
      ScopedRegKey registration;
      std::string clsid = std::string("CLSID\\") + classKey;
      RegKey classes = Reg_Root(RegRoot::ClassesRoot);
      if (Reg_CreateKey(classes, clsid.c_str(), RegAccess::All, registration.Out()) != 0) return false;
      std::string display = "Bench Effect " + std::to_string(p);
      Reg_SetText(registration.Get(), "", display.c_str());
      ++store->registered;
    }
  }
  for (int c = 0; c < kChains; ++c) {
    std::string keyName = "bench-chain-" + std::to_string(c);
    ScopedRegKey chain;
    if (Reg_CreateKey(presets.Get(), (std::string(kChainsSubkey) + "\\" + keyName).c_str(), RegAccess::All,
                      chain.Out()) != 0) {
      return false;
    }
    Reg_SetDword(chain.Get(), kChainFlagsValue, 1);
    Reg_SetText(chain.Get(), kChainNameValue, ("Chain " + std::to_string(c)).c_str());
    Reg_SetDword(chain.Get(), kChainTypeValue, 2);
    SetBinary(chain.Get(), kChainStreamValue, Bytes(200, static_cast<unsigned>(c)));
  }
  return true;
}

void RemoveStore(const Store& store) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  for (int p = 0; p < kPlugIns; p += 2) {
    char classKey[64];
    ClassKey(p, classKey, sizeof(classKey));
    Reg_DeleteTree(Reg_Root(RegRoot::ClassesRoot), (std::string("CLSID\\") + classKey).c_str());
  }
  char path[1024];
  for (int p = 0; p < kPlugIns; ++p) {
    ClassKey(p, path, sizeof(path));
    for (int i = 0; i < kPresetsPerPlugIn; ++i) {
      File_Delete((store.folder + path + "-" + std::to_string(i) + ".dxp").c_str());
    }
  }
  File_Delete((store.folder + "export.reg").c_str());
  File_RemoveFolder(store.folder.c_str());
}

template <class Work>
double Seconds(Work work) {
  Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Series {
  const char* name;
  std::vector<double> seconds;
  double Median() const {
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  double Min() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
  double Max() const { return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()); }
};

int32_t CountPresets(const Stores& stores) {
  const PlugInCollection* plugIns = stores.system.plugIns.get();
  return plugIns != nullptr ? static_cast<int32_t>(plugIns->GetTotalPresetCount()) : 0;
}

// Times of each kind. Loads and exports take turns, each after a pause, so
// that the machine's other work weighs on both alike and what the server
// still does for the one before (a child's exit) is not counted.
struct Results {
  Series regExport{"reg export of the same key", {}};
  Series loaders{"full load (LoadSystemChains, LoadSystemPlugIns)", {}};
  Series full{"full load (new cache)", {}};
  Series unchanged{"refresh, nothing changed", {}};
  Series onePreset{"refresh, one preset value changed", {}};
  Series oneFile{"refresh, one preset file changed", {}};
  int32_t presets = 0;
  bool sameCounts = true;
};

void Pause(int seconds = 1) { std::this_thread::sleep_for(std::chrono::seconds(seconds)); }

void MeasureLoads(const Store& store, int runs, Results* results) {
  std::string command = std::string("reg.exe export \"HKCU\\") + kDirectShowPresetsKey + "\" \"" + store.folder +
                        "export.reg\" /y";
  for (int run = 0; run < runs; ++run) {
    uint32_t exitCode = 1;
    char output[512];
    results->regExport.seconds.push_back(
        Seconds([&] { Process_Run(command.c_str(), output, sizeof(output), &exitCode); }));
    if (exitCode != 0) fprintf(stderr, "store_bench: reg export failed: %s\n", output);
    // The system goes on working for a while after the child's exit.
    Pause(4);

    {
      Stores stores;
      OwnedSystemStoreCache cache = SystemStoreCache_Create();
      results->full.seconds.push_back(Seconds([&] { RefreshSystemStore(stores, cache.get()); }));
      results->presets = CountPresets(stores);
    }
    Pause();

    results->loaders.seconds.push_back(Seconds([] {
      std::unique_ptr<ChainCollection> chains = LoadSystemChains();
      std::unique_ptr<PlugInCollection> plugIns = LoadSystemPlugIns();
    }));
    Pause();
  }
}

void MeasureRefreshes(const Store& store, int runs, Results* results) {
  Stores stores;
  OwnedSystemStoreCache owned = SystemStoreCache_Create();
  SystemStoreCache* cache = owned.get();
  RefreshSystemStore(stores, cache);
  for (int run = 0; run < runs; ++run) {
    results->unchanged.seconds.push_back(Seconds([&] { RefreshSystemStore(stores, cache); }));
    results->sameCounts = results->sameCounts && CountPresets(stores) == results->presets;
  }
  ScopedRegKey plugIn;
  char classKey[64];
  ClassKey(kPlugIns / 2, classKey, sizeof(classKey));
  Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), (std::string(kDirectShowPresetsKey) + "\\" + classKey).c_str(),
              RegAccess::All, plugIn.Out());
  for (int run = 0; run < runs; ++run) {
    SetBinary(plugIn.Get(), "Preset 05 of plug-in 250", Bytes(89, static_cast<unsigned>(run + 1000)));
    results->onePreset.seconds.push_back(Seconds([&] { RefreshSystemStore(stores, cache); }));
  }
  for (int run = 0; run < runs; ++run) {
    WriteBytes(store.changedFile, Bytes(kFileSize, static_cast<unsigned>(run + 2000)));
    results->oneFile.seconds.push_back(Seconds([&] { RefreshSystemStore(stores, cache); }));
    results->sameCounts = results->sameCounts && CountPresets(stores) == results->presets;
  }
}

void Print(const Store& store, int runs, const Results& results) {
  printf("%d presets loaded, %d of %d plug-ins registered; %d runs%s\n\n", results.presets, store.registered,
         kPlugIns, runs, results.sameCounts ? "" : " (COUNTS DIFFERED BETWEEN REFRESHES)");
  printf("%-50s %9s %9s %9s %9s\n", "", "min s", "median s", "max s", "x export");
  double exportMedian = results.regExport.Median();
  for (const Series* series : {&results.full, &results.loaders, &results.unchanged, &results.onePreset,
                               &results.oneFile, &results.regExport}) {
    printf("%-50s %9.3f %9.3f %9.3f %9.2f\n", series->name, series->Min(), series->Median(), series->Max(),
           exportMedian > 0 ? series->Median() / exportMedian : 0);
  }
  printf("\ntargets: full load <= 0.9 x reg export (%.2f); unchanged refresh <= 0.1 x full load (%.2f)\n",
         results.full.Median() / exportMedian, results.unchanged.Median() / results.full.Median());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? atoi(argv[1]) : 5;
  if (runs < 1) runs = 1;
  Store store;
  printf("building %d plug-ins x %d presets (1 in 10 in a %u-byte file), %d chains...\n", kPlugIns,
         kPresetsPerPlugIn, kFileSize, kChains);
  if (!BuildStore(&store)) {
    fprintf(stderr, "store_bench: the store could not be built\n");
    RemoveStore(store);
    return 1;
  }
  // A store in use was written long ago: a refresh reads again what was
  // written in its last few seconds. Waiting also lets the server make its
  // periodic save of the new store before anything is timed.
  printf("waiting for the store to settle...\n");
  std::this_thread::sleep_for(std::chrono::seconds(35));
  Results results;
  MeasureLoads(store, runs, &results);
  MeasureRefreshes(store, runs, &results);
  Print(store, runs, results);
  RemoveStore(store);
  return 0;
}
