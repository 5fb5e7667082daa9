#include "package/package_fixture.h"

#include "package/package_file.h"

ReadResult ReadPackageAt(const std::string& path) {
  ReadResult result{0, PlugInCollection::Create(), ChainCollection::Create(), {}};
  const char* problem = nullptr;
  result.status = ReadPackage(path.c_str(), *result.plugIns, *result.chains, &problem);
  if (problem != nullptr) result.problem = problem;
  return result;
}

ByteVector Contents(const ByteBlock& block) { return ByteVector(block.Bytes(), block.Bytes() + block.Size()); }

PlugInEntry* AddPlugIn(PlugInCollection* plugIns, const char* name, const char* classKey, uint32_t flags) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name, classKey);
  entry->flags = flags;
  PlugInEntry* added = entry.get();
  EXPECT_EQ(0, plugIns->Append(std::move(entry)));
  return added;
}

PresetRecord* AddPreset(PlugInEntry* entry, const char* name, const ByteVector& data) {
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
  EXPECT_EQ(0, preset->data.Assign(data.data(), static_cast<uint32_t>(data.size())));
  PresetRecord* added = preset.get();
  EXPECT_EQ(0, entry->AppendPreset(std::move(preset)));
  return added;
}

ChainRecord* AddChain(ChainCollection* chains, const char* name, const char* keyName, const ByteVector& stream) {
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(keyName);
  EXPECT_EQ(0, chain->stream.Assign(stream.data(), static_cast<uint32_t>(stream.size())));
  ChainRecord* added = chain.get();
  EXPECT_EQ(0, chains->Append(std::move(chain)));
  return added;
}

PackageTest::PackageTest() : plugIns_(PlugInCollection::Create()), chains_(ChainCollection::Create()) {}

void PackageTest::SetUp() { ASSERT_TRUE(plugIns_ && chains_); }

int32_t PackageTest::Save(const std::string& name) {
  return WritePackage(temp_.Join(name).c_str(), plugIns_.get(), chains_.get());
}

ByteVector PackageTest::FileBytes(const std::string& name) {
  ByteVector bytes;
  EXPECT_TRUE(ReadWholeFile(temp_.Join(name), &bytes));
  return bytes;
}

ReadResult PackageTest::LoadBytes(const ByteVector& bytes) {
  std::string path = temp_.Join("given.vtpreset");
  EXPECT_TRUE(WriteWholeFile(path, bytes));
  return ReadPackageAt(path);
}
