// A large collection answers its searches from an index; the answers must
// be those of a walk over the entries, first match first, whatever the
// collection went through.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "platform/text.h"

namespace {

PlugInEntry* WalkSame(const PlugInCollection& collection, const PlugInEntry& probe) {
  for (const std::unique_ptr<PlugInEntry>& entry : collection.Entries()) {
    if (entry->IsSamePlugIn(probe)) return entry.get();
  }
  return nullptr;
}

PlugInEntry* WalkName(const PlugInCollection& collection, const char* text) {
  for (const std::unique_ptr<PlugInEntry>& entry : collection.Entries()) {
    if (entry->MatchesName(text)) return entry.get();
  }
  return nullptr;
}

std::unique_ptr<PlugInEntry> Entry(const char* name, const char* classKey, uint32_t flags) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name, classKey);
  entry->flags = flags;
  return entry;
}

// Names and keys that tempt an index: letter case, accents, one name for a
// plug-in and an editor effect, one class key with other flags, duplicates.
const char* const kNames[] = {"Reverb", "reverb", "R\xC3\xA9verb", "R\xC3\x89VERB", "Echo", "Veltrane Cantorel Echo",
                              "Delay", "", "Not Installed 000", "\xE5\xA3\xB0"};
const char* const kKeys[] = {"{A}", "{a}", "{B}", "", "{C}"};

TEST(PlugInIndexTest, SearchesAnswerAsAWalkWould) {
  std::unique_ptr<PlugInCollection> collection = PlugInCollection::Create();
  std::vector<std::unique_ptr<PlugInEntry>> probes;
  for (const char* name : kNames) {
    for (const char* key : kKeys) {
      for (uint32_t flags : {0u, 1u, 0x100u}) probes.push_back(Entry(name, key, flags));
    }
  }
  for (size_t i = 0; i < probes.size(); i += 3) ASSERT_EQ(0, collection->Append(Entry(probes[i]->name, probes[i]->classKey, probes[i]->flags)));
  ASSERT_GE(collection->GetCount(), 16);

  auto check = [&](const char* when) {
    for (const std::unique_ptr<PlugInEntry>& probe : probes) {
      ASSERT_EQ(WalkSame(*collection, *probe), collection->FindSamePlugIn(*probe))
          << when << ": " << probe->name << " " << probe->classKey << " " << probe->flags;
    }
    for (const char* name : kNames) {
      ASSERT_EQ(WalkName(*collection, name), collection->FindPlugInByName(name)) << when << ": " << name;
      std::string display = std::string("VELTRANE CANTOREL ") + name;
      ASSERT_EQ(WalkName(*collection, display.c_str()), collection->FindPlugInByName(display.c_str())) << when;
    }
  };
  check("built");
  // Entries leave from the front, the middle and the end, and come again.
  collection->Remove(collection->Get(0));
  collection->Remove(collection->Get(collection->GetCount() / 2));
  collection->Remove(collection->Get(collection->GetCount() - 1));
  check("after removals");
  for (size_t i = 1; i < probes.size(); i += 7) {
    ASSERT_EQ(0, collection->Append(Entry(probes[i]->name, probes[i]->classKey, probes[i]->flags)));
  }
  check("after appends");
  while (collection->GetCount() > 20) collection->Remove(collection->Get(1));
  check("emptied down");

  char name[32];
  collection->MakeNotInstalledName(name, sizeof(name));
  EXPECT_EQ(nullptr, WalkName(*collection, name));
}

}  // namespace

namespace {

PresetRecord* WalkPreset(const PlugInEntry& entry, const char* name) {
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    if (Text_EqualNoCase(preset->name, name)) return preset.get();
  }
  return nullptr;
}

TEST(PlugInIndexTest, ALongPresetListIsSearchedAsAWalkWould) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Echo", "{E}");
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) names.push_back("Preset " + std::to_string(i % 30));  // some twice
  names.push_back("Caf\xC3\xA9");
  names.push_back("CAF\xC3\x89");
  for (const std::string& name : names) ASSERT_EQ(0, entry->AppendPreset(PresetRecord::Create(name.c_str())));
  names.push_back("missing");
  names.push_back("preset 7");

  auto check = [&](const char* when) {
    for (const std::string& name : names) {
      ASSERT_EQ(WalkPreset(*entry, name.c_str()), entry->FindPreset(name.c_str())) << when << ": " << name;
    }
  };
  check("built");
  entry->RemovePreset(entry->GetPreset(3));
  entry->RemovePreset(entry->GetPreset(0));
  check("after removals");
  entry->RenamePreset(entry->GetPreset(5), "missing");
  entry->RenamePreset(entry->GetPreset(0), "Preset 29");
  check("after renames");
  ASSERT_EQ(0, entry->AppendPreset(PresetRecord::Create("preset 3")));
  check("after an append");
}

}  // namespace

namespace {

ChainRecord* WalkChain(const ChainCollection& chains, const char* name) {
  for (const std::unique_ptr<ChainRecord>& chain : chains.Chains()) {
    if (Text_EqualNoCase(chain->name, name)) return chain.get();
  }
  return nullptr;
}

TEST(ChainIndexTest, AManyChainCollectionIsSearchedAsAWalkWould) {
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) names.push_back("Chain " + std::to_string(i % 40));
  names.push_back("Caf\xC3\xA9");
  names.push_back("CAF\xC3\x89");
  for (const std::string& name : names) {
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    chain->SetName(name.c_str());
    ASSERT_EQ(0, chains->Append(std::move(chain)));
  }
  names.push_back("chain 39");
  names.push_back("absent");
  auto check = [&](const char* when) {
    for (const std::string& name : names) {
      ASSERT_EQ(WalkChain(*chains, name.c_str()), chains->FindChainByName(name.c_str())) << when << ": " << name;
    }
  };
  check("built");
  chains->Remove(chains->Get(0));
  chains->Remove(chains->Get(10));
  check("after removals");
  chains->Get(4)->SetName("absent");
  chains->NamesChanged();
  check("after a rename");
}

}  // namespace
