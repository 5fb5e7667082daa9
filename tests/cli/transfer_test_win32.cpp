// ordalis-cli export and import against a system store that the system's
// own registry tool wrote, checked with the same tool and the files.
#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/process.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"
#include "support/volatile_key.h"

namespace {

std::string Hex(const std::vector<unsigned char>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
  }
  return out;
}

class CliTransfer : public SystemStoreTest {
 protected:
  // Runs a program with `arguments`; gives its exit code and keeps what it printed.
  uint32_t Run(const std::string& commandLine) {
    char output[65536];
    uint32_t exitCode = 0;
    EXPECT_EQ(0, Process_Run(commandLine.c_str(), output, sizeof(output), &exitCode));
    output_ = output;
    return exitCode;
  }
  uint32_t Cli(const std::string& arguments) {
    char program[1024];
    EXPECT_EQ(0, File_GetModulePath(program, sizeof(program)));
    std::string cli(program);
    cli.erase(cli.rfind('\\') + 1);
    return Run("\"" + cli + "ordalis-cli.exe\" " + arguments);
  }
  uint32_t Reg(const std::string& arguments) { return Run("reg.exe " + arguments); }

  // A store as another program leaves it: inline presets, a preset and a
  // chain in files where this program keeps them, an editor effect.
  void WriteStoreWithRegTool() {
    std::string user = "HKCU\\";
    std::string plugIn = user + PlugInKey(kClassA);
    ASSERT_EQ(0u, Reg("add \"" + plugIn + "\" /v Warm /t REG_BINARY /d 0102ab /f")) << output_;
    ASSERT_EQ(0u, Reg("add \"" + plugIn + "\" /v \"Bright Room\" /t REG_BINARY /d " + Hex(Pattern(40, 1)) + " /f"));
    std::string folder = presetFolder_ + "\\" + kClassA;
    ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
    ASSERT_TRUE(WriteWholeFile(folder + "\\Big Hall.dxp", Pattern(3000, 2)));
    ASSERT_EQ(0u, Reg("add \"" + plugIn + "\" /v \"Big Hall\" /t REG_SZ /d \"" + folder + "\\Big Hall.dxp\" /f"));
    ASSERT_EQ(0u, Reg("add \"" + user + EditorKey("Delay") + "\" /v Slap /t REG_BINARY /d ff00 /f"));

    std::string chain = user + ChainKeyPath("Chain0001");
    ASSERT_EQ(0u, Reg("add \"" + chain + "\" /v Flags /t REG_DWORD /d 3 /f"));
    ASSERT_EQ(0u, Reg("add \"" + chain + "\" /v Type /t REG_DWORD /d 7 /f"));
    ASSERT_EQ(0u, Reg("add \"" + chain + "\" /v Name /t REG_SZ /d Mastering /f"));
    std::string chainFolder = chainFolder_ + "\\Chain0001";
    ASSERT_EQ(0, File_CreateFolderPath(chainFolder.c_str()));
    ASSERT_TRUE(WriteWholeFile(chainFolder + "\\Mastering.vtg", Pattern(700, 3)));
    ASSERT_EQ(0u, Reg("add \"" + chain + "\" /v Stream /t REG_SZ /d \"" + chainFolder + "\\Mastering.vtg\" /f"));
    Register(kClassA, "Studio Reverb");
  }

  // What the registry tool and the files say of the store.
  std::string Store() {
    std::string out;
    Reg("query HKCU\\Software\\DirectShow\\Presets /s");
    out += output_;
    Reg("query HKCU\\Software\\Veltrane\\Cantorel\\Presets /s");
    out += output_;
    return out + DescribeStoreOnDisk(folder_.Path());
  }

  // Beside the store's folder, not in it, so that it is no part of the store.
  std::string Package() const { return packages_.Join("out.vtpreset"); }

