// The program's command line: package files, response files ("@list") and
// the options HELP and ?. Response files hold arguments split by the same
// rules and may name further response files, down to a fixed depth.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/document.h"
#include "kernel/item_list.h"

// Response files nested this deep are refused with E_INVALIDARG, so one that
// names itself ends.
constexpr int32_t kMaxResponseDepth = 8;
constexpr size_t kOptionNameMax = 63;  // characters of an option name that count

// Splits `text` into arguments: white space separates them outside double
// quotes; a double quote switches quoting and is dropped; inside quotes two
// double quotes give one. `*args` becomes a new heap list of NUL-terminated
// texts (the caller destroys it). Gives 0 or E_OUTOFMEMORY.
int32_t CommandLine_Split(const char* text, VtList** args);

// Turns a path written the Unix way ("/home/me/bank.vtpreset", as file
// managers and scripts pass it under Wine) into the platform's spelling of
// it, written into `out` (cut to `size`); false when it cannot.
using UnixPathMapper = bool (*)(const char* unixPath, char* out, size_t size);

// What a command line is read with, and what it leaves for the error box.
struct CommandLineContext {
  UnixPathMapper mapUnixPath = nullptr;  // null where the platform has no such mapping
  // The argument that made the result a failure (the bad option, the
  // response file that could not be opened), cut to fit; empty otherwise.
  char refused[kNameSize] = {};
};

enum class ArgumentKind { ResponseFile, Option, File, UnixFile, Invalid };

struct Argument {
  ArgumentKind kind;
  const char* value;  // the response file or file path; points into the list
  int32_t used;       // arguments taken: 2 when "@" takes the next one
};

// Classifies argument `index` of `args`. An argument that begins with "/"
// and is no option is a Unix path (UnixFile) when `mapUnixPath` maps it and
// it either names a file that exists or has a folder part ("/x" stays a bad
// option).
Argument CommandLine_Classify(const VtList* args, int32_t index, UnixPathMapper mapUnixPath = nullptr);

// Handles a whole command line (its first argument, the program, skipped):
// files set the document's path, response files are read and handled in
// turn. Every argument is classified first; one invalid argument makes the
// result E_INVALIDARG and nothing is handled. Otherwise the result is that of
// the last file or response-file argument: 0 for a file; for a response file
// E_FILE_OPEN when it cannot be opened, 1 when it is empty or unreadable, or
// the result of its own arguments. `context`, when given, supplies the Unix
// path mapping and receives the argument a failure is about.
int32_t CommandLine_Handle(const char* commandLine, DocumentRecord* document, CommandLineContext* context = nullptr);
