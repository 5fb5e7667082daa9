// How long the frame's views take, under Wine, on the real frame in this
// process: a list of 20,000 presets filled, the system tree of 500
// plug-ins built from empty and brought in line after one plug-in came or
// went, and coming back to the program with an unchanged store of 500
// plug-ins by 40 presets against a full load of that store, and copying
// that store's "FX Plug-Ins" node into an empty package by command, with
// its undo and redo, the views brought in line each time, and typing into
// the find box over that store. It builds its store in the registry it runs
// against, so run it only in a prefix of its own (scripts/bench-views.sh
// does).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/selection_commands_win32.h"
#include "kernel/kernel.h"
#include "kernel/metrics.h"
#include "kernel/product.h"
#include "kernel/strings.h"
#include "platform/registry.h"
#include "store/store_layout.h"
#include "store/system_loader.h"
#include "views/store_tree_win32.h"

namespace {

constexpr int kListPresets = 20000;
constexpr int kPlugIns = 500;
constexpr int kPresetsPerPlugIn = 40;

using Clock = std::chrono::steady_clock;

template <class Work>
double Seconds(Work work) {
  Clock::time_point start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The best of `runs` runs: what the work costs when the machine's other
// work does not weigh on it.
template <class Work>
double Best(int runs, Work work) {
  double best = 1e9;
  for (int run = 0; run < runs; ++run) best = std::min(best, Seconds(work));
  return best;
}

void ClassKey(int index, char* out, size_t size) {
  snprintf(out, size, "{%08X-0000-4000-8000-%012X}", 0x7EED0000u + static_cast<unsigned>(index),
           static_cast<unsigned>(index));
}

std::unique_ptr<PresetRecord> Preset(const char* name) {
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
  preset->data.Assign(name, 16);
  return preset;
}

// Preset names in no particular order, as a store gives them.
std::string PresetName(int i) {
  static const char* const kWords[] = {"Warm", "bright", "Hall", "room", "Plate", "Echo", "Tape", "vocal"};
  return std::string(kWords[(i * 7) % 8]) + " " + std::to_string((i * 7919) % 100003);
}

bool WriteRegistryStore() {
  RegKey user = Reg_Root(RegRoot::CurrentUser);
  Reg_DeleteTree(user, kDirectShowPresetsKey);
  ScopedRegKey presets;
  if (Reg_CreateKey(user, kDirectShowPresetsKey, RegAccess::All, presets.Out()) != 0) return false;
  for (int p = 0; p < kPlugIns; ++p) {
    char classKey[64];
    ClassKey(p, classKey, sizeof(classKey));
    ScopedRegKey plugIn;
    if (Reg_CreateKey(presets.Get(), classKey, RegAccess::All, plugIn.Out()) != 0) return false;
    for (int i = 0; i < kPresetsPerPlugIn; ++i) {
      std::string name = PresetName(p * kPresetsPerPlugIn + i);
      if (Reg_SetValue(plugIn.Get(), name.c_str(), kRegBinary, name.c_str(), 64) != 0) return false;
    }
    if (p % 2 == 0) {
      ScopedRegKey registration;
      Reg_CreateKey(Reg_Root(RegRoot::ClassesRoot), (std::string("CLSID\\") + classKey).c_str(), RegAccess::All,
                    registration.Out());
      Reg_SetText(registration.Get(), "", ("Bench Effect " + std::to_string(p)).c_str());
    }
  }
  return true;
}

void RemoveRegistryStore() {
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kDirectShowPresetsKey);
  for (int p = 0; p < kPlugIns; p += 2) {
    char classKey[64];
    ClassKey(p, classKey, sizeof(classKey));
    Reg_DeleteTree(Reg_Root(RegRoot::ClassesRoot), (std::string("CLSID\\") + classKey).c_str());
  }
}

struct Program {
  VtMetric* settings = nullptr;
  VtLang* strings = nullptr;
  std::unique_ptr<FrameState> frame;

