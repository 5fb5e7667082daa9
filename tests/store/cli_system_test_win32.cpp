// ordalis-cli system prints the system store as the loaders see it.
#include <gtest/gtest.h>

#include <string>

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

}  // namespace
