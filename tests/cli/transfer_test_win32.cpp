// ordalis-cli export and import against a system store that the system's
// own registry tool wrote, checked with the same tool and the files.
#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "platform/process.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"

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

}  // namespace
