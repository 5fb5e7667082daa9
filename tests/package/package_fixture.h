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

// The collections a read fills.
struct ReadResult {
  int32_t status;
  std::unique_ptr<PlugInCollection> plugIns;
  std::unique_ptr<ChainCollection> chains;
  std::string problem;  // what the reader said is wrong with the file
};

ReadResult ReadPackageAt(const std::string& path);

// The bytes a record holds.
ByteVector Contents(const ByteBlock& block);

// Append records made from the values given; the collection or entry owns them.
PlugInEntry* AddPlugIn(PlugInCollection* plugIns, const char* name, const char* classKey, uint32_t flags = 0);
PresetRecord* AddPreset(PlugInEntry* entry, const char* name, const ByteVector& data);
ChainRecord* AddChain(ChainCollection* chains, const char* name, const char* keyName, const ByteVector& stream);

class PackageTest : public ::testing::Test {
 protected:
  PackageTest();
  void SetUp() override;

  // Writes the fixture's collections to `name` in the folder; gives the status.
  int32_t Save(const std::string& name = "package.vtpreset");
  // The bytes of a file in the folder.
  ByteVector FileBytes(const std::string& name = "package.vtpreset");
  ReadResult Load(const std::string& name = "package.vtpreset") { return ReadPackageAt(temp_.Join(name)); }
  ReadResult LoadBytes(const ByteVector& bytes);

  TempFolder temp_;
  std::unique_ptr<PlugInCollection> plugIns_;
  std::unique_ptr<ChainCollection> chains_;
};
