// Collections to write and read packages with, in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "package/package_bytes.h"
#include "platform/file.h"
#include "support/temp_folder.h"

struct DestroyModel {
  void operator()(ModelObject* object) const { DestroyModelObject(object); }
};
template <class T>
using Owned = std::unique_ptr<T, DestroyModel>;

// The collections a read fills.
struct ReadResult {
  int32_t status;
  Owned<PlugInCollection> plugIns;
  Owned<ChainCollection> chains;
};

ReadResult ReadPackageAt(const std::string& path);

// Append records made from the values given; the collection or entry owns them.
PlugInEntry* AddPlugIn(PlugInCollection* plugIns, const char* name, const char* classKey, uint32_t flags = 0);
PresetRecord* AddPreset(PlugInEntry* entry, const char* name, const ByteBlock& data);
ChainRecord* AddChain(ChainCollection* chains, const char* name, const char* keyName, const ByteBlock& stream);

class PackageTest : public ::testing::Test {
 protected:
  PackageTest();
  void SetUp() override;

  // Writes the fixture's collections to `name` in the folder; gives the status.
  int32_t Save(const std::string& name = "package.vtpreset");
  // The bytes of a file in the folder.
  ByteBlock FileBytes(const std::string& name = "package.vtpreset");
  ReadResult Load(const std::string& name = "package.vtpreset") { return ReadPackageAt(temp_.Join(name)); }
  ReadResult LoadBytes(const ByteBlock& bytes);

  TempFolder temp_;
  Owned<PlugInCollection> plugIns_;
  Owned<ChainCollection> chains_;
};