  // A package made by create from the JSON that list prints.
  void CreatePackage(const std::string& json) {
    std::string file = packages_.Join("package.json");
    ASSERT_TRUE(WriteWholeFile(file, std::vector<unsigned char>(json.begin(), json.end())));
    ASSERT_EQ(0u, Cli("create \"" + Package() + "\" --from-json \"" + file + "\"")) << output_;
  }
  static std::string PresetJson(const char* name, const std::vector<unsigned char>& data) {
    return std::string("{\"name\":\"") + name + "\",\"data\":\"" + Hex(data) + "\"}";
  }
  static std::string PlugInJson(const char* name, const char* classKey, const std::string& presets) {
    return std::string("{\"name\":\"") + name + "\",\"classKey\":\"" + classKey + "\",\"flags\":0,\"presets\":[" +
           presets + "]}";
  }
  static std::string ChainJson(const char* name, const char* keyName, const std::vector<unsigned char>& stream) {
    return std::string("{\"name\":\"") + name + "\",\"keyName\":\"" + keyName +
           "\",\"flags\":1,\"type\":2,\"stream\":\"" + Hex(stream) + "\"}";
  }
  static std::string PackageJson(const std::string& plugIns, const std::string& chains) {
    return "{\"plugins\":[" + plugIns + "],\"chains\":[" + chains + "]}";
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
  TempFolder packages_;
  std::string output_;
};

TEST_F(CliTransfer, ExportedPackagesListExactlyTheStoreWithItsBytes) {
  WriteStoreWithRegTool();
  ASSERT_EQ(0u, Cli("system --json --data")) << output_;
  std::string system = output_;
  EXPECT_NE(std::string::npos, system.find(Hex(Pattern(3000, 2)))) << system;
  EXPECT_NE(std::string::npos, system.find(Hex(Pattern(700, 3))));

  ASSERT_EQ(0u, Cli("export \"" + Package() + "\"")) << output_;
  EXPECT_NE(std::string::npos, output_.find("5 items copied")) << output_;
  ASSERT_EQ(0u, Cli("list \"" + Package() + "\" --json --data")) << output_;
  EXPECT_EQ(system, output_);

  // Named items only, into the package that now exists: they are there
  // already, so nothing is done without an answer for them.
  EXPECT_EQ(1u, Cli("export \"" + Package() + "\" --plugin \"studio reverb\" --chain MASTERING")) << output_;
  EXPECT_NE(std::string::npos, output_.find("Chain 'Mastering'")) << output_;
  EXPECT_EQ(0u, Cli("export \"" + Package() + "\" --plugin \"Veltrane Cantorel Delay\" --overwrite")) << output_;
  EXPECT_EQ(1u, Cli("export \"" + Package() + "\" --plugin Nobody")) << output_;
  EXPECT_NE(std::string::npos, output_.find("no plug-in named 'Nobody'")) << output_;
}

TEST_F(CliTransfer, MatchCopiesOnlyWhatTheFindBoxWouldShowAndNarrowsNamedItems) {
  WriteStoreWithRegTool();
  // "HALL" is in one preset's name; the chain, the other presets and the
  // editor effect stay behind.
  ASSERT_EQ(0u, Cli("export \"" + Package() + "\" --match HALL")) << output_;
  EXPECT_TRUE(Has(output_, "1 item copied")) << output_;
  ASSERT_EQ(0u, Cli("list \"" + Package() + "\" --json")) << output_;
  EXPECT_TRUE(Has(output_, "\"presets\":[{\"name\":\"Big Hall\",\"size\":3000}]}]")) << output_;
  EXPECT_FALSE(Has(output_, "Mastering")) << output_;

  // A plug-in found by its name keeps all its presets; with --plugin the
  // match narrows what the plug-in holds.
  ASSERT_EQ(0u, Cli("system --json --match delay")) << output_;
  EXPECT_TRUE(Has(output_, "\"name\":\"Slap\"")) << output_;
  EXPECT_FALSE(Has(output_, "Studio Reverb")) << output_;
  ASSERT_EQ(0u, Cli("export \"" + Package() + "\" --plugin \"Studio Reverb\" --match room --skip")) << output_;
  EXPECT_TRUE(Has(output_, "1 item copied")) << output_;
  ASSERT_EQ(0u, Cli("list \"" + Package() + "\" --match warm")) << output_;
  EXPECT_FALSE(Has(output_, "Warm")) << output_;  // never copied

  // Back into a store without the chain: only the matching chain comes.
  ASSERT_EQ(0u, Cli("export \"" + Package() + "\" --chain mastering --match MAST --skip")) << output_;
  ASSERT_EQ(0u, Reg("delete \"HKCU\\" + ChainKeyPath("Chain0001") + "\" /f")) << output_;
  ASSERT_EQ(0u, Cli("import \"" + Package() + "\" --match aster --skip")) << output_;
  EXPECT_TRUE(Has(output_, "1 item copied")) << output_;
  ASSERT_EQ(0u, Cli("system --match master")) << output_;
  EXPECT_TRUE(Has(output_, "Mastering")) << output_;
  EXPECT_EQ(2u, Cli("import \"" + Package() + "\" --match")) << output_;
}

TEST_F(CliTransfer, ImportIntoAnEmptyStoreReproducesIt) {
  WriteStoreWithRegTool();
  std::string before = Store();
  ASSERT_EQ(0u, Cli("export \"" + Package() + "\"")) << output_;

  // Empty the store, keeping only where its files go.
  ASSERT_EQ(0u, Reg("delete HKCU\\Software\\DirectShow\\Presets /f")) << output_;
  ASSERT_EQ(0u, Reg("delete HKCU\\Software\\Veltrane /f")) << output_;
  ASSERT_EQ(0, File_Delete((presetFolder_ + "\\" + kClassA + "\\Big Hall.dxp").c_str()));
  ASSERT_EQ(0, File_Delete((chainFolder_ + "\\Chain0001\\Mastering.vtg").c_str()));
  SetText(kDirectShowPresetsKey, kDefLocationValue, presetFolder_, kRegExpandSz);
  SetText(kChainsKey, kDefLocationValue, chainFolder_, kRegExpandSz);
  EXPECT_NE(before, Store());

  ASSERT_EQ(0u, Cli("import \"" + Package() + "\"")) << output_;
  EXPECT_EQ(before, Store());
}

TEST_F(CliTransfer, AnImportOverExistingItemsChangesNothingWithoutAnAnswer) {
  WriteStoreWithRegTool();
  ASSERT_EQ(0u, Cli("export \"" + Package() + "\"")) << output_;
  // The computer's presets move on after the export.
  ASSERT_EQ(0u, Reg("add \"HKCU\\" + PlugInKey(kClassA) + "\" /v Warm /t REG_BINARY /d 0909 /f"));
  ASSERT_EQ(0u, Reg("add \"HKCU\\" + PlugInKey(kClassA) + "\" /v Later /t REG_BINARY /d 01 /f"));
  std::string changed = Store();

  EXPECT_EQ(1u, Cli("import \"" + Package() + "\"")) << output_;
  EXPECT_NE(std::string::npos, output_.find("5 items already exist")) << output_;
  EXPECT_NE(std::string::npos, output_.find("Studio Reverb 'Warm'")) << output_;
  EXPECT_EQ(changed, Store());

  EXPECT_EQ(0u, Cli("import \"" + Package() + "\" --skip")) << output_;
  EXPECT_EQ(changed, Store());
  EXPECT_EQ(2u, Cli("import \"" + Package() + "\" --skip --overwrite"));
  EXPECT_EQ(0u, Cli("import \"" + Package() + "\" --overwrite")) << output_;
  Reg("query \"HKCU\\" + PlugInKey(kClassA) + "\" /v Warm");
  EXPECT_NE(std::string::npos, output_.find("0102AB")) << output_;
  EXPECT_EQ(1u, Cli("import \"" + folder_.Join("missing.vtpreset") + "\""));
}

TEST_F(CliTransfer, AnImportIntoAStoreThatRefusesWritesFailsAndClaimsNothing) {
  // A volatile key takes no stable subkeys: the plug-in's key cannot be made.
  ASSERT_EQ(0u, Reg("delete HKCU\\Software\\DirectShow\\Presets /f")) << output_;
  ASSERT_TRUE(CreateVolatileKey(kDirectShowPresetsKey));
  CreatePackage(PackageJson(PlugInJson("Studio Reverb", kClassA, PresetJson("Warm", Pattern(5, 1))), ""));
  std::string before = Store();

  EXPECT_EQ(1u, Cli("import \"" + Package() + "\"")) << output_;
  EXPECT_TRUE(Has(output_, "the preset \"Warm\" of Studio Reverb")) << output_;
  EXPECT_TRUE(Has(output_, "(0x800703FD)")) << output_;
  EXPECT_TRUE(Has(output_, "nothing was changed")) << output_;
  EXPECT_FALSE(Has(output_, "copied")) << output_;
  EXPECT_EQ(before, Store());
}

TEST_F(CliTransfer, AnImportThatCannotWriteItsThirdItemWritesNothingAndNamesIt) {
  ASSERT_EQ(0u, Reg(std::string("delete \"HKCU\\") + kChainsKey + "\" /f")) << output_;
  ASSERT_TRUE(CreateVolatileKey(kChainsKey));
  SetText(kChainsKey, kDefLocationValue, chainFolder_, kRegExpandSz);
  CreatePackage(PackageJson(PlugInJson("One", kClassA, PresetJson("Warm", Pattern(300, 1))) + "," +
                                PlugInJson("Two", kClassB, PresetJson("Cold", Pattern(5, 2))),
                            ChainJson("Vocal", "Chain0001", Pattern(400, 3)) + "," +
                                ChainJson("Drums", "Chain0002", Pattern(6, 4))));
  std::string before = Store();

  EXPECT_EQ(1u, Cli("import \"" + Package() + "\"")) << output_;
  EXPECT_TRUE(Has(output_, "the chain \"Vocal\"")) << output_;
  EXPECT_TRUE(Has(output_, "nothing was changed")) << output_;
  EXPECT_EQ(before, Store());
}

TEST_F(CliTransfer, AnImportKeepsSharedFilesAndChainsWhoseKeyNameItMeetsAgain) {
  // A vendor's installer points two values at one file of its own folder.
  std::string vendor = packages_.Join("vendor");
  ASSERT_EQ(0, File_CreateFolderPath(vendor.c_str()));
  std::string shared = vendor + "\\warm.dxp";
  ASSERT_TRUE(WriteWholeFile(shared, Pattern(500, 1)));
  std::string plugIn = "HKCU\\" + PlugInKey(kClassA);
  ASSERT_EQ(0u, Reg("add \"" + plugIn + "\" /v Warm /t REG_SZ /d \"" + shared + "\" /f")) << output_;
  ASSERT_EQ(0u, Reg("add \"" + plugIn + "\" /v \"Warm Copy\" /t REG_SZ /d \"" + shared + "\" /f")) << output_;
  std::string drums = "HKCU\\" + ChainKeyPath("Chain0001");
  ASSERT_EQ(0u, Reg("add \"" + drums + "\" /v Flags /t REG_DWORD /d 1 /f"));
  ASSERT_EQ(0u, Reg("add \"" + drums + "\" /v Type /t REG_DWORD /d 2 /f"));
  ASSERT_EQ(0u, Reg("add \"" + drums + "\" /v Name /t REG_SZ /d Drums /f"));
  ASSERT_EQ(0u, Reg("add \"" + drums + "\" /v Stream /t REG_BINARY /d 0102 /f"));
  CreatePackage(PackageJson(PlugInJson("Studio Reverb", kClassA, PresetJson("Warm", Pattern(300, 2))),
                            ChainJson("Vocal", "Chain0001", Pattern(8, 3))));

  ASSERT_EQ(0u, Cli("import \"" + Package() + "\" --overwrite")) << output_;
  EXPECT_TRUE(Has(output_, "2 items copied")) << output_;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(shared, &bytes));
  EXPECT_EQ(Pattern(500, 1), bytes);
  ASSERT_EQ(0u, Cli("system --json --data")) << output_;
  EXPECT_TRUE(Has(output_, "{\"name\":\"Warm Copy\",\"size\":500,")) << output_;
  EXPECT_TRUE(Has(output_, "{\"name\":\"Drums\",\"keyName\":\"Chain0001\"")) << output_;
  EXPECT_TRUE(Has(output_, "{\"name\":\"Vocal\",\"keyName\":\"Chain0001 (2)\"")) << output_;
}

