// Transfer commands: export from the system store into a package and import
// from a package into the system store, through the same copy layer and
// history as the program's Copy to File and Copy to System.
#include <cstring>

#include "cli/cli.h"
#include "edit/selection_edit.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/text.h"
#include "store/preset_store.h"
#include "store/system_loader.h"

namespace {

enum class OnConflict { Refuse, Overwrite, Skip };

// Heap lists of texts, as a selection holds its names.
struct NameList {
  VtList* names = nullptr;
  NameList() { VtList_CreateExZ(0, 16, 16, VTLIST_HEAP, &names); }
  ~NameList() { VtList_Destroy(names); }
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;
  bool Add(const char* name) {
    return names != nullptr &&
           VtList_AllocInsert(names, -1, static_cast<uint32_t>(strlen(name) + 1), name, nullptr) == 0;
  }
  int32_t Count() const { return VtList_Count(names); }
  const char* At(int32_t index) const { return VtList_At<const char>(names, index); }
};

struct TransferArguments {
  const char* package = nullptr;
  NameList plugIns;
  NameList chains;
  OnConflict onConflict = OnConflict::Refuse;
};

// Gives -1 to go on, or the exit code (after --help or bad usage).
int ParseTransfer(const char* command, int argc, char** argv, TransferArguments* parsed) {
  bool conflictRuleGiven = false;
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    if (strcmp(arg, "--help") == 0) {
      Cli_PrintUsage(stdout);
      return kExitSuccess;
    }
    if (strcmp(arg, "--plugin") == 0 || strcmp(arg, "--chain") == 0) {
      if (i + 1 >= argc) return Cli_UsageError("%s: %s needs a name", command, arg);
      NameList& list = arg[2] == 'p' ? parsed->plugIns : parsed->chains;
      if (!list.Add(argv[++i])) return Cli_Failure(command, E_OUTOFMEMORY);
    } else if (strcmp(arg, "--overwrite") == 0 || strcmp(arg, "--skip") == 0) {
      if (conflictRuleGiven) return Cli_UsageError("%s: give --overwrite or --skip, once", command);
      conflictRuleGiven = true;
      parsed->onConflict = arg[2] == 'o' ? OnConflict::Overwrite : OnConflict::Skip;
    } else {
      int exit = Cli_TakePackage(command, arg, &parsed->package);
      if (exit >= 0) return exit;
    }
  }
  if (parsed->package == nullptr) return Cli_UsageError("%s: no package given", command);
  return -1;
}

// The answers a script gave on the command line, and the conflicts seen.
struct Answers {
  OnConflict onConflict;
  NameList conflicts;
};

bool Offers(const VtMsgBoxQuestion& question, int32_t id) {
  for (int32_t i = 0; i < question.buttons.count; ++i) {
    if (question.buttons.ids[i] == id) return true;
  }
  return false;
}

int32_t AnswerQuestion(void* context, const VtMsgBoxQuestion& question) {
  const Answers& answers = *static_cast<Answers*>(context);
  switch (answers.onConflict) {
    case OnConflict::Overwrite:
      return Offers(question, kVtIdYesToAll) ? kVtIdYesToAll : kVtIdYes;
    case OnConflict::Skip:
      return Offers(question, kVtIdNoToAll) ? kVtIdNoToAll : kVtIdNo;
    case OnConflict::Refuse:
      break;
  }
  // Go on without it, so that every conflict is seen before nothing is done.
  return kVtIdNo;
}

void NoteConflict(void* context, const char* kind, const char* name) {
  Answers& answers = *static_cast<Answers*>(context);
  char line[kNameSize * 2 + 8];
  snprintf(line, sizeof(line), "%s '%s'", kind, name);
  answers.conflicts.Add(line);
}

// Every name must stand for something in the source store.
int CheckNamesExist(const char* command, Stores& stores, uint32_t source, const TransferArguments& arguments) {
  const char* where = IsSystemStore(source) ? "the system store" : arguments.package;
  for (int32_t i = 0; i < arguments.plugIns.Count(); ++i) {
    if (FindPlugInByNameInStore(stores, source, arguments.plugIns.At(i)) == nullptr) {
      return Cli_Error("%s: no plug-in named '%s' in %s", command, arguments.plugIns.At(i), where);
    }
  }
  for (int32_t i = 0; i < arguments.chains.Count(); ++i) {
    if (FindChainInStore(stores, source, arguments.chains.At(i)) == nullptr) {
      return Cli_Error("%s: no chain named '%s' in %s", command, arguments.chains.At(i), where);
    }
  }
  return -1;
}

