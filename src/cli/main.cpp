// ordalis-cli: the console companion for scripting.
#include <cstring>

#include "cli/cli.h"
#include "kernel/product.h"

namespace {

struct CommandEntry {
  const char* name;
  CliCommand run;
  bool readsStore = false;  // an unfinished change to the store is taken back first
};

const CommandEntry kCommands[] = {
    {"list", Cli_List},
    {"check", Cli_Check},
    {"create", Cli_Create},
    {"backups", Cli_Backups, true},
    {"restore", Cli_Restore, true},
#ifdef _WIN32
    {"system", Cli_System, true},
    {"export", Cli_Export, true},
    {"import", Cli_Import, true},
#endif
};

}  // namespace

int main(int argc, char** argv) {
  VtRegisterProductTokens();
  if (argc < 2) return Cli_UsageError("no command given");
  const char* name = argv[1];
  if (strcmp(name, "--help") == 0 || strcmp(name, "-h") == 0 || strcmp(name, "help") == 0) {
    Cli_PrintUsage(stdout);
    return kExitSuccess;
  }
  for (const CommandEntry& command : kCommands) {
    if (strcmp(command.name, name) != 0) continue;
    if (command.readsStore) Cli_RecoverJournals();
    return command.run(argc - 2, argv + 2);
  }
  return Cli_UsageError("unknown command '%s'", name);
}
