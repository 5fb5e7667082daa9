// Transfer commands: export from the system store into a package and import
// from a package into the system store, through the same copy layer and
// history as the program's Copy to File and Copy to System.
#include <cstring>

#include "cli/cli.h"
#include "edit/group_journal.h"
#include "edit/selection_edit.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/text.h"
#include "store/preset_store.h"
#include "store/registered_name.h"
#include "store/system_loader.h"

namespace {

enum class OnConflict { Refuse, Overwrite, Skip };

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
      if (list.Add(argv[++i]) != 0) return Cli_Failure(command, E_OUTOFMEMORY);
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
class Answers final : public OverwriteQuestion {
 public:
  explicit Answers(OnConflict rule) : onConflict(rule) {}

  OverwriteAnswer Ask(const OverwriteItem& item) override {
    char line[kNameSize * 2 + 8];
    snprintf(line, sizeof(line), "%s '%s'", item.kind, item.name);
    conflicts.Add(line);
    switch (onConflict) {
      case OnConflict::Overwrite: return item.offerAll ? OverwriteAnswer::YesToAll : OverwriteAnswer::Yes;
      case OnConflict::Skip: return item.offerAll ? OverwriteAnswer::NoToAll : OverwriteAnswer::No;
      case OnConflict::Refuse: break;
    }
    // Go on without it, so that every conflict is seen before nothing is done.
    return OverwriteAnswer::No;
  }

  const OnConflict onConflict;
  NameList conflicts;
};

// Every name must stand for something in the source store.
int CheckNamesExist(const char* command, const Stores& stores, StoreId source, const TransferArguments& arguments) {
  const char* where = source == StoreId::System ? "the system store" : arguments.package;
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

// A selection of named items of one group, as the list beside that group
// shows them.
int32_t ListSelection(const NameList& names, NodeKind group, const char* label, Selection* selection) {
  selection->focus = FocusKind::List;
  selection->selectedKind = group;
  Text_Copy(selection->context, sizeof(selection->context), label);
  for (int32_t i = 0; i < names.Count(); ++i) {
    int32_t status = selection->names.Add(names.At(i));
    if (status != 0) return status;
  }
  return 0;
}

// Reads the package into the package store. A package that does not exist
// yet is an empty one when `mayBeNew`.
int LoadPackage(const char* command, const char* path, bool mayBeNew, Stores& stores) {
  if (!stores.package.CreateEmpty()) return Cli_Failure(command, E_OUTOFMEMORY);
  if (mayBeNew && !File_Exists(path)) return -1;
  int32_t status = ReadPackage(path, *stores.package.plugIns, *stores.package.chains);
  if (status == 0) {
    // Plug-ins are found by the names the system store shows them under.
    ApplyRegisteredNames(*stores.package.plugIns);
    return -1;
  }
  char what[1100];
  snprintf(what, sizeof(what), "%s: cannot read %s", command, path);
  return Cli_Failure(what, status);
}

// "<command>: <item>: <what failed>: <explanation> (status)".
int ReportItemFailure(const char* command, const ActionFailure& failure, int32_t status) {
  char what[kItemTextSize + kStoreFailureSize + 32];
  if (failure.item[0] != '\0') {
    snprintf(what, sizeof(what), "%s: %s: %s", command, failure.item, failure.detail);
  } else {
    snprintf(what, sizeof(what), "%s", command);
  }
  return Cli_Failure(what, status);
}

int Transfer(const char* command, bool exporting, int argc, char** argv) {
  TransferArguments arguments;
  int exit = ParseTransfer(command, argc, argv, &arguments);
  if (exit >= 0) return exit;

  Stores stores;
  RefreshSystemStore(stores, nullptr);
  exit = LoadPackage(command, arguments.package, exporting, stores);
  if (exit >= 0) return exit;
  StoreId source = exporting ? StoreId::System : StoreId::Package;
  StoreId destination = OtherStore(source);
  const char* where = exporting ? arguments.package : "the system store";
  exit = CheckNamesExist(command, stores, source, arguments);
  if (exit >= 0) return exit;

  // Nothing named: everything, as a copy of the whole store's node.
  Selection selections[2];
  int count = 0;
  int32_t status = 0;
  if (arguments.plugIns.Count() == 0 && arguments.chains.Count() == 0) {
    selections[count].focus = FocusKind::Tree;
    selections[count].selectedKind = NodeKind::PackageRoot;
    status = selections[count++].names.Add("all");
  }
  if (status == 0 && arguments.plugIns.Count() > 0) {
    status = ListSelection(arguments.plugIns, NodeKind::PlugInGroup, kPlugInGroupLabel, &selections[count++]);
  }
  if (status == 0 && arguments.chains.Count() > 0) {
    status = ListSelection(arguments.chains, NodeKind::ChainGroup, kChainGroupLabel, &selections[count++]);
  }
  if (status != 0) return Cli_Failure(command, status);

  History history;
  GroupJournal journal;
  journal.commitOperation = JournalOperation::Import;
  history.guard = &journal;
  Answers answers(arguments.onConflict);
  EditContext edit{stores, history, &answers};

  status = RecordCopyOfSelections(edit, source, selections, count);
  if (status != 0) return Cli_Failure(command, status);
  if (arguments.onConflict == OnConflict::Refuse && answers.conflicts.Count() > 0) {
    DiscardGroup(history);
    Cli_Error("%s: %d item%s already exist%s in %s; nothing was changed (use --overwrite or --skip):", command,
              answers.conflicts.Count(), answers.conflicts.Count() == 1 ? "" : "s",
              answers.conflicts.Count() == 1 ? "s" : "", where);
    for (int32_t i = 0; i < answers.conflicts.Count(); ++i) fprintf(stderr, "  %s\n", answers.conflicts.At(i));
    return kExitFailure;
  }
  // Before anything is written: an item the destination cannot hold stops
  // the whole copy.
  EditOutcome checked = CheckRecordedGroup(edit, destination);
  if (checked.status != 0) {
    ReportItemFailure(command, checked.failure, checked.status);
    return Cli_Error("%s: nothing was changed", command);
  }
  for (int32_t i = 0; i < edit.leftOut.Count(); ++i) {
    fprintf(stderr, "ordalis-cli: %s: left out: %s\n", command, edit.leftOut.At(i));
  }
  int32_t copied = GetPendingActionCount(history);
  // There is no later undo here: a copy that fails part-way is taken back
  // whole.
  EditOutcome outcome = CommitRecordedGroupOrTakeBack(edit, destination);
  if (StatusFailed(outcome.status) && outcome.failure.status != 0) {
    ReportItemFailure(command, outcome.failure, outcome.status);
    return Cli_Error("%s: %s", command,
                     outcome.committed ? "what was copied before could not all be taken back" : "nothing was changed");
  }
  if (exporting) {
    status = WritePackage(arguments.package, stores.package.plugIns.get(), stores.package.chains.get());
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
