#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/status.h"
#include "support/temp_folder.h"

namespace {

std::vector<std::string> Split(const char* text) {
  VtList* args = nullptr;
  EXPECT_EQ(0, CommandLine_Split(text, &args));
  std::vector<std::string> result;
  for (int32_t i = 0; i < VtList_Count(args); ++i) result.push_back(VtList_At<const char>(args, i));
  VtList_Destroy(args);
  return result;
}

using Args = std::vector<std::string>;

TEST(CommandLineSplit, BlanksQuotesAndDoubledQuotes) {
  EXPECT_EQ(Args{}, Split(""));
  EXPECT_EQ(Args{}, Split(" \t\r\n "));
  EXPECT_EQ((Args{"Ordalis.exe", "a.vtpreset", "b"}), Split("  Ordalis.exe a.vtpreset\tb  "));
  EXPECT_EQ((Args{"C:\\My Presets\\bank.vtpreset"}), Split("\"C:\\My Presets\\bank.vtpreset\""));
  EXPECT_EQ((Args{"say \"hi\" now"}), Split("\"say \"\"hi\"\" now\""));
  EXPECT_EQ((Args{"ab c", "d"}), Split("a\"b c\" d"));  // quoting switches mid-argument
  EXPECT_EQ((Args{"", "x"}), Split("\"\" x"));
  EXPECT_EQ((Args{"open end"}), Split("\"open end"));
  EXPECT_EQ((Args{"line1", "line2"}), Split("line1\r\nline2\n"));
  EXPECT_EQ((Args{"Pr\xC3\xA9sets"}), Split("Pr\xC3\xA9sets"));
}

// The document as a command line leaves it.
struct Outcome {
  int32_t result;
  std::string path;
  bool untitled;
};

Outcome Handle(const std::string& commandLine) {
  DocumentRecord document;
  Document_SetUntitled(&document);
  int32_t result = CommandLine_Handle(commandLine.c_str(), &document);
  return {result, document.path, (document.flags & kDocUntitled) != 0};
}

TEST(CommandLineHandling, OptionsHelpAndQuestionMarkChangeNothing) {
  for (const char* line : {"Ordalis.exe", "Ordalis.exe -help", "Ordalis.exe /?", "Ordalis.exe -?", "Ordalis.exe /HeLp"}) {
    SCOPED_TRACE(line);
    Outcome o = Handle(line);
    EXPECT_EQ(0, o.result);
    EXPECT_EQ("Untitled", o.path);
    EXPECT_TRUE(o.untitled);
  }
}

TEST(CommandLineHandling, AnInvalidArgumentStopsTheWholeLine) {
  for (const char* line : {"Ordalis.exe -x", "Ordalis.exe -help:1", "Ordalis.exe -", "Ordalis.exe /", "Ordalis.exe -?:",
                           "Ordalis.exe a.vtpreset -x", "Ordalis.exe @", "Ordalis.exe @ -help"}) {
    SCOPED_TRACE(line);
    Outcome o = Handle(line);
    EXPECT_EQ(E_INVALIDARG, o.result);
    EXPECT_EQ("Untitled", o.path);  // nothing before the bad argument was handled either
  }
  std::string longName = "Ordalis.exe -" + std::string(70, 'H');
  EXPECT_EQ(E_INVALIDARG, Handle(longName).result);
}

TEST(CommandLineHandling, TheLastFileWins) {
  Outcome o = Handle("Ordalis.exe a.vtpreset b.vtpreset");
  EXPECT_EQ(0, o.result);
  EXPECT_EQ("b.vtpreset", o.path);
  EXPECT_FALSE(o.untitled);
  EXPECT_EQ(std::string(259, 'p'), Handle("Ordalis.exe " + std::string(400, 'p')).path);  // cut to 259
}

class ResponseFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = folder_.Join(name);
    EXPECT_TRUE(WriteWholeFile(path, Bytes(text)));
    return path;
  }
  TempFolder folder_;
};

TEST_F(ResponseFiles, AListNamesTheFileToOpen) {
  std::string list = Write("list", "\"C:\\My Presets\\warm pads.vtpreset\"\r\n");
  Outcome o = Handle("Ordalis.exe @\"" + list + "\"");
  EXPECT_EQ(0, o.result);
  EXPECT_EQ("C:\\My Presets\\warm pads.vtpreset", o.path);
  // "@" alone takes the next argument as the file.
  EXPECT_EQ("C:\\My Presets\\warm pads.vtpreset", Handle("Ordalis.exe @ \"" + list + "\"").path);
}

TEST_F(ResponseFiles, TheLastArgumentDecidesTheResult) {
  std::string missing = folder_.Join("missing.txt");
  Outcome o = Handle("Ordalis.exe @\"" + missing + "\"");
  EXPECT_EQ(E_FILE_OPEN, o.result);
  EXPECT_TRUE(o.untitled);

  o = Handle("Ordalis.exe @\"" + missing + "\" a.vtpreset");
  EXPECT_EQ(0, o.result);
  EXPECT_EQ("a.vtpreset", o.path);

  std::string empty = Write("empty", "");
  EXPECT_EQ(1, Handle("Ordalis.exe @\"" + empty + "\"").result);  // success, nothing done
  std::string blanks = Write("blanks", "  \r\n");
  EXPECT_EQ(0, Handle("Ordalis.exe @\"" + blanks + "\"").result);
}

