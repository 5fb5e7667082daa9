// Writes the fuzzers' seed corpora: well-formed packages made by the writer,
// one for each shape the reader has to walk, and journals likewise.
#include <cstdio>
#include <string>

#include "journal/journal_file.h"
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

// Journals of the shapes a group leaves: values and files present and
// absent, odd lengths (padding), created keys and folders.
int WriteJournalSeeds(const char* folder) {
  Journal journal;
  journal.operation = JournalOperation::Copy;
  journal.time = 1700000000;
  journal.items = {"the preset \"Warm\" of Studio Reverb", "the chain \"Vocal\""};
  JournalValue value;
  value.key = "Software\\DirectShow\\Presets\\{0A000000-0000-4000-8000-00000000000A}";
  value.name = "Warm";
  value.present = true;
  value.type = 3;
  value.bytes.assign(11, 0x5A);
  journal.values.push_back(value);
  value.item = 1;
  value.name = "Stream";
  value.present = false;
  value.bytes.clear();
  journal.values.push_back(value);
  JournalFile file;
  file.path = "C:\\Presets\\{0A000000-0000-4000-8000-00000000000A}\\Warm.dxp";
  file.present = true;
  file.bytes.assign(301, 0xA5);
  journal.files.push_back(file);
  file.item = 1;
  file.path += ".tmp";
  file.present = false;
  file.bytes.clear();
  journal.files.push_back(file);
  journal.createdKeys = {"Software\\DirectShow\\Presets\\FX Packages"};
  journal.createdFolders = {"C:\\Presets\\{0A000000-0000-4000-8000-00000000000A}"};
  std::string path = std::string(folder) + "/group.journal";
  Journal empty;
  empty.operation = JournalOperation::Delete;
  std::string emptyPath = std::string(folder) + "/empty.journal";
  if (WriteJournal(path.c_str(), journal) != 0 || WriteJournal(emptyPath.c_str(), empty) != 0) {
    fprintf(stderr, "make_seeds: cannot write the journals in %s\n", folder);
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    fputs("usage: make_seeds FOLDER [JOURNAL-FOLDER]\n", stderr);
    return 2;
  }
  if (argc == 3 && WriteJournalSeeds(argv[2]) != 0) return 1;
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
