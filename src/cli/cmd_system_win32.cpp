// The system command: the system store as the loaders see it.
#include "cli/cli.h"

int Cli_System(int, char**) { return Cli_Error("system: not available yet"); }
