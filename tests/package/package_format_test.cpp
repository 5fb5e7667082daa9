// The writer's bytes, checked against the layout field by field, and read back.
#include <gtest/gtest.h>

#include "package/package_fixture.h"
#include "package/package_file.h"

namespace {

constexpr const char* kClassKey = "{5A1C0E10-2B3D-4E5F-8091-A2B3C4D5E6F7}";

uint32_t SizeAt(const ByteVector& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

using PackageFormat = PackageTest;

TEST_F(PackageFormat, EmptyCollectionsGiveTheBare36BytePackage) {
  const ByteVector expected = {'R', 'I', 'F', 'F', 0x1C, 0, 0, 0, 'V', 'T', 'P', 'D', 'f', 'm', 't', ' ', 0x10, 0, 0, 0,
                              0,   0,   1,   0,   0,    0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0};
  ASSERT_EQ(0, Save());
  EXPECT_EQ(expected, FileBytes());
  ASSERT_EQ(0, WritePackage(temp_.Join("absent.vtpreset").c_str(), nullptr, nullptr));
  EXPECT_EQ(expected, FileBytes("absent.vtpreset"));

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  EXPECT_EQ(0, read.plugIns->GetCount());
  EXPECT_EQ(0, read.chains->GetChainCount());
}

TEST_F(PackageFormat, OnePresetOfThreeBytes) {
  PlugInEntry* entry = AddPlugIn(plugIns_.get(), "Studio Reverb", kClassKey);
  AddPreset(entry, "Hall", {1, 2, 3});
  ASSERT_EQ(0, Save());
  ByteVector bytes = FileBytes();
  ASSERT_EQ(1236u, bytes.size());
  EXPECT_EQ(1228u, SizeAt(bytes, 4));     // form
  EXPECT_EQ(1192u, SizeAt(bytes, 40));    // plgs
  EXPECT_EQ(1180u, SizeAt(bytes, 52));    // plug
  EXPECT_EQ(552u, SizeAt(bytes, 680));    // plst
  EXPECT_EQ(540u, SizeAt(bytes, 692));    // pset
  EXPECT_EQ(528u, SizeAt(bytes, 704));    // psth
  ByteVector expected = Form({PackageHeader(1, 0),
                             List("plgs", {List("plug", {PlugInHead(0, kClassKey, "Studio Reverb"),
                                                         List("plst", {PresetList("Hall", {1, 2, 3})})})})});
  EXPECT_EQ(expected, bytes);

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.plugIns->GetCount());
  const PlugInEntry* back = read.plugIns->Get(0);
  EXPECT_STREQ("Studio Reverb", back->name);
  EXPECT_STREQ(kClassKey, back->classKey);
  ASSERT_EQ(1, back->GetPresetCount());
  EXPECT_STREQ("Hall", back->GetPreset(0)->name);
  EXPECT_EQ(ByteVector({1, 2, 3}), Contents(back->GetPreset(0)->data));
}

TEST_F(PackageFormat, OddChainStreamHasNoPadByteButItsSizesCountOne) {
  ChainRecord* chain = AddChain(chains_.get(), "Vocal Chain", "Chain0001", {9, 8, 7, 6, 5});
  chain->flags = 0x11;
  chain->type = 2;
  ASSERT_EQ(0, Save());
  ByteVector bytes = FileBytes();
  ASSERT_EQ(689u, bytes.size());
  EXPECT_EQ(682u, SizeAt(bytes, 4));   // form
  EXPECT_EQ(646u, SizeAt(bytes, 40));  // clst
  EXPECT_EQ(634u, SizeAt(bytes, 52));  // chn
  EXPECT_EQ(622u, SizeAt(bytes, 64));  // chnh
  EXPECT_EQ(0u, SizeAt(bytes, 68));    // the plug-in name count: nothing fills the list
  EXPECT_EQ(ByteVector({9, 8, 7, 6, 5}), ByteVector(bytes.end() - 5, bytes.end()));

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(1, read.chains->GetChainCount());
  const ChainRecord* back = read.chains->Get(0);
  EXPECT_STREQ("Vocal Chain", back->name);
  EXPECT_STREQ("Chain0001", back->keyName);
  EXPECT_EQ(0x11u, back->flags);
  EXPECT_EQ(2u, back->type);
  EXPECT_EQ(ByteVector({9, 8, 7, 6, 5}), Contents(back->stream));
}

// Every shape at once: odd data before more presets, odd streams before more
// chains, an editor entry, names at their longest, flags carried unchanged.
TEST_F(PackageFormat, EverythingWrittenReadsBackInOrder) {
  std::string longName(259, 'n');
  longName.replace(0, 6, "\xC3\xA9t\xC3\xA9 ");  // two-byte characters near the start
  PlugInEntry* first = AddPlugIn(plugIns_.get(), longName.c_str(), kClassKey, 0x80000000u);
  AddPreset(first, "Odd", {1, 2, 3, 4, 5});
  AddPreset(first, longName.c_str(), {6, 7});
  PlugInEntry* editor = AddPlugIn(plugIns_.get(), "Reverb", "", kPlugInEditorBit);
  AddPreset(editor, "(Untitled)", ByteVector(300, 0xAB));
  AddChain(chains_.get(), "One", "Chain0001", {1});
  AddChain(chains_.get(), "Three", "Chain0002", {1, 2, 3});
  AddChain(chains_.get(), "Even", "Chain0003", {1, 2, 3, 4});
  ASSERT_EQ(0, Save());

  ReadResult read = Load();
  ASSERT_EQ(0, read.status);
  ASSERT_EQ(2, read.plugIns->GetCount());
  const PlugInEntry* back = read.plugIns->Get(0);
  EXPECT_EQ(longName, back->name);
  EXPECT_EQ(0x80000000u, back->flags);
  ASSERT_EQ(2, back->GetPresetCount());
  EXPECT_EQ(5u, back->GetPreset(0)->data.Size());
  EXPECT_EQ(longName, back->GetPreset(1)->name);
  EXPECT_EQ(ByteVector({6, 7}), Contents(back->GetPreset(1)->data));
  const PlugInEntry* backEditor = read.plugIns->Get(1);
  EXPECT_STREQ("Reverb", backEditor->name);
  EXPECT_STREQ("", backEditor->classKey);
  EXPECT_TRUE(backEditor->IsEditor());
  ASSERT_EQ(3, read.chains->GetChainCount());
  for (int32_t i = 0; i < 3; ++i) EXPECT_STREQ(chains_->Get(i)->keyName, read.chains->Get(i)->keyName);
  EXPECT_EQ(ByteVector({1, 2, 3, 4}), Contents(read.chains->Get(2)->stream));
}

}  // namespace
