// The system command: the system store as the loaders see it.
#include <cstring>

#include "cli/cli.h"
#include "cli/store_print.h"
#include "store/system_loader.h"

int Cli_System(int argc, char** argv) {
  bool json = false, data = false;
  const char* match = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (strcmp(argv[i], "--match") == 0) {
      if (i + 1 >= argc) return Cli_UsageError("system: --match needs a text");
      match = argv[++i];
    } else if (strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (strcmp(argv[i], "--data") == 0) {
      data = true;
    } else {
      return Cli_UsageError("system: unknown argument '%s'", argv[i]);
    }
  }
  if (data && !json) return Cli_UsageError("system: --data goes with --json");

  Stores stores;
  RefreshSystemStore(stores, nullptr);
  if (match != nullptr) {
    int exit = Cli_NarrowToMatch(stores.system, match);
    if (exit >= 0) return exit;
  }
  if (json) {
    PrintStoreJson(stdout, stores.system.plugIns.get(), stores.system.chains.get(), data);
  } else {
    PrintStoreTree(stdout, stores.system.plugIns.get(), stores.system.chains.get());
  }
  return fflush(stdout) == 0 ? kExitSuccess : Cli_Error("system: the output could not be written");
}