  bool Start() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    VtKernel_Start(instance);
    VtRegisterProductTokens();
    if (VtMetric_Open(&settings, kProductName, kProductVersion, nullptr) != 0) return false;
    if (VtLang_Open(&strings, instance, 2, 0) != 0) return false;
    if (!RegisterFrameClass(instance)) return false;
    DocumentRecord document;
    Document_SetUntitled(&document);
    FrameSetup setup = {instance, settings, strings, kProductFullName, document};
    if (CreateFrame(setup, &frame) != 0) return false;
    SetWindowPos(frame->window, nullptr, 0, 0, 1000, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(frame->window, SW_SHOWNOACTIVATE);
    return true;
  }
  ~Program() {
    frame.reset();
    VtLang_Close(strings);
    VtMetric_Close(settings);
  }
};

HTREEITEM Child(HWND tree, HTREEITEM parent, int index) {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, parent == nullptr ? TVGN_ROOT : TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
  for (int i = 0; i < index && item != nullptr; ++i) {
    item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
  return item;
}

void Select(HWND tree, HTREEITEM node) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, 0);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

// 20,000 presets of one plug-in in the package pane, listed on selection.
void MeasureList(Program& program, int runs) {
  FrameState& frame = *program.frame;
  StoreRecords& records = frame.stores.package;
  records.CreateEmpty();
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Big Bank", "{7EED0000-0000-4000-8000-0000000000FF}");
  for (int i = 0; i < kListPresets; ++i) entry->AppendPreset(Preset(PresetName(i).c_str()));
  records.plugIns->Append(std::move(entry));
  Pane& pane = frame.panes[kPackagePane];
  RebuildStoreTree(pane, frame.document.path);
  HTREEITEM plugIn = Child(pane.tree, Child(pane.tree, Child(pane.tree, nullptr, 0), 0), 0);
  double fill = Best(runs, [&] { Select(pane.tree, plugIn); });
  int count = static_cast<int>(SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0));
  printf("%-58s %8.3f s  (%d items; target <= 0.5 s)\n", "list of 20,000 presets filled", fill, count);
}

// The system tree of 500 plug-ins: from empty, and after one came or went.
void MeasureTree(Program& program, int runs) {
  FrameState& frame = *program.frame;
  Pane& pane = frame.panes[kSystemPane];
  double fromEmpty = 1e9;
  for (int run = 0; run < runs; ++run) {
    DeleteAllNodes(pane);
    fromEmpty = std::min(fromEmpty, Seconds([&] { RebuildStoreTree(pane, nullptr); }));
  }
  PlugInCollection& plugIns = *frame.stores.system.plugIns;
  double added = 1e9, removed = 1e9;
  for (int run = 0; run < runs; ++run) {
    std::unique_ptr<PlugInEntry> extra = PlugInEntry::Create("Bench Effect 251.5", "{7EED1111-0000-4000-8000-000000000001}");
    extra->AppendPreset(Preset("One"));
    const PlugInEntry* extraEntry = extra.get();
    plugIns.Append(std::move(extra));
    added = std::min(added, Seconds([&] { RebuildStoreTree(pane, nullptr); }));
    plugIns.Remove(extraEntry);
    removed = std::min(removed, Seconds([&] { RebuildStoreTree(pane, nullptr); }));
  }
  printf("%-58s %8.4f s  (target <= 0.050 s)\n", "RebuildStoreTree, 500 plug-ins, from empty", fromEmpty);
  printf("%-58s %8.4f s  (target <= 0.005 s)\n", "RebuildStoreTree, one plug-in added", added);
  printf("%-58s %8.4f s  (target <= 0.005 s)\n", "RebuildStoreTree, one plug-in removed", removed);
}

void MeasureComingBack(Program& program, int runs) {
  FrameState& frame = *program.frame;
  Pane& pane = frame.panes[kSystemPane];
  Select(pane.tree, Child(pane.tree, Child(pane.tree, nullptr, 0), 10));
  int listed = static_cast<int>(SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0));
  double comeBack = Best(runs, [&] { SendMessageA(frame.window, WM_ACTIVATEAPP, TRUE, 0); });
  double full = Best(runs, [&] {
    Stores stores;
    OwnedSystemStoreCache cache = SystemStoreCache_Create();
    RefreshSystemStore(stores, cache.get());
  });
  printf("%-58s %8.3f s  (%d presets listed)\n", "coming back, unchanged store (tree and list included)", comeBack,
         listed);
  printf("%-58s %8.3f s\n", "full load of the same store", full);
  printf("%-58s %8.3f    (target <= 0.1)\n", "coming back / full load", comeBack / full);
}

