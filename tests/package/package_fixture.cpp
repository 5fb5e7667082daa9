#include "package/package_fixture.h"

#include "package/package_file.h"

ReadResult ReadPackageAt(const std::string& path) {
  ReadResult result{0, Owned<PlugInCollection>(PlugInCollection::Create()), Owned<ChainCollection>(ChainCollection::Create())};
  result.status = ReadPackage(path.c_str(), result.plugIns.get(), result.chains.get());
  return result;
}

PlugInEntry* AddPlugIn(PlugInCollection* plugIns, const char* name, const char* classKey, uint32_t flags) {
  PlugInEntry* entry = PlugInEntry::Create(name, classKey);
  entry->flags = flags;
  EXPECT_EQ(0, plugIns->Append(entry));
  return entry;
}

PresetRecord* AddPreset(PlugInEntry* entry, const char* name, const ByteBlock& data) {
  PresetRecord* preset = PresetRecord::Create(name);
  EXPECT_EQ(0, preset->SetData(data.data(), static_cast<uint32_t>(data.size())));
  EXPECT_EQ(0, entry->AppendPreset(preset));
  return preset;
}

ChainRecord* AddChain(ChainCollection* chains, const char* name, const char* keyName, const ByteBlock& stream) {
  ChainRecord* chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(keyName);
  EXPECT_EQ(0, chain->SetStream(stream.data(), static_cast<uint32_t>(stream.size())));
  EXPECT_EQ(0, chains->Append(chain));
  return chain;
}

PackageTest::PackageTest() : plugIns_(PlugInCollection::Create()), chains_(ChainCollection::Create()) {}

void PackageTest::SetUp() { ASSERT_TRUE(plugIns_ && chains_); }

int32_t PackageTest::Save(const std::string& name) {
  return WritePackage(temp_.Join(name).c_str(), plugIns_.get(), chains_.get());
}

ByteBlock PackageTest::FileBytes(const std::string& name) {
  ByteBlock bytes;
  EXPECT_TRUE(ReadWholeFile(temp_.Join(name), &bytes));
  return bytes;
}

ReadResult PackageTest::LoadBytes(const ByteBlock& bytes) {
  std::string path = temp_.Join("given.vtpreset");
  EXPECT_TRUE(WriteWholeFile(path, bytes));
  return ReadPackageAt(path);
}
