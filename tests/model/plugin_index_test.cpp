// A large collection answers its searches from an index; the answers must
// be those of a walk over the entries, first match first, whatever the
// collection went through.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/plugin_collection.h"
#include "platform/text.h"

namespace {

struct Destroy {
  void operator()(ModelObject* object) const { DestroyModelObject(object); }
};

int32_t WalkSame(const PlugInCollection& collection, const PlugInEntry& probe) {
  for (int32_t i = 0; i < collection.GetCount(); ++i) {
    if (collection.Get(i)->IsSamePlugIn(probe)) return i;
  }
  return -1;
}

int32_t WalkName(const PlugInCollection& collection, const char* text) {
  for (int32_t i = 0; i < collection.GetCount(); ++i) {
    if (collection.Get(i)->MatchesName(text)) return i;
  }
  return -1;
}

PlugInEntry* Entry(const char* name, const char* classKey, uint32_t flags) {
  PlugInEntry* entry = PlugInEntry::Create(name, classKey);
  entry->flags = flags;
  return entry;
}

// Names and keys that tempt an index: letter case, accents, one name for a
// plug-in and an editor effect, one class key with other flags, duplicates.
const char* const kNames[] = {"Reverb", "reverb", "R\xC3\xA9verb", "R\xC3\x89VERB", "Echo", "Veltrane Cantorel Echo",
                              "Delay", "", "Not Installed 000", "\xE5\xA3\xB0"};
const char* const kKeys[] = {"{A}", "{a}", "{B}", "", "{C}"};

TEST(PlugInIndexTest, SearchesAnswerAsAWalkWould) {
  std::unique_ptr<PlugInCollection, Destroy> collection(PlugInCollection::Create());
  std::vector<PlugInEntry*> probes;
  for (const char* name : kNames) {
    for (const char* key : kKeys) {
      for (uint32_t flags : {0u, 1u, 0x100u}) probes.push_back(Entry(name, key, flags));
    }
  }
  for (size_t i = 0; i < probes.size(); i += 3) ASSERT_EQ(0, collection->Append(Entry(probes[i]->name, probes[i]->classKey, probes[i]->flags)));
  ASSERT_GE(collection->GetCount(), 16);

  auto check = [&](const char* when) {
    for (const PlugInEntry* probe : probes) {
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
  collection->RemoveAt(0);
  collection->RemoveAt(collection->GetCount() / 2);
  collection->RemoveAt(collection->GetCount() - 1);
  check("after removals");
  for (size_t i = 1; i < probes.size(); i += 7) {
    ASSERT_EQ(0, collection->Append(Entry(probes[i]->name, probes[i]->classKey, probes[i]->flags)));
  }
  check("after appends");
  while (collection->GetCount() > 20) collection->RemoveAt(1);
  check("emptied down");

  char name[32];
  collection->MakeNotInstalledName(name, sizeof(name));
  EXPECT_EQ(-1, WalkName(*collection, name));
  for (PlugInEntry* probe : probes) DestroyModelObject(probe);
}

}  // namespace

namespace {

int32_t WalkPreset(const PlugInEntry& entry, const char* name) {
  for (int32_t i = 0; i < entry.GetPresetCount(); ++i) {
    if (Text_EqualNoCase(entry.GetPreset(i)->name, name)) return i;
  }
  return -1;
}

TEST(PlugInIndexTest, ALongPresetListIsSearchedAsAWalkWould) {
  std::unique_ptr<PlugInEntry, Destroy> entry(PlugInEntry::Create("Echo", "{E}"));
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
  entry->RemovePreset(3);
  entry->RemovePreset(0);
  check("after removals");
  entry->RenamePreset(5, "missing");
  entry->RenamePreset(0, "Preset 29");
  check("after renames");
  ASSERT_EQ(0, entry->AppendPreset(PresetRecord::Create("preset 3")));
  check("after an append");
}

}  // namespace
