// A system store of the test's own: the store's keys and the test's class
// registrations are removed before and after each test (natively the whole
// memory registry is cleared), and DefLocation of both store keys points
// into a temporary folder, so preset files never land anywhere else.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/chain_collection.h"
#include "model/plugin_collection.h"
#include "platform/registry.h"
#include "support/temp_folder.h"

// Class keys of test plug-ins, in the order the registry enumerates them.
extern const char* const kClassA;
extern const char* const kClassB;
extern const char* const kClassC;
extern const char* const kClassD;

class SystemStoreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // "Software\DirectShow\Presets\<classKey>", "...\FX Packages\<keyName>",
  // "Software\Veltrane\Cantorel\Presets\<name>".
  static std::string PlugInKey(const char* classKey);
  static std::string ChainKeyPath(const char* keyName);
  static std::string EditorKey(const char* name);

  // Sets a value below HKEY_CURRENT_USER, creating the key.
  static void SetValue(const std::string& key, const char* name, uint32_t type, const void* data, uint32_t size);
  static void SetBinary(const std::string& key, const char* name, const std::vector<unsigned char>& bytes);
  static void SetText(const std::string& key, const char* name, const std::string& text, uint32_t type = 1);
  static void SetDword(const std::string& key, const char* name, uint32_t value);
  // A complete chain key with a stream held in the registry.
  static void SetChain(const char* keyName, const char* name, const std::vector<unsigned char>& stream);

  // The value as stored: type and bytes; false when it is missing.
  static bool QueryValue(const std::string& key, const char* name, uint32_t* type, std::vector<unsigned char>* bytes);
  static std::string QueryText(const std::string& key, const char* name);
  static bool KeyExists(const std::string& key);

  // Registers (or removes) a plug-in class under the classes root.
  void Register(const char* classKey, const char* name);
  static void Unregister(const char* classKey);

  // Writes a file into the temporary folder and gives its full path.
  std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) const;

  TempFolder folder_;
  std::string presetFolder_;  // DefLocation of the DirectShow key
  std::string chainFolder_;   // DefLocation of the chains key

 private:
  static void RemoveStore();
  std::vector<std::string> registered_;
};

// Bytes of `size` that differ from those of another seed.
std::vector<unsigned char> Pattern(uint32_t size, unsigned seed);

// Everything a loader gives, in order, with every byte: two collections are
// the same exactly when their descriptions are.
std::string Describe(const PlugInCollection* plugIns, const ChainCollection* chains);
// The same of what the loaders give now.
std::string DescribeFullLoad();
// What the records hold, whatever their order and whatever names the
// entries show (a put keeps the package's name, a load the registered or
// Not Installed one): one sorted line per preset, under its plug-in's class
// key or effect name, and per chain.
std::string DescribeHoldings(const PlugInCollection* plugIns, const ChainCollection* chains);
std::string DescribeHoldingsOfFullLoad();
