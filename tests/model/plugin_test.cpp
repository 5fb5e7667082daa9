// Plug-in entries, their presets and the plug-in collection.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "model/plugin_collection.h"

namespace {

std::unique_ptr<PlugInEntry> Editor(const char* name) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name);
  entry->flags = kPlugInEditorBit;
  return entry;
}

std::unique_ptr<PresetRecord> Preset(const char* name, const std::string& bytes) {
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
  EXPECT_EQ(0, preset->data.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
  return preset;
}

TEST(PresetRecordTest, CopyFromTakesAFreshCopyOfTheBytes) {
  std::unique_ptr<PresetRecord> source = Preset("Hall", "abc"), target = Preset("Old", "0123456789");
  ASSERT_EQ(0, target->CopyFrom(*source));
  EXPECT_STREQ("Hall", target->name);
  ASSERT_EQ(3u, target->data.Size());
  EXPECT_NE(source->data.Bytes(), target->data.Bytes());
  EXPECT_EQ(0, memcmp("abc", target->data.Bytes(), 3));

  std::unique_ptr<PresetRecord> empty = PresetRecord::Create("Empty");
  ASSERT_EQ(0, target->CopyFrom(*empty));
  EXPECT_EQ(0u, target->data.Size());
  EXPECT_EQ(nullptr, target->data.Bytes());
  EXPECT_EQ(0, target->CopyFrom(*target));
}

// A record holds any name of 259 UTF-16 units whole, whatever its bytes;
// only a longer text is cut, and never inside a character.
TEST(PresetRecordTest, NamesOf259CharactersAreWholeAndLongerTextsCutWholeCharacters) {
  std::string euros;
  for (int i = 0; i < 259; ++i) euros += "\xE2\x82\xAC";
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(euros.c_str());
  EXPECT_EQ(euros, preset->name);
  std::string longName(kNameSize + 20, 'n');
  std::unique_ptr<PlugInEntry> entry =
      PlugInEntry::Create(longName.c_str(), "{0123456789ABCDEF0123456789ABCDEF01234567}");
  EXPECT_EQ(kNameSize - 1, strlen(entry->name));
  EXPECT_STREQ("{0123456789ABCDEF0123456789ABCDEF012345", entry->classKey);
  preset->SetName((euros + "\xE2\x82\xAC").c_str());
  EXPECT_EQ(euros, preset->name);
}

TEST(PlugInEntryTest, EditorEntriesMatchTheirNameAndTheirDisplayName) {
  std::unique_ptr<PlugInEntry> editor = Editor("Reverb");
  char display[260];
  editor->GetDisplayName(display, sizeof(display));
  EXPECT_STREQ("Veltrane Cantorel Reverb", display);
  EXPECT_TRUE(editor->MatchesName("reverb"));
  EXPECT_TRUE(editor->MatchesName("VELTRANE CANTOREL REVERB"));
  EXPECT_FALSE(editor->MatchesName("Cantorel Reverb"));

  std::unique_ptr<PlugInEntry> plugIn = PlugInEntry::Create("Reverb", "{A}");
  plugIn->GetDisplayName(display, sizeof(display));
  EXPECT_STREQ("Reverb", display);
  EXPECT_TRUE(plugIn->MatchesName("REVERB"));
  EXPECT_FALSE(plugIn->MatchesName("Veltrane Cantorel Reverb"));

  char small[12];
  editor->GetDisplayName(small, sizeof(small));
  EXPECT_STREQ("Veltrane Ca", small);
}

TEST(PlugInEntryTest, SamePlugInNeedsEqualFlagsAndTheRightKindOfKey) {
  std::unique_ptr<PlugInEntry> upper = PlugInEntry::Create("Echo", "{ABCD}");
  std::unique_ptr<PlugInEntry> lower = PlugInEntry::Create("Echo", "{abcd}");
  std::unique_ptr<PlugInEntry> renamed = PlugInEntry::Create("Other name", "{ABCD}");
  EXPECT_TRUE(upper->IsSamePlugIn(*renamed));
  EXPECT_FALSE(upper->IsSamePlugIn(*lower));  // class keys compare with letter case

  // Same name, but one is the editor's own effect: never the same plug-in.
  std::unique_ptr<PlugInEntry> editor = Editor("Echo");
  std::unique_ptr<PlugInEntry> plugIn = PlugInEntry::Create("Echo", "");
  EXPECT_FALSE(editor->IsSamePlugIn(*plugIn));
  EXPECT_FALSE(plugIn->IsSamePlugIn(*editor));
  std::unique_ptr<PlugInEntry> otherEditor = Editor("ECHO");
  EXPECT_TRUE(editor->IsSamePlugIn(*otherEditor));
  otherEditor->flags |= 0x100;  // carried bits count too
  EXPECT_FALSE(editor->IsSamePlugIn(*otherEditor));
}

TEST(PlugInEntryTest, PresetsAreFoundInAnyLetterCaseAndRemoved) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Echo", "{E}");
  ASSERT_EQ(0, entry->AppendPreset(Preset("Short", "a")));
  ASSERT_EQ(0, entry->AppendPreset(Preset("Long", "bb")));
  EXPECT_EQ(entry->GetPreset(1), entry->FindPreset("LONG"));
  EXPECT_EQ(nullptr, entry->FindPreset("Medium"));
  entry->RemovePreset(entry->GetPreset(0));
  EXPECT_EQ(1, entry->GetPresetCount());
  EXPECT_EQ(entry->GetPreset(0), entry->FindPreset("long"));

  std::unique_ptr<PlugInEntry> copy = PlugInEntry::CopyIdentity(*entry);
  EXPECT_STREQ("Echo", copy->name);
  EXPECT_STREQ("{E}", copy->classKey);
  EXPECT_EQ(0, copy->GetPresetCount());
}

