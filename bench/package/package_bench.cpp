// Writes and reads a package of about 100 MB (some large presets, many small
// ones) and compares the times with copying the same file with cp; then
// reads packages of only tiny presets, timing the read and measuring the
// memory the records take against the file's size. Not a test: it prints
// figures.
//
// usage: package_bench FOLDER
//        package_bench --tiny FOLDER COUNT   (one package of COUNT one-byte presets)
#include <spawn.h>
#include <malloc.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "model/store_records.h"
#include "package/package_file.h"
#include "platform/file.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;
constexpr int kLargePresets = 32;
constexpr uint32_t kLargeSize = 2 * 1024 * 1024;
constexpr int kPlugIns = 200;
constexpr int kSmallPerPlugIn = 150;
constexpr uint32_t kSmallSize = 500;
constexpr int kChains = 1000;
constexpr uint32_t kChainSize = 301;

int32_t AddPreset(PlugInEntry* entry, int number, const std::vector<unsigned char>& bytes, uint32_t size) {
  char name[64];
  snprintf(name, sizeof(name), "Preset %05d", number);
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
  if (!preset) return E_OUTOFMEMORY;
  int32_t status = preset->data.Assign(bytes.data(), size);
  return status != 0 ? status : entry->AppendPreset(std::move(preset));
}

int32_t Fill(StoreRecords* store) {
  std::vector<unsigned char> bytes(kLargeSize);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31 + (i >> 9));
  for (int p = 0; p < kPlugIns; ++p) {
    char name[64], key[64];
    snprintf(name, sizeof(name), "Plug-In %03d", p);
    snprintf(key, sizeof(key), "{%08X-0000-4000-8000-000000000000}", p);
    std::unique_ptr<PlugInEntry> created = PlugInEntry::Create(name, key);
    PlugInEntry* entry = created.get();
    if (store->plugIns->Append(std::move(created)) != 0) return E_OUTOFMEMORY;
    for (int s = 0; s < kSmallPerPlugIn; ++s) {
      int32_t status = AddPreset(entry, s, bytes, kSmallSize + static_cast<uint32_t>(s % 7));
      if (status != 0) return status;
    }
    if (p < kLargePresets) {
      int32_t status = AddPreset(entry, 99999, bytes, kLargeSize);
      if (status != 0) return status;
    }
  }
  for (int c = 0; c < kChains; ++c) {
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    if (!chain) return E_OUTOFMEMORY;
    char name[64];
    snprintf(name, sizeof(name), "Chain%04d", c);
    chain->SetName(name);
    chain->SetKeyName(name);
    int32_t status = chain->stream.Assign(bytes.data(), kChainSize);
    if (status == 0) status = store->chains->Append(std::move(chain));
    if (status != 0) return status;
  }
  return 0;
}

// Runs a program and waits for it; true when it exits with 0.
bool RunProgram(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The median of kRuns timings of `work`, in milliseconds; negative when it failed.
template <class Work>
double MedianMs(Work work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    if (!work()) return -1;
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[kRuns / 2];
}

// Bytes of memory the process has allocated and not freed.
uint64_t MemoryInUse() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

// Writes a package of `count` one-byte presets spread over plug-ins of
// 10,000, then reads it once; prints the time and the memory its records
// hold.
int Tiny(const std::string& folder, int count) {
  std::string path = folder + "/tiny.vtpreset";
  {
    StoreRecords store;
    if (!store.CreateEmpty()) return 1;
    PlugInEntry* entry = nullptr;
    const unsigned char byte = 0x5A;
    for (int i = 0; i < count; ++i) {
      if (i % 10000 == 0) {
        char name[64], key[64];
        snprintf(name, sizeof(name), "Plug-In %05d", i / 10000);
        snprintf(key, sizeof(key), "{%08X-0000-4000-8000-000000000001}", i / 10000);
        std::unique_ptr<PlugInEntry> created = PlugInEntry::Create(name, key);
        entry = created.get();
        if (store.plugIns->Append(std::move(created)) != 0) return 1;
      }
      char name[32];
      snprintf(name, sizeof(name), "T%d", i);
      std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
      if (!preset || preset->data.Assign(&byte, 1) != 0 || entry->AppendPreset(std::move(preset)) != 0) return 1;
    }
    if (WritePackage(path.c_str(), store.plugIns.get(), store.chains.get()) != 0) return 1;
  }
  FileInfo info{};
  File_GetInfo(path.c_str(), &info);
  uint64_t before = MemoryInUse();
  auto start = std::chrono::steady_clock::now();
  StoreRecords back;
  bool read = back.CreateEmpty() && ReadPackage(path.c_str(), *back.plugIns, *back.chains) == 0;
  double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  uint64_t grown = MemoryInUse() - before;
  File_Delete(path.c_str());
  if (!read || static_cast<int>(back.plugIns->GetTotalPresetCount()) != count) {
    fputs("package_bench: the tiny package did not read back\n", stderr);
    return 1;
  }
  printf("tiny: %d presets, %.1f MB file, read in %.0f ms, %.1f MB of memory (%.2f x the file)\n", count,
         info.size / 1e6, ms, grown / 1e6, static_cast<double>(grown) / static_cast<double>(info.size));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--tiny") return Tiny(argv[2], atoi(argv[3]));
  if (argc != 2) {
    fputs("usage: package_bench FOLDER | --tiny FOLDER COUNT\n", stderr);
    return 2;
  }
  std::string package = std::string(argv[1]) + "/bench.vtpreset";
  std::string copy = std::string(argv[1]) + "/copy.vtpreset";
  StoreRecords store;
  if (!store.CreateEmpty() || Fill(&store) != 0) {
    fputs("package_bench: out of memory\n", stderr);
    return 1;
  }

  double write = MedianMs([&] { return WritePackage(package.c_str(), store.plugIns.get(), store.chains.get()) == 0; });
  double read = MedianMs([&] {
    StoreRecords back;
    return back.CreateEmpty() && ReadPackage(package.c_str(), *back.plugIns, *back.chains) == 0;
  });
  double cp = MedianMs([&] { return RunProgram({"cp", package, copy}); });
  // The writer flushes the package before it replaces the old one; cp does not.
  double cpSync = MedianMs([&] { return RunProgram({"cp", package, copy}) && RunProgram({"sync", copy}); });
  FileInfo info{};
  File_GetInfo(package.c_str(), &info);
  File_Delete(copy.c_str());
  File_Delete(package.c_str());
  if (write < 0 || read < 0 || cp < 0 || cpSync < 0) {
    fputs("package_bench: a step failed\n", stderr);
    return 1;
  }

  printf("package: %.1f MB, %u presets, %d chains (median of %d runs)\n", info.size / 1e6,
         store.plugIns->GetTotalPresetCount(), kChains, kRuns);
  printf("write:        %8.1f ms   %.2f x cp, %.2f x cp + sync\n", write, write / cp, write / cpSync);
  printf("read:         %8.1f ms   %.2f x cp\n", read, read / cp);
  printf("cp:           %8.1f ms\n", cp);
  printf("cp + sync:    %8.1f ms\n", cpSync);
  return 0;
}