// The system's "FX Plug-Ins" node copied into an empty package, as the
// Copy to File command does it, then undone and redone; each from the
// command to the refreshed package tree and list.
void MeasureCopy(Program& program, int runs) {
  FrameState& frame = *program.frame;
  Pane& system = frame.panes[kSystemPane];
  Pane& package = frame.panes[kPackagePane];
  Select(system.tree, Child(system.tree, nullptr, 0));
  double copy = 1e9, undo = 1e9, redo = 1e9;
  uint32_t presets = 0;
  for (int run = 0; run < runs; ++run) {
    ClearUndo(frame.history);
    ClearRedo(frame.history);
    frame.stores.package.CreateEmpty();
    RebuildStoreTree(package, frame.document.path);
    copy = std::min(copy, Seconds([&] { CopyPaneSelection(frame, system, FocusKind::Tree); }));
    presets = frame.stores.package.plugIns->GetTotalPresetCount();
    undo = std::min(undo, Seconds([&] { UndoLastStep(frame); }));
    redo = std::min(redo, Seconds([&] { RedoLastStep(frame); }));
  }
  printf("%-58s %8.3f s  (%u presets; target <= 1 s)\n", "copy of FX Plug-Ins into an empty package", copy, presets);
  printf("%-58s %8.3f s  (target <= 1 s)\n", "its undo", undo);
  printf("%-58s %8.3f s  (target <= 1 s)\n", "its redo", redo);
}

// Typing into the find box over the system store of 20,000 presets in 500
// plug-ins: each keystroke from the text change to both panes narrowed and
// painted (tree and list), and clearing the box.
void MeasureFind(Program& program, int runs) {
  FrameState& frame = *program.frame;
  Pane& system = frame.panes[kSystemPane];
  ClearUndo(frame.history);
  ClearRedo(frame.history);
  frame.stores.package.CreateEmpty();
  RebuildStoreTree(frame.panes[kPackagePane], frame.document.path);
  Select(system.tree, Child(system.tree, Child(system.tree, nullptr, 0), 10));
  const char* const kTyped[] = {"v", "vo", "voc", "voca", "vocal", "vocal ", "vocal 1", "vocal 12"};
  auto show = [&](const char* text) {
    SetWindowTextA(frame.findBox, text);
    RedrawWindow(frame.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  double slowest = 1e9, first = 1e9, clear = 1e9;
  int listed = 0;
  for (int run = 0; run < runs; ++run) {
    double worst = 0;
    for (const char* text : kTyped) {
      double keystroke = Seconds([&] { show(text); });
      if (text[1] == '\0') first = std::min(first, keystroke);
      worst = std::max(worst, keystroke);
    }
    listed = static_cast<int>(SendMessageA(system.list, LVM_GETITEMCOUNT, 0, 0));
    slowest = std::min(slowest, worst);
    clear = std::min(clear, Seconds([&] { show(""); }));
  }
  printf("%-58s %8.4f s  (target <= 0.030 s)\n", "find, first keystroke (500 plug-ins, 20,000 presets)", first);
  printf("%-58s %8.4f s  (target <= 0.030 s; %d listed at the end)\n", "find, slowest keystroke", slowest, listed);
  printf("%-58s %8.4f s  (target <= 0.050 s)\n", "find box cleared, both panes whole", clear);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? atoi(argv[1]) : 5;
  if (runs < 1) runs = 1;
  printf("building %d plug-ins x %d presets in the registry...\n", kPlugIns, kPresetsPerPlugIn);
  if (!WriteRegistryStore()) {
    fprintf(stderr, "views_bench: the store could not be built\n");
    RemoveRegistryStore();
    return 1;
  }
  // A refresh reads again what was written in its last few seconds, so the
  // store settles first, as a store in use has.
  printf("waiting for the store to settle...\n");
  std::this_thread::sleep_for(std::chrono::seconds(35));
  int status = 0;
  {
    Program program;
    if (!program.Start()) {
      fprintf(stderr, "views_bench: the frame could not be created\n");
      status = 1;
    } else {
      printf("best of %d runs\n\n", runs);
      MeasureList(program, runs);
      MeasureTree(program, runs);
      MeasureComingBack(program, runs);
      MeasureCopy(program, runs);
      MeasureFind(program, runs);
    }
  }
  RemoveRegistryStore();
  return status;
}