TEST(PlugInCollectionTest, NotInstalledNamesTakeTheFirstFreeNumber) {
  std::unique_ptr<PlugInCollection> collection = PlugInCollection::Create();
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
  std::unique_ptr<PlugInCollection> collection = PlugInCollection::Create();
  std::unique_ptr<PlugInEntry> probe = PlugInEntry::Create("anything", "{B}");
  EXPECT_EQ(nullptr, collection->FindSamePlugIn(*probe));
  EXPECT_EQ(0u, collection->GetTotalPresetCount());

  std::unique_ptr<PlugInEntry> a = PlugInEntry::Create("Alpha", "{A}");
  ASSERT_EQ(0, a->AppendPreset(Preset("1", "x")));
  std::unique_ptr<PlugInEntry> b = PlugInEntry::Create("Beta", "{B}");
  ASSERT_EQ(0, b->AppendPreset(Preset("1", "x")));
  ASSERT_EQ(0, b->AppendPreset(Preset("2", "y")));
  PlugInEntry* alpha = a.get();
  PlugInEntry* beta = b.get();
  std::unique_ptr<PlugInEntry> editor = Editor("Gamma");
  PlugInEntry* gamma = editor.get();
  ASSERT_EQ(0, collection->Append(std::move(a)));
  ASSERT_EQ(0, collection->Append(std::move(b)));
  ASSERT_EQ(0, collection->Append(std::move(editor)));

  EXPECT_EQ(beta, collection->FindSamePlugIn(*probe));
  EXPECT_EQ(gamma, collection->FindPlugInByName("veltrane cantorel gamma"));
  EXPECT_EQ(alpha, collection->FindPlugInByName("ALPHA"));
  EXPECT_EQ(nullptr, collection->FindPlugInByName("Delta"));
  EXPECT_EQ(3u, collection->GetTotalPresetCount());

  collection->Remove(alpha);
  EXPECT_EQ(2, collection->GetCount());
  EXPECT_EQ(beta, collection->Get(0));
  EXPECT_EQ(beta, collection->FindSamePlugIn(*probe));
}

}  // namespace
