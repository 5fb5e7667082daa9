// Package commands: list, check, create.
#include "cli/cli.h"

int Cli_List(int, char**) { return Cli_Error("list: not available yet"); }
int Cli_Check(int, char**) { return Cli_Error("check: not available yet"); }
int Cli_Create(int, char**) { return Cli_Error("create: not available yet"); }
