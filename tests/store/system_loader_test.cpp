#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "store/preset_value.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

class SystemLoader : public SystemStoreTest {
 protected:
  void Load() {
    chains_ = LoadSystemChains();
    plugIns_ = LoadSystemPlugIns();
  }
  const PlugInEntry* Entry(const char* name) const {
    return plugIns_ != nullptr ? plugIns_->FindPlugInByName(name) : nullptr;
  }
  std::vector<std::string> PresetNames(const char* entryName) const {
    std::vector<std::string> names;
    const PlugInEntry* entry = Entry(entryName);
    for (int32_t i = 0; entry != nullptr && i < entry->GetPresetCount(); ++i) {
      names.push_back(entry->GetPreset(i)->name);
    }
    return names;
  }
  std::vector<std::string> EntryNames() const {
    std::vector<std::string> names;
    for (int32_t i = 0; plugIns_ != nullptr && i < plugIns_->GetCount(); ++i) names.push_back(plugIns_->Get(i)->name);
    return names;
  }
  std::vector<std::string> ChainNames() const {
    std::vector<std::string> names;
    for (int32_t i = 0; chains_ != nullptr && i < chains_->GetChainCount(); ++i) names.push_back(chains_->Get(i)->name);
    return names;
  }

  std::unique_ptr<PlugInCollection> plugIns_;
  std::unique_ptr<ChainCollection> chains_;
};

using Names = std::vector<std::string>;

TEST_F(SystemLoader, UninstalledPlugInsAreNumberedInKeyOrderSkippingThoseWithoutPresets) {
  SetBinary(PlugInKey(kClassA), "a1", Pattern(10, 1));
  // Only values that are no presets: no entry, and no number used.
  SetBinary(PlugInKey(kClassB), kDefaultValueName, Pattern(10, 2));
  SetBinary(PlugInKey(kClassB), "(UNTITLED)", Pattern(10, 3));
  SetBinary(PlugInKey(kClassC), "c1", Pattern(10, 4));
  Register(kClassC, "Studio Reverb");
  SetBinary(PlugInKey(kClassD), "d1", Pattern(10, 5));
  Load();
  EXPECT_EQ((Names{"Not Installed 000", "Studio Reverb", "Not Installed 001"}), EntryNames());
  EXPECT_STREQ(kClassD, Entry("Not Installed 001")->classKey);

  // A registration without a name is no name to show.
  Register(kClassA, "");
  Load();
  EXPECT_EQ((Names{"Not Installed 000", "Studio Reverb", "Not Installed 001"}), EntryNames());

  // Two loads of an unchanged store name everything alike.
  std::string first = DescribeFullLoad();
  EXPECT_EQ(first, DescribeFullLoad());
}

TEST_F(SystemLoader, OnlyBinaryValuesAndTextsNamingReadableFilesArePresets) {
  std::string key = PlugInKey(kClassA);
  SetBinary(key, "inline", Pattern(300, 1));
  SetBinary(key, "empty", {});
  SetDword(key, "word", 7);
  SetText(key, "file", WriteFile("whole.dxp", Pattern(4096, 2)));
  SetText(key, "missing", folder_.Join("missing.dxp"));
  SetText(key, "no bytes", WriteFile("empty.dxp", {}));
  SetText(key, "expandable", WriteFile("expand.dxp", Pattern(5, 3)), kRegExpandSz);
  // A path stored without its terminating NUL is still read whole.
  std::string bare = WriteFile("bare.dxp", Pattern(6, 4));
  SetValue(key, "bare", kRegSz, bare.data(), static_cast<uint32_t>(bare.size()));
  // The unnamed default value is a preset with an empty name; as a text,
  // only when it names a file.
  SetBinary(key, "", Pattern(4, 5));
  SetText(PlugInKey(kClassB), "", folder_.Join("missing.dxp"));
  // Names and paths of any characters, whose bytes may outnumber the
  // characters the registry counts.
  SetText(key, "R\xC3\xA9verb \xE2\x98\x83", WriteFile("\xC3\xA9t\xC3\xA9 \xE2\x98\x83.dxp", Pattern(7, 6)));
  Load();
  EXPECT_EQ((Names{"Not Installed 000"}), EntryNames());

  ASSERT_NE(nullptr, Entry("Not Installed 000"));
  EXPECT_EQ((Names{"", "bare", "file", "inline", "R\xC3\xA9verb \xE2\x98\x83"}), PresetNames("Not Installed 000"));
  const PlugInEntry* entry = Entry("Not Installed 000");
  const PresetRecord* file = entry->FindPreset("file");
  ASSERT_EQ(4096u, file->data.Size());
  EXPECT_EQ(Pattern(4096, 2), std::vector<unsigned char>(file->data.Bytes(), file->data.Bytes() + file->data.Size()));
  EXPECT_EQ(6u, entry->FindPreset("bare")->data.Size());
}

TEST_F(SystemLoader, EditorEffectsFollowThePlugInsAndKeepUntitledPresets) {
  SetBinary(EditorKey("Reverb"), kUntitledName, Pattern(3, 1));
  SetBinary(EditorKey("Reverb"), kDefaultValueName, Pattern(3, 2));
  SetBinary(EditorKey("Reverb"), "Hall", Pattern(3, 3));
  SetBinary(EditorKey("Chainer"), "x", Pattern(3, 4));
  SetBinary(EditorKey("(untitled)"), "y", Pattern(3, 5));
  SetBinary(PlugInKey(kClassA), "a", Pattern(3, 6));
  // The chains key below the plug-ins is no plug-in.
  SetChain("chain1", "Vocal Chain", Pattern(3, 7));
  Load();
  EXPECT_EQ((Names{"Not Installed 000", "Reverb"}), EntryNames());
  const PlugInEntry* reverb = Entry("Veltrane Cantorel Reverb");
  ASSERT_NE(nullptr, reverb);
  EXPECT_TRUE(reverb->IsEditor());
  EXPECT_STREQ("", reverb->classKey);
  EXPECT_EQ((Names{"(Untitled)", "Hall"}), PresetNames("Reverb"));
}

