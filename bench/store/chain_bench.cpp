// How long importing a package of only chains into the system store takes
// where every registry call is a round trip to another process (Wine's
// server): into an empty store, and again over the chains now there with
// every overwrite answered yes; each as the full load of the store and the
// copy. One chain in four keeps its stream in a
// chain file. It writes into the registry it runs against, so run it only
// in a prefix of its own (scripts/bench-chains.sh does).
//
// With --one-key every chain of the package has the same key name, as
// packages made on one computer after another do: each import then has to
// find a free numbered key name for all but the first, and every stream
// stays in the registry.
//
// usage: chain_bench [--one-key] [CHAINS...]   (default 250 500 1000 2000 5000 10000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "edit/selection_edit.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

class YesToAll final : public OverwriteQuestion {
 public:
  OverwriteAnswer Ask(const OverwriteItem&) override { return OverwriteAnswer::YesToAll; }
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A package store of `count` chains with key names as another computer
// made them.
void FillPackage(Stores& stores, int count, unsigned seed, bool oneKey) {
  ChainCollection* chains = GetChainCollection(stores, StoreId::Package);
  std::vector<unsigned char> bytes(600);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31 + seed);
  for (int c = 0; c < count; ++c) {
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    char name[64], keyName[32];
    snprintf(name, sizeof(name), "Bench Chain %05d", c);
    snprintf(keyName, sizeof(keyName), "Chain%05d", oneKey ? 0 : c);
    chain->SetName(name);
    chain->SetKeyName(keyName);
    chain->flags = 1;
    chain->type = 2;
    chain->stream.Assign(bytes.data(), c % 4 == 0 && !oneKey ? 600u : 200u);
    chains->Append(std::move(chain));
  }
}

struct Times {
  double load;  // the full load of the system store
  double copy;  // recording, checking and carrying out the group
};

// Imports the package as ordalis-cli does: a full load of the system
// store, then the whole package copied as one group.
Times Import(int count, unsigned seed, bool oneKey, bool* ok) {
  Stores stores;
  FillPackage(stores, count, seed, oneKey);
  auto start = std::chrono::steady_clock::now();
  RefreshSystemStore(stores, nullptr);
  Times times{Seconds(start), 0};
  start = std::chrono::steady_clock::now();
  History history;
  YesToAll answers;
  EditContext edit{stores, history, &answers};
  Selection selection;
  selection.names.Add(kChainGroupLabel);
  selection.focus = FocusKind::Tree;
  selection.selectedKind = NodeKind::ChainGroup;
  EditOutcome outcome = CopySelectionToOtherStore(edit, StoreId::Package, selection);
  times.copy = Seconds(start);
  const ChainCollection* system = stores.system.chains.get();
  *ok = outcome.committed && outcome.status == 0 && system != nullptr && system->GetChainCount() == count;
  return times;
}

void RemoveChains(const std::string& folder, int count) {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kChainsKey);
  for (int c = 0; c < count; c += 4) {
    char path[1024];
    snprintf(path, sizeof(path), "%sChain%05d\\Bench Chain %05d.vtg", folder.c_str(), c, c);
    File_Delete(path);
    snprintf(path, sizeof(path), "%sChain%05d", folder.c_str(), c);
    File_RemoveFolder(path);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  bool oneKey = false;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--one-key") == 0) {
      oneKey = true;
    } else {
      counts.push_back(atoi(argv[i]));
    }
  }
  if (counts.empty()) counts = {250, 500, 1000, 2000, 5000, 10000};

  char temp[1024];
  if (File_GetTempFolder(temp, sizeof(temp)) != 0) return 1;
  std::string folder = std::string(temp) + "ordalis-chain-bench\\";
  File_CreateFolderPath(folder.c_str());
  ScopedRegKey chains;
  printf("%9s %12s %12s %12s %12s  (seconds: the full load of the store, then the copy of every chain as one group)\n",
         "chains", "empty: load", "copy", "again: load", "copy");
  for (int count : counts) {
    RemoveChains(folder, count);
    if (Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), kChainsKey, RegAccess::All, chains.Out()) != 0) return 1;
    Reg_SetText(chains.Get(), kDefLocationValue, folder.c_str(), kRegExpandSz);
    chains.Reset();
    bool fresh = false, again = false;
    Times empty = Import(count, 1, oneKey, &fresh);
    Times overwrite = Import(count, 2, oneKey, &again);
    printf("%9d %12.3f %12.3f %12.3f %12.3f%s\n", count, empty.load, empty.copy, overwrite.load, overwrite.copy,
           fresh && again ? "" : "  (THE IMPORT WENT WRONG)");
    fflush(stdout);
    RemoveChains(folder, count);
  }
  File_RemoveFolder(folder.c_str());
  return 0;
}
