// ordalis-cli: the console companion for scripting.
#include <cstdio>
#include <cstring>

#include "cli/cli.h"
#include "kernel/product.h"

namespace {

struct CommandEntry {
  const char* name;
  CliCommand run;
};

const CommandEntry kCommands[] = {
    {"list", Cli_List},
    {"check", Cli_Check},
    {"create", Cli_Create},
#ifdef _WIN32
    {"system", Cli_System},
    {"export", Cli_Export},
    {"import", Cli_Import},
#endif
};

}  // namespace

int main(int argc, char** argv) {
  // Standard output goes out in large blocks whatever it is: a console, the
  // null device and a pipe are otherwise written a few bytes at a time,
  // which costs a round trip each where the system emulates them.
  static char outputBuffer[1 << 16];
  setvbuf(stdout, outputBuffer, _IOFBF, sizeof(outputBuffer));
  VtRegisterProductTokens();
  if (argc < 2) return Cli_UsageError("no command given");
  const char* name = argv[1];
  if (strcmp(name, "--help") == 0 || strcmp(name, "-h") == 0 || strcmp(name, "help") == 0) {
    Cli_PrintUsage(stdout);
    return kExitSuccess;
  }
  for (const CommandEntry& command : kCommands) {
    if (strcmp(command.name, name) == 0) return command.run(argc - 2, argv + 2);
  }
  return Cli_UsageError("unknown command '%s'", name);
}
