// Writes the fuzzer's seed corpus: well-formed packages made by the writer,
// one for each shape the reader has to walk.
#include <cstdio>
#include <string>

#include "model/store_records.h"
#include "package/package_file.h"

namespace {

struct SeedPreset {
  const char* name;
  uint32_t size;
};

struct SeedPlugIn {
  const char* name;
  const char* classKey;
  uint32_t flags;
  SeedPreset presets[3];
};

struct SeedChain {
  const char* name;
  const char* keyName;
  uint32_t size;
};

struct Seed {
  const char* file;
  SeedPlugIn plugIns[3];
  SeedChain chains[3];
};

const char* const kLong =
    "A name of two hundred and fifty-nine bytes \xC3\xA9\xC3\xA8 with accents and more words to fill it up: "
    "reverb, delay, chorus, flanger, phaser, compressor, limiter, gate, expander, equaliser, filter, distortion, "
    "saturation, exciter, widener, pitch shifter, vocoder, de-esser, maximiser.";

const Seed kSeeds[] = {
    {"empty.vtpreset", {}, {}},
    {"one-preset.vtpreset", {{"Studio Reverb", "{5A1C0E10-2B3D-4E5F-8091-A2B3C4D5E6F7}", 0, {{"Hall", 3}}}}, {}},
    {"one-chain.vtpreset", {}, {{"Vocal", "Chain0001", 5}}},
    {"mixed.vtpreset",
     {{"Delay", "{00000000-1111-4222-8333-444444444444}", 0x80000000u, {{"Odd", 5}, {"Even", 6}, {"Big", 700}}},
      {"Reverb", "", 1, {{"(Untitled)", 1}, {"Room", 255}}},
      {"Chorus", "{99999999-8888-4777-8666-555555555555}", 0, {{"Wide", 256}}}},
     {{"One", "Chain0001", 1}, {"Two", "Chain0002", 2}, {"Three", "Chain0003", 3}}},
    {"long-names.vtpreset", {{kLong, "{ABCDEFAB-CDEF-4ABC-8DEF-ABCDEFABCDEF}", 0, {{kLong, 9}}}}, {{kLong, "Chain0004", 4}}},
    {"no-presets.vtpreset", {{"Empty", "{12345678-1234-4123-8123-123456789ABC}", 0, {}}}, {}},
};

int32_t Build(const Seed& seed, PlugInCollection* plugIns, ChainCollection* chains) {
  for (const SeedPlugIn& plugIn : seed.plugIns) {
    if (plugIn.name == nullptr) break;
    std::unique_ptr<PlugInEntry> created = PlugInEntry::Create(plugIn.name, plugIn.classKey);
    PlugInEntry* entry = created.get();
    if (plugIns->Append(std::move(created)) != 0) return -1;
    entry->flags = plugIn.flags;
    for (const SeedPreset& seedPreset : plugIn.presets) {
      if (seedPreset.name == nullptr) break;
      std::unique_ptr<PresetRecord> preset = PresetRecord::Create(seedPreset.name);
      std::string bytes(seedPreset.size, '\0');
      for (uint32_t i = 0; i < seedPreset.size; ++i) bytes[i] = static_cast<char>(i * 7 + 1);
      if (!preset || preset->data.Assign(bytes.data(), seedPreset.size) != 0) return -1;
      if (entry->AppendPreset(std::move(preset)) != 0) return -1;
    }
  }
  for (const SeedChain& seedChain : seed.chains) {
    if (seedChain.name == nullptr) break;
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    if (!chain) return -1;
    chain->SetName(seedChain.name);
    chain->SetKeyName(seedChain.keyName);
    std::string stream(seedChain.size, 'S');
    if (chain->stream.Assign(stream.data(), seedChain.size) != 0) return -1;
    if (chains->Append(std::move(chain)) != 0) return -1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: make_seeds FOLDER\n", stderr);
    return 2;
  }
  for (const Seed& seed : kSeeds) {
    StoreRecords package;
    std::string path = std::string(argv[1]) + "/" + seed.file;
    int32_t status = package.CreateEmpty() ? Build(seed, package.plugIns.get(), package.chains.get()) : -1;
    if (status == 0) status = WritePackage(path.c_str(), package.plugIns.get(), package.chains.get());
    if (status != 0) {
      fprintf(stderr, "make_seeds: cannot write %s (0x%08X)\n", path.c_str(), static_cast<unsigned>(status));
      return 1;
    }
  }
  return 0;
}
