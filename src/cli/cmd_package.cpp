// Package commands: list, check, create.
#include <cstring>

#include "cli/cli.h"
#include "cli/store_json.h"
#include "cli/store_print.h"
#include "model/store_records.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "store/registered_name.h"

namespace {

constexpr unsigned kOptionJson = 0x1;
constexpr unsigned kOptionData = 0x2;
constexpr unsigned kOptionFromJson = 0x4;

struct PackageArguments {
  const char* package;
  unsigned options;
  const char* jsonPath;  // with --from-json
};

// Reads the package named on the command line, reporting a failure; gives
// -1 to go on, or the exit code.
int ReadNamedPackage(const char* path, StoreRecords* store) {
  if (!store->CreateEmpty()) return Cli_Failure("out of memory", E_OUTOFMEMORY);
  const char* problem = nullptr;
  int32_t status = ReadPackage(path, *store->plugIns, *store->chains, &problem);
  if (status == 0) return -1;
  char what[1100];
  snprintf(what, sizeof(what), "cannot read %s", path);
  return Cli_ReadFailure(what, status, problem);
}

// Takes the package path and the options a command allows; gives -1 to go
// on, or the exit code (after --help or bad usage).
int ParseArguments(const char* command, int argc, char** argv, unsigned allowed, PackageArguments* parsed) {
  *parsed = PackageArguments{nullptr, 0, nullptr};
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0) {
      Cli_PrintUsage(stdout);
      return kExitSuccess;
    }
    if ((allowed & kOptionJson) && strcmp(arg, "--json") == 0) {
      parsed->options |= kOptionJson;
    } else if ((allowed & kOptionData) && strcmp(arg, "--data") == 0) {
      parsed->options |= kOptionData;
    } else if ((allowed & kOptionFromJson) && strcmp(arg, "--from-json") == 0) {
      if (i + 1 >= argc) return Cli_UsageError("%s: --from-json needs a file", command);
      parsed->options |= kOptionFromJson;
      parsed->jsonPath = argv[++i];
    } else {
      int exit = Cli_TakePackage(command, arg, &parsed->package);
      if (exit >= 0) return exit;
    }
  }
  if (parsed->package == nullptr) return Cli_UsageError("%s: no package given", command);
  return -1;
}

// Failing to write what was asked for is a failure, not a success.
int FinishOutput() {
  if (fflush(stdout) != 0 || ferror(stdout)) return Cli_Error("cannot write to the standard output");
  return kExitSuccess;
}

// Reads a whole file into `text`; its size is at most 2 GiB.
int32_t ReadWholeText(const char* path, ByteBlock* text) {
  ScopedFile file;
  int32_t status = File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out());
  if (status != 0) return status;
  uint64_t length = 0;
  status = File_GetSize(file.Get(), &length);
  if (status != 0) return status;
  if (length > 0x7FFFFFFFu) return E_OUTOFMEMORY;
  std::unique_ptr<unsigned char[]> bytes = NewBytes(static_cast<size_t>(length));
  if (!bytes) return E_OUTOFMEMORY;
  uint32_t done = 0;
  status = File_Read(file.Get(), bytes.get(), static_cast<uint32_t>(length), &done);
  if (status == 0 && done != length) status = E_RIFF_READ;
  if (status == 0) text->Adopt(std::move(bytes), static_cast<uint32_t>(length));
  return status;
}

}  // namespace

int Cli_List(int argc, char** argv) {
  PackageArguments arguments;
  int exit = ParseArguments("list", argc, argv, kOptionJson | kOptionData, &arguments);
  if (exit >= 0) return exit;
  if ((arguments.options & kOptionData) && !(arguments.options & kOptionJson)) {
    return Cli_UsageError("list: --data goes with --json");
  }
  StoreRecords store;
  exit = ReadNamedPackage(arguments.package, &store);
  if (exit >= 0) return exit;
  // Shown as the program shows a package: under the names this computer
  // registers the plug-ins with.
  ApplyRegisteredNames(*store.plugIns);
  if (arguments.options & kOptionJson) {
    PrintStoreJson(stdout, store.plugIns.get(), store.chains.get(), (arguments.options & kOptionData) != 0);
  } else {
    PrintStoreTree(stdout, store.plugIns.get(), store.chains.get());
  }
  return FinishOutput();
}

int Cli_Check(int argc, char** argv) {
  PackageArguments arguments;
  int exit = ParseArguments("check", argc, argv, 0, &arguments);
  if (exit >= 0) return exit;
  StoreRecords store;
  exit = ReadNamedPackage(arguments.package, &store);
  if (exit >= 0) return exit;
  // What the file holds must be what `create` would have written.
  char problem[kProblemSize];
  for (const std::unique_ptr<PlugInEntry>& entry : store.plugIns->Entries()) {
    if (!IsPackagePlugIn(*entry, problem, sizeof(problem))) return Cli_Error("check: %s: %s", arguments.package, problem);
  }
  for (const std::unique_ptr<ChainRecord>& chain : store.chains->Chains()) {
    if (!IsPackageChain(*chain, problem, sizeof(problem))) return Cli_Error("check: %s: %s", arguments.package, problem);
  }
  puts("OK");
  return FinishOutput();
}

int Cli_Create(int argc, char** argv) {
  PackageArguments arguments;
  int exit = ParseArguments("create", argc, argv, kOptionFromJson, &arguments);
  if (exit >= 0) return exit;
  if (arguments.jsonPath == nullptr) return Cli_UsageError("create: --from-json FILE is required");

  char what[1100];
  ByteBlock text;
  int32_t status = ReadWholeText(arguments.jsonPath, &text);
  if (status != 0) {
    snprintf(what, sizeof(what), "cannot read %s", arguments.jsonPath);
    return Cli_Failure(what, status);
  }
  StoreRecords store;
  if (!store.CreateEmpty()) return Cli_Failure("out of memory", E_OUTOFMEMORY);
  JsonReader reader;
  Json_Begin(&reader, reinterpret_cast<const char*>(text.Bytes()), text.Size());
  bool read = ReadStoreJson(&reader, store.plugIns.get(), store.chains.get());
  if (!read) return Cli_Error("create: %s:%s", arguments.jsonPath, reader.error);

  status = WritePackage(arguments.package, store.plugIns.get(), store.chains.get());
  if (status != 0) {
    snprintf(what, sizeof(what), "cannot write %s", arguments.package);
    return Cli_Failure(what, status);
  }
  return kExitSuccess;
}
