// Transfer commands: export from and import into the system store.
#include "cli/cli.h"

int Cli_Export(int, char**) { return Cli_Error("export: not available yet"); }
int Cli_Import(int, char**) { return Cli_Error("import: not available yet"); }
