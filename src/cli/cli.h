// Shared pieces of ordalis-cli: exit codes, usage, reporting failures.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A command gets the arguments after its name and gives the exit code.
using CliCommand = int (*)(int argc, char** argv);

void Cli_PrintUsage(FILE* stream);

// Prints "ordalis-cli: <message>" and the usage to stderr; gives kExitUsage.
int Cli_UsageError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints "ordalis-cli: <what>: <explanation of status> (0xXXXXXXXX)" to
// stderr; gives kExitFailure.
int Cli_Failure(const char* what, int32_t status);

// Prints "ordalis-cli: <message>" to stderr; gives kExitFailure.
int Cli_Error(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Takes an argument that no option of the command claimed: the package, or
// an unknown option or a second package (bad usage). Gives -1 to go on, or
// the exit code.
int Cli_TakePackage(const char* command, const char* arg, const char** package);

// The commands, each in a file of its own.
int Cli_List(int argc, char** argv);
int Cli_Check(int argc, char** argv);
int Cli_Create(int argc, char** argv);
int Cli_Backups(int argc, char** argv);
int Cli_Restore(int argc, char** argv);
// Takes back an unfinished change to the system store and says so on stderr.
void Cli_RecoverJournals();
#ifdef _WIN32
int Cli_System(int argc, char** argv);
int Cli_Export(int argc, char** argv);
int Cli_Import(int argc, char** argv);
#endif
