// ordalis-cli system prints the system store as the loaders see it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/process.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"

namespace {

class CliSystem : public SystemStoreTest {
 protected:
  // Runs the ordalis-cli that was built beside this test program.
  uint32_t Cli(const char* arguments) {
    char program[1024];
    EXPECT_EQ(0, File_GetModulePath(program, sizeof(program)));
    std::string cli(program);
    cli.erase(cli.rfind('\\') + 1);
    char output[8192];
    uint32_t exitCode = 0;
    std::string command = "\"" + cli + "ordalis-cli.exe\" " + arguments;
    EXPECT_EQ(0, Process_Run(command.c_str(), output, sizeof(output), &exitCode));
    output_ = output;
    return exitCode;
  }

  // Registers a class with the system's registry tool in the registry view
  // of the other bitness, which this program does not see by default.
  void RegisterInOtherView(const char* classKey, const char* name) {
    otherView_.push_back(classKey);
    char output[1024];
    uint32_t exitCode = 1;
    std::string command = std::string("reg.exe add \"HKCR\\CLSID\\") + classKey + "\" /ve /d \"" + name + "\" /f " +
                          kOtherView;
    ASSERT_EQ(0, Process_Run(command.c_str(), output, sizeof(output), &exitCode));
    ASSERT_EQ(0u, exitCode) << output;
  }

  void TearDown() override {
    for (const char* classKey : otherView_) {
      char output[1024];
      uint32_t exitCode = 0;
      std::string command = std::string("reg.exe delete \"HKCR\\CLSID\\") + classKey + "\" /f " + kOtherView;
      Process_Run(command.c_str(), output, sizeof(output), &exitCode);
    }
    SystemStoreTest::TearDown();
  }

  static constexpr const char* kOtherView = sizeof(void*) == 8 ? "/reg:32" : "/reg:64";
  std::vector<const char*> otherView_;
  std::string output_;
};

TEST_F(CliSystem, PrintsTheStoreAsJsonWithItsBytesOrForPeople) {
  SetBinary(PlugInKey(kClassA), "Warm \"1\"", {0x01, 0xAB});
  Register(kClassA, "Studio Reverb");
  SetBinary(EditorKey("Delay"), "Slap", {0xFF});
  SetChain("chain-1", "Vocal", {0x0C, 0x0D});

  ASSERT_EQ(0u, Cli("system --json --data")) << output_;
  EXPECT_EQ(std::string("{\"plugins\":[") +
                "{\"name\":\"Studio Reverb\",\"displayName\":\"Studio Reverb\",\"classKey\":\"" + kClassA +
                "\",\"flags\":0,\"presets\":[{\"name\":\"Warm \\\"1\\\"\",\"size\":2,\"data\":\"01ab\"}]}," +
                "{\"name\":\"Delay\",\"displayName\":\"Veltrane Cantorel Delay\",\"classKey\":\"\",\"flags\":1," +
                "\"presets\":[{\"name\":\"Slap\",\"size\":1,\"data\":\"ff\"}]}]," +
                "\"chains\":[{\"name\":\"Vocal\",\"keyName\":\"chain-1\",\"flags\":1,\"type\":2,\"size\":2," +
                "\"stream\":\"0c0d\"}]}",
            output_.substr(0, output_.find_last_not_of("\r\n") + 1));

  ASSERT_EQ(0u, Cli("system")) << output_;
  EXPECT_NE(std::string::npos, output_.find("Veltrane Cantorel Delay")) << output_;
  EXPECT_NE(std::string::npos, output_.find("Vocal [chain-1] (2 bytes)")) << output_;

  EXPECT_EQ(2u, Cli("system --data"));
  EXPECT_EQ(2u, Cli("system extra"));
}

// On 64-bit Windows a 32-bit program sees only the 32-bit class
// registrations and a 64-bit one only the 64-bit ones; the plug-ins of the
// other bitness keep their names all the same, and the program's own view
// wins where both name a class.
TEST_F(CliSystem, NamesPlugInsRegisteredOnlyForTheOtherBitness) {
  SetBinary(PlugInKey(kClassA), "Warm", {0x01});
  SetBinary(PlugInKey(kClassB), "Cold", {0x02});
  RegisterInOtherView(kClassA, "Other Bitness Reverb");
  RegisterInOtherView(kClassB, "Other Bitness Delay");
  Register(kClassB, "Own Bitness Delay");

  BOOL wow64 = FALSE;
  if (sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64)) {
    // Two views: the class really is out of this program's own sight.
    ScopedRegKey own;
    EXPECT_EQ(kErrorFileNotFound, Reg_OpenKey(Reg_Root(RegRoot::ClassesRoot),
                                              (std::string("CLSID\\") + kClassA).c_str(), RegAccess::Read, own.Out()));
  }

  ASSERT_EQ(0u, Cli("system --json")) << output_;
  EXPECT_NE(std::string::npos, output_.find("{\"name\":\"Other Bitness Reverb\"")) << output_;
  EXPECT_NE(std::string::npos, output_.find("{\"name\":\"Own Bitness Delay\"")) << output_;
  EXPECT_EQ(std::string::npos, output_.find("Not Installed")) << output_;
}

}  // namespace