TEST_F(ResponseFiles, NestAndAreCheckedOneLineAtATime) {
  std::string inner = Write("inner", "b.vtpreset -bad");
  std::string outer = Write("outer", "a.vtpreset @\"" + inner + "\"");
  Outcome o = Handle("Ordalis.exe @\"" + outer + "\"");
  // The inner line is invalid as a whole; the outer one was already handled.
  EXPECT_EQ(E_INVALIDARG, o.result);
  EXPECT_EQ("a.vtpreset", o.path);

  std::string previous = Write("level7", "deep.vtpreset");
  for (int level = 6; level >= 1; --level) {
    previous = Write("level" + std::to_string(level), "@\"" + previous + "\"");
  }
  o = Handle("Ordalis.exe @\"" + previous + "\"");  // seven files deep
  EXPECT_EQ(0, o.result);
  EXPECT_EQ("deep.vtpreset", o.path);
}

TEST_F(ResponseFiles, AFileThatNamesItselfEndsWithInvalidArgument) {
  std::string self = folder_.Join("self");
  Write("self", "@\"" + self + "\"");
  EXPECT_EQ(E_INVALIDARG, Handle("Ordalis.exe @\"" + self + "\"").result);

  std::string a = folder_.Join("a"), b = folder_.Join("b");
  Write("a", "x.vtpreset @\"" + b + "\"");
  Write("b", "@\"" + a + "\"");
  Outcome o = Handle("Ordalis.exe @\"" + a + "\"");
  EXPECT_EQ(E_INVALIDARG, o.result);
  EXPECT_EQ("x.vtpreset", o.path);
}

// Stands in for the platform's mapping of Unix paths: "/x/y" becomes
// "Z:\x\y" below the test's folder; a path under /unmapped has no drive.
std::string mappedRoot;
bool FakeMapping(const char* unixPath, char* out, size_t size) {
  std::string path(unixPath);
  if (path.rfind("/unmapped", 0) == 0) return false;
  std::string mapped = mappedRoot + path;
  if (mapped.size() >= size) return false;
  snprintf(out, size, "%s", mapped.c_str());
  return true;
}

struct Read {
  int32_t result;
  std::string path;
  std::string refused;
};

Read ReadWithMapping(const std::string& commandLine, UnixPathMapper mapping = FakeMapping) {
  DocumentRecord document;
  Document_SetUntitled(&document);
  CommandLineContext context;
  context.mapUnixPath = mapping;
  int32_t result = CommandLine_Handle(commandLine.c_str(), &document, &context);
  return {result, document.path, context.refused};
}

TEST_F(ResponseFiles, AUnixPathIsTakenThroughTheMappingAndABadOptionStaysBad) {
  mappedRoot = "M:";
  Read r = ReadWithMapping("Ordalis.exe /home/me/bank.vtpreset");
  EXPECT_EQ(0, r.result);
  EXPECT_EQ("M:/home/me/bank.vtpreset", r.path);
  EXPECT_EQ("", r.refused);
  // The options keep their meaning; a value or an unknown name is still refused.
  EXPECT_EQ("Untitled", ReadWithMapping("Ordalis.exe /? /help").path);
  EXPECT_EQ(E_INVALIDARG, ReadWithMapping("Ordalis.exe /help:/x").result);
  EXPECT_EQ(E_INVALIDARG, ReadWithMapping("Ordalis.exe /x").result);  // no folder part, no such file
  EXPECT_EQ(E_INVALIDARG, ReadWithMapping("Ordalis.exe /").result);
  EXPECT_EQ(E_INVALIDARG, ReadWithMapping("Ordalis.exe /unmapped/bank.vtpreset").result);
  // Without the mapping (Windows) a Unix path is a bad option, as before.
  EXPECT_EQ(E_INVALIDARG, ReadWithMapping("Ordalis.exe /home/me/bank.vtpreset", nullptr).result);

  // A file at the root of the mapped tree counts when it is there.
  std::string file = Write("bank.vtpreset", "x");
  mappedRoot = folder_.Path();  // the separator comes with the Unix path
  r = ReadWithMapping("Ordalis.exe /bank.vtpreset");
  EXPECT_EQ(0, r.result);
  EXPECT_EQ(mappedRoot + "/bank.vtpreset", r.path);
  // And from a response file too.
  std::string list = Write("list", "/home/me/other.vtpreset");
  mappedRoot = "M:";
  EXPECT_EQ("M:/home/me/other.vtpreset", ReadWithMapping("Ordalis.exe @\"" + list + "\"").path);
}

TEST_F(ResponseFiles, TheArgumentAFailureIsAboutIsNamed) {
  EXPECT_EQ("-x", ReadWithMapping("Ordalis.exe a.vtpreset -x").refused);
  EXPECT_EQ("/unmapped/bank.vtpreset", ReadWithMapping("Ordalis.exe /unmapped/bank.vtpreset").refused);
  std::string missing = folder_.Join("missing.txt");
  Read r = ReadWithMapping("Ordalis.exe @\"" + missing + "\"");
  EXPECT_EQ(E_FILE_OPEN, r.result);
  EXPECT_EQ(missing, r.refused);
  // A later argument that is handled well makes the result good again.
  EXPECT_EQ("", ReadWithMapping("Ordalis.exe @\"" + missing + "\" a.vtpreset").refused);
  // Inside a response file, the bad argument itself is named.
  std::string inner = Write("inner", "b.vtpreset -bad");
  EXPECT_EQ("-bad", ReadWithMapping("Ordalis.exe @\"" + inner + "\"").refused);
}

}  // namespace
