// ordalis-cli as scripts run it: exit codes, output, and create and list
// giving each other's JSON back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "journal/journal_file.h"
#include "platform/file.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

struct CliRun {
  int exitCode;
  std::string out;
  std::string err;
};

std::string NativePath(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

class Cli : public ::testing::Test {
 protected:
  CliRun RunCli(std::vector<std::string> args) {
    std::string outPath = NativePath(temp_.Join("out.txt")), errPath = NativePath(temp_.Join("err.txt"));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    args.insert(args.begin(), ORDALIS_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    CliRun run{-1, "", ""};
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(0, spawned);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = Text("out.txt");
    run.err = Text("err.txt");
    return run;
  }
  std::string Text(const std::string& name) {
    std::vector<unsigned char> bytes;
    ReadWholeFile(temp_.Join(name), &bytes);
    return std::string(bytes.begin(), bytes.end());
  }
  std::string Put(const std::string& name, const std::string& text) {
    EXPECT_TRUE(WriteWholeFile(temp_.Join(name), std::vector<unsigned char>(text.begin(), text.end())));
    return NativePath(temp_.Join(name));
  }
  std::string Path(const std::string& name) { return NativePath(temp_.Join(name)); }

  TempFolder temp_;
};

// What list --json --data prints, displayName and size included.
const char* const kListed =
    "{\"plugins\":[{\"name\":\"Studio \\\"Reverb\\\"\",\"displayName\":\"Studio \\\"Reverb\\\"\","
    "\"classKey\":\"{5A1C0E10-2B3D-4E5F-8091-A2B3C4D5E6F7}\",\"flags\":2147483648,\"presets\":["
    "{\"name\":\"Hall\",\"size\":3,\"data\":\"0a0b0c\"},{\"name\":\"Caf\xC3\xA9\\u000a\",\"size\":2,\"data\":\"ff00\"}]},"
    "{\"name\":\"Reverb\",\"displayName\":\"Veltrane Cantorel Reverb\",\"classKey\":\"\",\"flags\":1,\"presets\":["
    "{\"name\":\"\",\"size\":1,\"data\":\"7f\"}]}],"
    "\"chains\":[{\"name\":\"Vocal\",\"keyName\":\"Chain0001\",\"flags\":3,\"type\":2,\"size\":5,\"stream\":\"0102030405\"},"
    "{\"name\":\"Drums\",\"keyName\":\"Chain0002\",\"flags\":0,\"type\":0,\"size\":1,\"stream\":\"ee\"}]}\n";

TEST_F(Cli, CreateAndListGiveEachOtherTheirJson) {
  CliRun created = RunCli({"create", Path("a.vtpreset"), "--from-json", Put("listed.json", kListed)});
  ASSERT_EQ(0, created.exitCode) << created.err;
  CliRun listed = RunCli({"list", Path("a.vtpreset"), "--json", "--data"});
  ASSERT_EQ(0, listed.exitCode) << listed.err;
  EXPECT_EQ(kListed, listed.out);
  EXPECT_EQ(std::string::npos, RunCli({"list", Path("a.vtpreset"), "--json"}).out.find("\"data\""));
  std::string tree = RunCli({"list", Path("a.vtpreset")}).out;
  EXPECT_NE(std::string::npos, tree.find("  Vocal [Chain0001] (5 bytes)\n"));
  // A line break in a name must not break the tree's lines.
  EXPECT_NE(std::string::npos, tree.find("    Caf\xC3\xA9\\x0A (2 bytes)\n")) << tree;

  // Without the ignored keys, spaced out, in capitals: the same package.
  const char* handWritten =
      "{\n  \"plugins\": [\n    {\"name\": \"X\", \"classKey\": \"{1}\", \"flags\": 0,\n"
      "     \"presets\": [ {\"name\": \"p\", \"data\": \"ABCDEF\"} ] }\n  ],\n"
      "  \"chains\": [ ]\n}\n";
  ASSERT_EQ(0, RunCli({"create", Path("b.vtpreset"), "--from-json", Put("hand.json", handWritten)}).exitCode);
  listed = RunCli({"list", "--json", Path("b.vtpreset"), "--data"});
  EXPECT_EQ("{\"plugins\":[{\"name\":\"X\",\"displayName\":\"X\",\"classKey\":\"{1}\",\"flags\":0,\"presets\":["
            "{\"name\":\"p\",\"size\":3,\"data\":\"abcdef\"}]}],\"chains\":[]}\n",
            listed.out);
  EXPECT_EQ("OK\n", RunCli({"check", Path("b.vtpreset")}).out);
}

TEST_F(Cli, FailuresAndBadUsageHaveTheirExitCodes) {
  CliRun run = RunCli({"--help"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_NE(std::string::npos, run.out.find("usage: ordalis-cli"));
  EXPECT_EQ(0, RunCli({"list", "--help"}).exitCode);
  for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"list"}, {"list", "a", "b"}, {"list", "a", "--data"}, {"check", "a", "--json"},
           {"create", "a"}, {"create", "a", "--from-json"}}) {
    run = RunCli(bad);
    EXPECT_EQ(2, run.exitCode);
    EXPECT_NE(std::string::npos, run.err.find("usage: ordalis-cli")) << run.err;
  }

  run = RunCli({"check", Path("missing.vtpreset")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("could not be opened")) << run.err;
  EXPECT_NE(std::string::npos, run.err.find("(0x8004E007)")) << run.err;
  // A pipe is no package: it is refused at once, not read until a writer comes.
  ASSERT_EQ(0, mkfifo(Path("pipe.vtpreset").c_str(), 0600));
  run = RunCli({"check", Path("pipe.vtpreset")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("(0x8004E007)")) << run.err;
  run = RunCli({"list", Put("not.vtpreset", "RIFF\x04\x00\x00\x00WAVE")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("(0x8004E00B)")) << run.err;
  EXPECT_EQ("", run.out);

  run = RunCli({"create", Path("c.vtpreset"), "--from-json", Put("bad.json", "{\"plugins\":[],\n\"chains\":[}")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("bad.json:2:11: expected '{'")) << run.err;
  run = RunCli({"create", Path("c.vtpreset"), "--from-json", Path("missing.json")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("cannot read")) << run.err;
  // A platform error is said in words, as the platform says it.
  EXPECT_NE(std::string::npos, run.err.find("cannot find the file specified. (0x80070002)")) << run.err;
  // What an import would refuse, create refuses too.
  run = RunCli({"create", Path("c.vtpreset"), "--from-json",
                Put("hostile.json", "{\"plugins\":[{\"name\":\"FX\",\"classKey\":\"FX Packages\",\"flags\":0,"
                                    "\"presets\":[{\"name\":\"p\",\"data\":\"01\"}]}],\"chains\":[]}")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("plug-in \"FX\"")) << run.err;
  EXPECT_FALSE(File_Exists(temp_.Join("c.vtpreset").c_str()));
  run = RunCli({"create", Path("no folder/c.vtpreset"), "--from-json", Put("empty.json", "{\"plugins\":[],\"chains\":[]}")});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_NE(std::string::npos, run.err.find("(0x8004E006)")) << run.err;
}

// The backups a store command finds: an unfinished change is taken back and
// said on stderr first, a finished one is listed, newest first.
TEST_F(Cli, BackupsAreListedAsJsonAfterAnUnfinishedChangeIsTakenBack) {
  std::string folder = temp_.Join("Veltrane\\Ordalis\\Journal");
  ASSERT_EQ(0, File_CreateFolderPath(folder.c_str()));
  Journal journal;
  journal.operation = JournalOperation::Import;
  journal.time = 1700000000;
  journal.items = {"the preset \"Warm\" of Studio Reverb", "the chain \"Vo\\cal\""};
  JournalValue value;
  value.key = "Software\\DirectShow\\Presets\\{0A000000-0000-4000-8000-00000000000A}";
  value.name = "Warm";
  value.present = true;
  value.type = 3;
  value.bytes = {1, 2};
  journal.values.push_back(value);
  ASSERT_EQ(0, WriteJournal((folder + "\\20231114-221320-00000001.journal").c_str(), journal));
  ASSERT_EQ(0, WriteJournalEnd((folder + "\\20231114-221320-00000001.done").c_str(), 0, {7, 8}));
  journal.operation = JournalOperation::Delete;
  ASSERT_EQ(0, WriteJournal((folder + "\\20231114-221321-00000001.journal").c_str(), journal));
  setenv("LOCALAPPDATA", temp_.Path().c_str(), 1);
  CliRun run = RunCli({"backups", "--json"});
  EXPECT_EQ(0, run.exitCode) << run.err;
  EXPECT_NE(std::string::npos, run.err.find("It was taken back: 1 items restored.")) << run.err;
  EXPECT_EQ("[\n  {\"id\": \"20231114-221320-00000001\", \"time\": \"2023-11-14T22:13:20Z\", "
            "\"operation\": \"Import\", \"items\": 2, \"names\": [\"the preset \\\"Warm\\\" of Studio Reverb\", "
            "\"the chain \\\"Vo\\\\cal\\\"\"]}\n]\n",
            run.out);

  run = RunCli({"restore", "20231114-000000-00000009"});
  EXPECT_EQ(1, run.exitCode);
  EXPECT_EQ(2, RunCli({"restore"}).exitCode);
  EXPECT_EQ(2, RunCli({"restore", "x", "--overwrite", "--skip"}).exitCode);
  unsetenv("LOCALAPPDATA");
}

}  // namespace
