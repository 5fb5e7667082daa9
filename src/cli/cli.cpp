#include "cli/cli.h"

#include <cstdarg>
#include <cstring>

#include "kernel/error_text.h"
#include "kernel/format.h"
#include "platform/status.h"

void Cli_PrintUsage(FILE* stream) {
  fputs(
      "usage: ordalis-cli COMMAND [ARGUMENTS]\n"
      "\n"
      "Package files:\n"
      "  list PACKAGE [--json] [--data]   show the plug-ins, presets and chains of a package\n"
      "  check PACKAGE                    tell whether a package can be read\n"
      "  create PACKAGE --from-json FILE  write a package described by a JSON file\n"
#ifdef _WIN32
      "\n"
      "The system store (the current user's registry and preset files):\n"
      "  system [--json] [--data]         show the system store\n"
      "  export PACKAGE [--plugin NAME]... [--chain NAME]... [--overwrite | --skip]\n"
      "                                   copy from the system store into a package\n"
      "                                   (created when missing)\n"
      "  import PACKAGE [--plugin NAME]... [--chain NAME]... [--overwrite | --skip]\n"
      "                                   copy from a package into the system store\n"
      "    Nothing named copies everything; names match a plug-in's name or display\n"
      "    name, or a chain's name, in any letter case. When an item already exists\n"
      "    and neither --overwrite nor --skip is given, nothing is changed.\n"
#endif
      "\n"
      "Backups of the changes to the system store:\n"
      "  backups [--json]                 list the kept backups, newest first\n"
      "  restore ID [--overwrite | --skip]\n"
      "                                   put back what that change replaced or removed;\n"
      "                                   an item changed since is a conflict: without\n"
      "                                   --overwrite or --skip nothing is changed\n"
      "\n"
      "  --help                           show this text\n"
      "\n"
      "Exit codes: 0 success, 1 the operation failed, 2 bad usage.\n",
      stream);
}

int Cli_UsageError(const char* format, ...) {
  fputs("ordalis-cli: ", stderr);
  va_list args;
  va_start(args, format);
  vfprintf(stderr, format, args);
  va_end(args);
  fputs("\n\n", stderr);
  Cli_PrintUsage(stderr);
  return kExitUsage;
}

int Cli_Error(const char* format, ...) {
  fputs("ordalis-cli: ", stderr);
  va_list args;
  va_start(args, format);
  vfprintf(stderr, format, args);
  va_end(args);
  fputc('\n', stderr);
  return kExitFailure;
}

int Cli_Failure(const char* what, int32_t status) {
  char raw[512], format[1024], explanation[512];
  VtGetErrorExplanation(status, raw, sizeof(raw));
  // Explanations may name the program through its tokens; only those are
  // expanded, a "%" stays as it is.
  size_t out = 0;
  for (const char* c = raw; *c != '\0' && out + 2 < sizeof(format); ++c) {
    if (*c == '%') format[out++] = '%';
    format[out++] = *c;
  }
  format[out] = '\0';
  VtSnPrintF(explanation, sizeof(explanation), format);
  // The explanations start with the two line breaks of the message box.
  const char* text = explanation;
  while (*text == '\n') ++text;
  fprintf(stderr, "ordalis-cli: %s: %s (0x%08X)\n", what, text, static_cast<unsigned>(status));
  return kExitFailure;
}

int Cli_TakePackage(const char* command, const char* arg, const char** package) {
  if (arg[0] == '-' && arg[1] == '-') return Cli_UsageError("%s: unknown option '%s'", command, arg);
  if (*package != nullptr) return Cli_UsageError("%s: more than one package given", command);
  *package = arg;
  return -1;
}