TEST_F(CliTransfer, AValueWhoseFileCannotBeReadIsNeitherOverwrittenUnaskedNorDeleted) {
  std::string notes = packages_.Join("notes.txt");
  ASSERT_TRUE(WriteWholeFile(notes, {}));
  ASSERT_EQ(0u, Reg("add \"HKCU\\" + PlugInKey(kClassA) + "\" /v Notes /t REG_SZ /d \"" + notes + "\" /f"));
  CreatePackage(PackageJson(PlugInJson("Studio Reverb", kClassA, PresetJson("Notes", Pattern(300, 1))), ""));
  std::string before = Store();

  EXPECT_EQ(1u, Cli("import \"" + Package() + "\"")) << output_;
  EXPECT_TRUE(Has(output_, "'Notes'")) << output_;
  EXPECT_EQ(0u, Cli("import \"" + Package() + "\" --skip")) << output_;
  EXPECT_TRUE(Has(output_, "0 items copied")) << output_;
  EXPECT_EQ(before, Store());
  ASSERT_EQ(0u, Cli("import \"" + Package() + "\" --overwrite")) << output_;
  EXPECT_TRUE(File_Exists(notes.c_str()));
}

TEST_F(CliTransfer, ADefLocationThatIsNoAbsoluteFolderStopsALargeImport) {
  for (const char* location : {"rel\\dir", ""}) {
    SCOPED_TRACE(location);
    SetText(kDirectShowPresetsKey, kDefLocationValue, location, kRegExpandSz);
    CreatePackage(PackageJson(PlugInJson("Studio Reverb", kClassA, PresetJson("Large", Pattern(300, 1))), ""));
    std::string before = Store();
    EXPECT_EQ(1u, Cli("import \"" + Package() + "\"")) << output_;
    EXPECT_TRUE(Has(output_, "DefLocation of HKEY_CURRENT_USER\\Software\\DirectShow\\Presets")) << output_;
    EXPECT_EQ(before, Store());
  }
}

}  // namespace
