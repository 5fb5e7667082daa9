// Plug-in entries, their presets and the plug-in collection.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/plugin_collection.h"

namespace {

struct Destroy {
  void operator()(ModelObject* object) const { DestroyModelObject(object); }
};
template <class T>
using Owned = std::unique_ptr<T, Destroy>;

Owned<PlugInEntry> Editor(const char* name) {
  Owned<PlugInEntry> entry(PlugInEntry::Create(name));
  entry->flags = kPlugInEditorBit;
  return entry;
}

PresetRecord* Preset(const char* name, const std::string& bytes) {
  PresetRecord* preset = PresetRecord::Create(name);
  EXPECT_EQ(0, preset->SetData(bytes.data(), static_cast<uint32_t>(bytes.size())));
  return preset;
}

TEST(PresetRecordTest, CopyFromTakesAFreshCopyOfTheBytes) {
  Owned<PresetRecord> source(Preset("Hall", "abc")), target(Preset("Old", "0123456789"));
  ASSERT_EQ(0, target->CopyFrom(*source));
  EXPECT_STREQ("Hall", target->name);
  ASSERT_EQ(3u, target->dataSize);
  EXPECT_NE(source->data, target->data);
  EXPECT_EQ(0, memcmp("abc", target->data, 3));

  Owned<PresetRecord> empty(PresetRecord::Create("Empty"));
  ASSERT_EQ(0, target->CopyFrom(*empty));
  EXPECT_EQ(0u, target->dataSize);
  EXPECT_EQ(nullptr, target->data);
  EXPECT_EQ(0, target->CopyFrom(*target));
}

TEST(PresetRecordTest, NamesAreCutAt259Characters) {
  std::string longName(300, 'n');
  Owned<PresetRecord> preset(PresetRecord::Create(longName.c_str()));
  EXPECT_EQ(longName.substr(0, 259), preset->name);
  Owned<PlugInEntry> entry(PlugInEntry::Create(longName.c_str(), "{0123456789ABCDEF0123456789ABCDEF01234567}"));
  EXPECT_EQ(259u, strlen(entry->name));
  EXPECT_STREQ("{0123456789ABCDEF0123456789ABCDEF012345", entry->classKey);
  // A cut never splits a character: 130 two-byte letters keep 129 of them.
  std::string accented;
  for (int i = 0; i < 130; ++i) accented += "\xC3\xA9";
  preset->SetName(accented.c_str());
  EXPECT_EQ(258u, strlen(preset->name));
}

TEST(PlugInEntryTest, EditorEntriesMatchTheirNameAndTheirDisplayName) {
  Owned<PlugInEntry> editor = Editor("Reverb");
  char display[260];
  editor->GetDisplayName(display, sizeof(display));
  EXPECT_STREQ("Veltrane Cantorel Reverb", display);
  EXPECT_TRUE(editor->MatchesName("reverb"));
  EXPECT_TRUE(editor->MatchesName("VELTRANE CANTOREL REVERB"));
  EXPECT_FALSE(editor->MatchesName("Cantorel Reverb"));

  Owned<PlugInEntry> plugIn(PlugInEntry::Create("Reverb", "{A}"));
  plugIn->GetDisplayName(display, sizeof(display));
  EXPECT_STREQ("Reverb", display);
  EXPECT_TRUE(plugIn->MatchesName("REVERB"));
  EXPECT_FALSE(plugIn->MatchesName("Veltrane Cantorel Reverb"));

  char small[12];
  editor->GetDisplayName(small, sizeof(small));
  EXPECT_STREQ("Veltrane Ca", small);
}

TEST(PlugInEntryTest, SamePlugInNeedsEqualFlagsAndTheRightKindOfKey) {
  Owned<PlugInEntry> upper(PlugInEntry::Create("Echo", "{ABCD}"));
  Owned<PlugInEntry> lower(PlugInEntry::Create("Echo", "{abcd}"));
  Owned<PlugInEntry> renamed(PlugInEntry::Create("Other name", "{ABCD}"));
  EXPECT_TRUE(upper->IsSamePlugIn(*renamed));
  EXPECT_FALSE(upper->IsSamePlugIn(*lower));  // class keys compare with letter case

  // Same name, but one is the editor's own effect: never the same plug-in.
  Owned<PlugInEntry> editor = Editor("Echo");
  Owned<PlugInEntry> plugIn(PlugInEntry::Create("Echo", ""));
  EXPECT_FALSE(editor->IsSamePlugIn(*plugIn));
  EXPECT_FALSE(plugIn->IsSamePlugIn(*editor));
  Owned<PlugInEntry> otherEditor = Editor("ECHO");
  EXPECT_TRUE(editor->IsSamePlugIn(*otherEditor));
  otherEditor->flags |= 0x100;  // carried bits count too
  EXPECT_FALSE(editor->IsSamePlugIn(*otherEditor));
}

TEST(PlugInEntryTest, PresetsAreFoundInAnyLetterCaseAndRemoved) {
  Owned<PlugInEntry> entry(PlugInEntry::Create("Echo", "{E}"));
  ASSERT_EQ(0, entry->AppendPreset(Preset("Short", "a")));
  ASSERT_EQ(0, entry->AppendPreset(Preset("Long", "bb")));
  EXPECT_EQ(1, entry->FindPreset("LONG"));
  EXPECT_EQ(-1, entry->FindPreset("Medium"));
  entry->RemovePreset(0);
  EXPECT_EQ(1, entry->GetPresetCount());
  EXPECT_EQ(0, entry->FindPreset("long"));

  Owned<PlugInEntry> copy(PlugInEntry::CopyIdentity(*entry));
  EXPECT_STREQ("Echo", copy->name);
  EXPECT_STREQ("{E}", copy->classKey);
  EXPECT_EQ(0, copy->GetPresetCount());
}

TEST(PlugInCollectionTest, NotInstalledNamesTakeTheFirstFreeNumber) {
  Owned<PlugInCollection> collection(PlugInCollection::Create());
  char name[260];
  collection->MakeNotInstalledName(name, sizeof(name));
  EXPECT_STREQ("Not Installed 000", name);

  ASSERT_EQ(0, collection->Append(PlugInEntry::Create("Not Installed 000", "{0}")));
  ASSERT_EQ(0, collection->Append(PlugInEntry::Create("Not Installed 002", "{2}")));
  collection->MakeNotInstalledName(name, sizeof(name));
  EXPECT_STREQ("Not Installed 001", name);

  ASSERT_EQ(0, collection->Append(PlugInEntry::Create("not installed 001", "{1}")));
  collection->MakeNotInstalledName(name, sizeof(name));
  EXPECT_STREQ("Not Installed 003", name);
  char small[8];
  collection->MakeNotInstalledName(small, sizeof(small));
  EXPECT_STREQ("Not Ins", small);
}

TEST(PlugInCollectionTest, LookupsAndTotalsWalkEveryEntry) {
  Owned<PlugInCollection> collection(PlugInCollection::Create());
  Owned<PlugInEntry> probe(PlugInEntry::Create("anything", "{B}"));
  EXPECT_EQ(-1, collection->FindSamePlugIn(*probe));
  EXPECT_EQ(0u, collection->GetTotalPresetCount());

  PlugInEntry* a = PlugInEntry::Create("Alpha", "{A}");
  ASSERT_EQ(0, a->AppendPreset(Preset("1", "x")));
  PlugInEntry* b = PlugInEntry::Create("Beta", "{B}");
  ASSERT_EQ(0, b->AppendPreset(Preset("1", "x")));
  ASSERT_EQ(0, b->AppendPreset(Preset("2", "y")));
  Owned<PlugInEntry> editor = Editor("Gamma");
  ASSERT_EQ(0, collection->Append(a));
  ASSERT_EQ(0, collection->Append(b));
  ASSERT_EQ(0, collection->Append(editor.release()));

  EXPECT_EQ(1, collection->FindSamePlugIn(*probe));
  EXPECT_EQ(2, collection->FindPlugInByName("veltrane cantorel gamma"));
  EXPECT_EQ(0, collection->FindPlugInByName("ALPHA"));
  EXPECT_EQ(-1, collection->FindPlugInByName("Delta"));
  EXPECT_EQ(3u, collection->GetTotalPresetCount());

  collection->RemoveAt(0);
  EXPECT_EQ(2, collection->GetCount());
  EXPECT_EQ(0, collection->FindSamePlugIn(*probe));
}

}  // namespace