TEST_F(SystemLoader, MissingStoreKeysGiveAbsentCollections) {
  Load();
  EXPECT_EQ(nullptr, plugIns_);
  EXPECT_EQ(nullptr, chains_);  // the chains key holds only DefLocation

  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  SetBinary(EditorKey("Delay"), "Slap", Pattern(3, 1));
  Load();
  EXPECT_EQ((Names{"Delay"}), EntryNames());
  EXPECT_EQ(nullptr, chains_);
}

TEST_F(SystemLoader, ChainKeysNeedAllFourValuesOfTheRightTypes) {
  SetChain("a-good", "Good", Pattern(20, 1));
  SetChain("b-file", "Fr\xC3\xB6m File", {});
  SetText(ChainKeyPath("b-file"), kChainStreamValue, WriteFile("ch\xC3\xA4in \xE2\x98\x83.vtg", Pattern(600, 2)));
  SetDword(ChainKeyPath("c-no-type"), kChainFlagsValue, 1);
  SetText(ChainKeyPath("c-no-type"), kChainNameValue, "No Type");
  SetBinary(ChainKeyPath("c-no-type"), kChainStreamValue, Pattern(3, 3));
  SetChain("d-expand-name", "x", Pattern(3, 4));
  SetText(ChainKeyPath("d-expand-name"), kChainNameValue, "Expandable", kRegExpandSz);
  SetChain("e-binary-flags", "Binary Flags", Pattern(3, 5));
  SetBinary(ChainKeyPath("e-binary-flags"), kChainFlagsValue, {1, 0, 0, 0});
  SetChain("f-long-name", "y", Pattern(3, 6));
  SetText(ChainKeyPath("f-long-name"), kChainNameValue, std::string(260, 'n'));
  // A name longer than a record holds is never cut.
  SetChain("f2-too-long", "z", Pattern(3, 6));
  SetText(ChainKeyPath("f2-too-long"), kChainNameValue, std::string(kNameSize, 'n'));
  SetChain("g-missing-file", "Missing File", {});
  SetText(ChainKeyPath("g-missing-file"), kChainStreamValue, folder_.Join("gone.vtg"));
  SetChain(std::string(40, 'k').c_str(), "Key Name Too Long", Pattern(3, 7));
  SetChain("h-empty-stream", "Empty Stream", {});
  SetChain("i-last", "Last", Pattern(3, 8));
  Load();

  EXPECT_EQ((Names{"Good", "Fr\xC3\xB6m File", std::string(260, 'n'), "Last"}), ChainNames());
  const ChainRecord* good = chains_->Get(0);
  EXPECT_STREQ("a-good", good->keyName);
  EXPECT_EQ(1u, good->flags);
  EXPECT_EQ(2u, good->type);
  EXPECT_EQ(Pattern(20, 1), std::vector<unsigned char>(good->stream.Bytes(), good->stream.Bytes() + good->stream.Size()));
  EXPECT_EQ(600u, chains_->Get(1)->stream.Size());
}

TEST_F(SystemLoader, ReadingAValueTellsWhyItGivesNoPreset) {
  std::string path = WriteFile("held.dxp", Pattern(300, 1));
  SetText(PlugInKey(kClassA), "held", path);
  SetText(PlugInKey(kClassA), "missing", folder_.Join("missing.dxp"));
  SetText(PlugInKey(kClassA), "empty file", WriteFile("empty.dxp", {}));
  SetBinary(PlugInKey(kClassA), "empty", {});
  SetDword(PlugInKey(kClassA), "word", 1);
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), PlugInKey(kClassA).c_str(), RegAccess::Read, key.Out()));

  PresetBytes data;
  EXPECT_EQ(kErrorFileNotFound, ReadPresetBytes(key.Get(), "nothing", &data));
  EXPECT_EQ(kErrorInvalidData, ReadPresetBytes(key.Get(), "word", &data));
  EXPECT_EQ(E_OUTOFMEMORY, ReadPresetBytes(key.Get(), "empty", &data));
  EXPECT_EQ(E_OUTOFMEMORY, ReadPresetBytes(key.Get(), "empty file", &data));
  EXPECT_EQ(E_FILE_NOT_FOUND, ReadPresetBytes(key.Get(), "missing", &data));
  {
    // Another program holds the file open without sharing it: it exists,
    // but cannot be read now.
    ScopedFile held;
    ASSERT_EQ(0, File_Open(path.c_str(), kFileRead, kShareNone, FileCreate::OpenExisting, 0, held.Out()));
    EXPECT_EQ(E_RIFF_READ, ReadPresetBytes(key.Get(), "held", &data));
  }
  ASSERT_EQ(0, ReadPresetBytes(key.Get(), "held", &data));
  EXPECT_EQ(Pattern(300, 1), std::vector<unsigned char>(data.data.Bytes(), data.data.Bytes() + data.data.Size()));
  EXPECT_EQ(path, data.path);
}

}  // namespace