Selection ListSelection(const NameList& names, NodeKind group, const char* label) {
  Selection selection{names.names, {}, kFocusList, group};
  Text_Copy(selection.context, sizeof(selection.context), label);
  return selection;
}

// Reads the package into the package store. A package that does not exist
// yet is an empty one when `mayBeNew`.
int LoadPackage(const char* command, const char* path, bool mayBeNew, Stores& stores) {
  PlugInCollection* plugIns = PlugInCollection::Create();
  ChainCollection* chains = ChainCollection::Create();
  Stores_Replace(stores, kPackageStore, plugIns, chains);
  if (plugIns == nullptr || chains == nullptr) return Cli_Failure(command, E_OUTOFMEMORY);
  if (mayBeNew && !File_Exists(path)) return -1;
  int32_t status = ReadPackage(path, plugIns, chains);
  if (status == 0) return -1;
  char what[1100];
  snprintf(what, sizeof(what), "%s: cannot read %s", command, path);
  return Cli_Failure(what, status);
}

int Transfer(const char* command, bool exporting, int argc, char** argv) {
  TransferArguments arguments;
  int exit = ParseTransfer(command, argc, argv, &arguments);
  if (exit >= 0) return exit;

  Stores stores{};
  struct StoresOwner {
    Stores& stores;
    ~StoresOwner() { Stores_Clear(stores); }
  } owner{stores};
  ChainCollection* systemChains = LoadSystemChains();  // chains first, as at start-up
  Stores_Replace(stores, kSystemStore, LoadSystemPlugIns(), systemChains);
  exit = LoadPackage(command, arguments.package, exporting, stores);
  if (exit >= 0) return exit;
  uint32_t source = exporting ? kSystemStore : kPackageStore;
  uint32_t destination = exporting ? kPackageStore : kSystemStore;
  exit = CheckNamesExist(command, stores, source, arguments);
  if (exit >= 0) return exit;

  // Nothing named: everything, as a copy of the whole store's node.
  NameList everything;
  everything.Add("all");
  Selection selections[2];
  int count = 0;
  if (arguments.plugIns.Count() == 0 && arguments.chains.Count() == 0) {
    selections[count++] = Selection{everything.names, {}, kFocusTree, NodeKind::PackageRoot};
  }
  if (arguments.plugIns.Count() > 0) {
    selections[count++] = ListSelection(arguments.plugIns, NodeKind::PlugInGroup, kPlugInGroupLabel);
  }
  if (arguments.chains.Count() > 0) {
    selections[count++] = ListSelection(arguments.chains, NodeKind::ChainGroup, kChainGroupLabel);
  }

  History* history = CreateHistory();
  if (history == nullptr) return Cli_Failure(command, E_OUTOFMEMORY);
  struct HistoryOwner {
    History* history;
    ~HistoryOwner() { DestroyHistory(history); }
  } historyOwner{history};
  Answers answers{arguments.onConflict, {}};
  EditContext edit{&stores, history, nullptr, VtOwnerNone(), 0, NoteConflict, &answers};
  VtMsgBoxSetHook(AnswerQuestion, &answers);

  int32_t status = RecordCopyOfSelections(edit, source, selections, count);
  if (status != 0) return Cli_Failure(command, status);
  if (arguments.onConflict == OnConflict::Refuse && answers.conflicts.Count() > 0) {
    DiscardGroup(*history);
    Cli_Error("%s: %d item%s already exist%s in %s; nothing was changed (use --overwrite or --skip):", command,
              answers.conflicts.Count(), answers.conflicts.Count() == 1 ? "" : "s",
              answers.conflicts.Count() == 1 ? "s" : "", exporting ? arguments.package : "the system store");
    for (int32_t i = 0; i < answers.conflicts.Count(); ++i) fprintf(stderr, "  %s\n", answers.conflicts.At(i));
    return kExitFailure;
  }
  int32_t copied = GetPendingActionCount(*history);
  EditOutcome outcome = CommitRecordedGroup(edit, destination);
  if (outcome.committed && StatusFailed(outcome.status)) return Cli_Failure(command, outcome.status);
  if (exporting) {
    status = WritePackage(arguments.package, stores.plugIns[StoreSlot(kPackageStore)],
                          stores.chains[StoreSlot(kPackageStore)]);
    if (status != 0) {
      char what[1100];
      snprintf(what, sizeof(what), "%s: cannot write %s", command, arguments.package);
      return Cli_Failure(what, status);
    }
  }
  printf("%s: %d item%s copied\n", command, copied, copied == 1 ? "" : "s");
  return kExitSuccess;
}

}  // namespace

int Cli_Export(int argc, char** argv) { return Transfer("export", true, argc, argv); }
int Cli_Import(int argc, char** argv) { return Transfer("import", false, argc, argv); }
