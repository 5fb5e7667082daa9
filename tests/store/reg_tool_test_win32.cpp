// The system store against a client we did not write: the system's own
// registry tool builds a store for the loaders, and reads back what the
// writers left.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/process.h"
#include "store/chain_store.h"
#include "store/preset_store.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

class RegTool : public SystemStoreTest {
 protected:
  void TearDown() override {
    Unregister(kClassC);
    SystemStoreTest::TearDown();
  }

  // Runs reg.exe with `arguments`; gives its exit code and keeps its output.
  uint32_t Reg(const std::string& arguments) {
    char output[16384];
    uint32_t exitCode = 0;
    EXPECT_EQ(0, Process_Run(("reg.exe " + arguments).c_str(), output, sizeof(output), &exitCode));
    output_ = output;
    return exitCode;
  }

  // A .reg file as the registry editor writes it: UTF-16 with its mark.
  std::string WriteRegFile(const std::string& text) {
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (char c : text) {
      if (c == '\n') {
        bytes.insert(bytes.end(), {'\r', 0});
      }
      bytes.insert(bytes.end(), {static_cast<unsigned char>(c), 0});
    }
    return WriteFile("store.reg", bytes);
  }

  static std::string Escaped(const std::string& path) {
    std::string out;
    for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
  }

  static std::vector<std::string> SortedPresetNames(const PlugInEntry* entry) {
    std::vector<std::string> names;
    for (int32_t i = 0; entry != nullptr && i < entry->GetPresetCount(); ++i) {
      names.push_back(entry->GetPreset(i)->name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string output_;
};

using Names = std::vector<std::string>;

TEST_F(RegTool, AStoreImportedByTheRegToolLoadsAsItShould) {
  std::string big = WriteFile("big.dxp", Pattern(4096, 1));
  std::string presets = std::string("HKEY_CURRENT_USER\\") + kDirectShowPresetsKey;
  std::string text = "Windows Registry Editor Version 5.00\n\n";
  text += "[" + presets + "\\" + kClassA + "]\n\"(Default)\"=hex:01,02\n\"Warm\"=hex:01,02,03\n";
  text += "\"Big\"=\"" + Escaped(big) + "\"\n\"Gone\"=\"" + Escaped(folder_.Join("gone.dxp")) + "\"\n\n";
  text += "[" + presets + "\\" + kClassB + "]\n\"(Untitled)\"=hex:05\n\"(Default)\"=hex:06\n\n";
  text += "[" + presets + "\\" + kClassC + "]\n\"Bright\"=hex:07\n\n";
  text += "[" + presets + "\\" + kClassD + "]\n\"Dark\"=hex:08\n@=hex:09\n\"Word\"=dword:00000001\n\n";
  text += "[" + presets + "\\FX Packages\\chain-1]\n\"Flags\"=dword:00000001\n\"Type\"=dword:00000002\n";
  text += "\"Name\"=\"Vocal\"\n\"Stream\"=hex:0a,0b\n\n";
  text += "[" + presets + "\\FX Packages\\chain-2]\n\"Flags\"=dword:00000001\n\"Name\"=\"No Type\"\n";
  text += "\"Stream\"=hex:0c\n\n";
  text += std::string("[HKEY_CURRENT_USER\\") + kEditorPresetsKey + "\\Reverb]\n\"(Untitled)\"=hex:0d\n";
  text += "\"(Default)\"=hex:0e\n\n";
  text += std::string("[HKEY_CLASSES_ROOT\\CLSID\\") + kClassC + "]\n@=\"Registered C\"\n";
  ASSERT_EQ(0u, Reg("import \"" + WriteRegFile(text) + "\"")) << output_;

  std::unique_ptr<PlugInCollection> plugIns = LoadSystemPlugIns();
  std::unique_ptr<ChainCollection> chains = LoadSystemChains();
  ASSERT_NE(nullptr, plugIns);
  ASSERT_EQ(4, plugIns->GetCount());
  EXPECT_STREQ("Not Installed 000", plugIns->Get(0)->name);
  EXPECT_STREQ(kClassA, plugIns->Get(0)->classKey);
  EXPECT_EQ((Names{"Big", "Warm"}), SortedPresetNames(plugIns->Get(0)));
  const PresetRecord* bigPreset = plugIns->Get(0)->FindPreset("Big");
  EXPECT_EQ(Pattern(4096, 1), std::vector<unsigned char>(bigPreset->data.Bytes(), bigPreset->data.Bytes() + bigPreset->data.Size()));
  EXPECT_STREQ("Registered C", plugIns->Get(1)->name);
  EXPECT_STREQ("Not Installed 001", plugIns->Get(2)->name);
  EXPECT_EQ((Names{"", "Dark"}), SortedPresetNames(plugIns->Get(2)));
  EXPECT_STREQ("Reverb", plugIns->Get(3)->name);
  EXPECT_EQ((Names{"(Untitled)"}), SortedPresetNames(plugIns->Get(3)));
  ASSERT_NE(nullptr, chains);
  ASSERT_EQ(1, chains->GetChainCount());
  EXPECT_STREQ("Vocal", chains->Get(0)->name);
  EXPECT_EQ(2u, chains->Get(0)->stream.Size());
}

TEST_F(RegTool, WhatTheWritersLeaveIsWhatTheRegToolFinds) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Studio Reverb", kClassA);
  std::unique_ptr<PresetRecord> warm = PresetRecord::Create("Warm");
  warm->data.Assign("\x01\x02\x03", 3);
  std::unique_ptr<PresetRecord> big = PresetRecord::Create("Big: One");
  std::vector<unsigned char> bigBytes = Pattern(300, 2);
  big->data.Assign(bigBytes.data(), 300);
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName("Vocal");
  chain->SetKeyName("chain-1");
  chain->flags = 3;
  chain->type = 4;
  chain->stream.Assign("\xAB\xCD", 2);
  Stores stores;
  RefreshSystemStore(stores, nullptr);
  ASSERT_EQ(0, PutPreset(stores, *entry, *warm, StoreId::System));
  ASSERT_EQ(0, PutPreset(stores, *entry, *big, StoreId::System));
  ASSERT_EQ(0, PutChain(stores, *chain, StoreId::System));

  std::string key = std::string("\"HKCU\\") + kDirectShowPresetsKey + "\\" + kClassA + "\"";
  std::string path = presetFolder_ + "\\" + kClassA + "\\Big_ One.dxp";
  ASSERT_EQ(0u, Reg("query " + key)) << output_;
  EXPECT_NE(std::string::npos, output_.find("Warm    REG_BINARY    010203")) << output_;
  EXPECT_NE(std::string::npos, output_.find("Big: One    REG_SZ    " + path)) << output_;
  std::vector<unsigned char> onDisk;
  ASSERT_TRUE(ReadWholeFile(path, &onDisk));
  EXPECT_EQ(bigBytes, onDisk);

  ASSERT_EQ(0u, Reg(std::string("query \"HKCU\\") + kChainsKey + "\\chain-1\"")) << output_;
  for (const char* line : {"Flags    REG_DWORD    0x3", "Name    REG_SZ    Vocal", "Type    REG_DWORD    0x4",
                           "Stream    REG_BINARY    ABCD"}) {
    EXPECT_NE(std::string::npos, output_.find(line)) << line << "\n" << output_;
  }

  ASSERT_EQ(0, RemovePreset(stores, *entry, *big, StoreId::System));
  EXPECT_NE(0u, Reg("query " + key + " /v \"Big: One\""));
  EXPECT_FALSE(File_Exists(path.c_str()));
  ASSERT_EQ(0, RemoveChain(stores, *chain, StoreId::System));
  EXPECT_NE(0u, Reg(std::string("query \"HKCU\\") + kChainsKey + "\\chain-1\""));
}

}  // namespace
