// Copying a system store of many presets into an empty package as one
// group, then undoing and redoing it: the figures for a store of 20,000
// presets in 500 plug-ins, and the same steps for stores of other sizes to
// show how the time grows with the number of presets. Each figure is the
// best of three runs. Last, what it costs to be watched as the window
// watches (a progress check at every item): with and without.
//
// usage: edit_bench [PRESETS_PER_PLUG_IN]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "edit/group_progress.h"
#include "edit/selection_edit.h"
#include "kernel/msgbox.h"
#include "platform/clock.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A system store of `plugIns` plug-ins with `perPlugIn` presets each, of
// 64 to 1087 bytes.
void FillSystemStore(Stores& stores, int plugIns, int perPlugIn) {
  PlugInCollection* collection = GetPlugInCollection(stores, StoreId::System);
  unsigned char bytes[1088];
  for (size_t i = 0; i < sizeof(bytes); ++i) bytes[i] = static_cast<unsigned char>(i * 31 + 7);
  for (int p = 0; p < plugIns; ++p) {
    char name[64], classKey[64];
    snprintf(name, sizeof(name), "Effect %05d", p);
    snprintf(classKey, sizeof(classKey), "{%08X-0000-4000-8000-%012X}", p * 2654435761u, p);
    std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name, classKey);
    for (int k = 0; k < perPlugIn; ++k) {
      char presetName[128];
      snprintf(presetName, sizeof(presetName), "Preset %03d of %s", k, name);
      std::unique_ptr<PresetRecord> preset = PresetRecord::Create(presetName);
      preset->data.Assign(bytes, 64 + static_cast<uint32_t>((p * 131 + k * 17) % 1024));
      entry->AppendPreset(std::move(preset));
    }
    collection->Append(std::move(entry));
  }
}

struct Figures {
  double copy, undo, redo;
};

// Watches as the window does: asks the pacer at every item; what the
// window would then draw is left out, being rare by design.
struct PacedWatcher final : public GroupProgress {
  ProgressPacer pacer{Clock_Now};
  int32_t shown = 0;
  bool Step(int32_t, int32_t) override {
    if (pacer.Check() != ProgressPacer::Due::Nothing) ++shown;
    return true;
  }
};

Figures Measure(int plugIns, int perPlugIn, bool watched = false) {
  Stores stores;
  FillSystemStore(stores, plugIns, perPlugIn);
  History history;
  PacedWatcher watcher;
  if (watched) history.progress = &watcher;
  EditContext edit{stores, history, nullptr};

  Selection selection;
  selection.names.Add(kPlugInGroupLabel);
  selection.focus = FocusKind::Tree;
  selection.selectedKind = NodeKind::PlugInGroup;

  Figures figures{};
  auto start = std::chrono::steady_clock::now();
  EditOutcome outcome = CopySelectionToOtherStore(edit, StoreId::System, selection);
  figures.copy = Seconds(start);
  uint32_t copied = stores.package.plugIns->GetTotalPresetCount();

  start = std::chrono::steady_clock::now();
  int32_t undone = Undo(history, stores, nullptr);
  figures.undo = Seconds(start);
  uint32_t left = stores.package.plugIns->GetTotalPresetCount();

  start = std::chrono::steady_clock::now();
  int32_t redone = Redo(history, stores, nullptr);
  figures.redo = Seconds(start);
  uint32_t back = stores.package.plugIns->GetTotalPresetCount();

  if (!outcome.committed || undone != 0 || redone != 0 || copied != static_cast<uint32_t>(plugIns * perPlugIn) ||
      left != 0 || back != copied) {
    fprintf(stderr, "edit_bench: the copy went wrong (%u copied, %u after undo, %u after redo)\n", copied, left,
            back);
    exit(1);
  }
  return figures;
}

// The best of `runs` runs: the first run of a size also pays for fresh
// memory from the system, which is not what the steps cost.
Figures Best(int plugIns, int perPlugIn, bool watched = false, int runs = 3) {
  Figures best = Measure(plugIns, perPlugIn, watched);
  for (int run = 1; run < runs; ++run) {
    Figures f = Measure(plugIns, perPlugIn, watched);
    if (f.copy < best.copy) best.copy = f.copy;
    if (f.undo < best.undo) best.undo = f.undo;
    if (f.redo < best.redo) best.redo = f.redo;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int perPlugIn = argc > 1 ? atoi(argv[1]) : 40;
  if (perPlugIn < 1) perPlugIn = 40;
  Measure(50, perPlugIn);  // warm up

  Figures main = Best(500, 40);
  printf("20000 presets in 500 plug-ins: copy %.3f s, undo %.3f s, redo %.3f s\n", main.copy, main.undo, main.redo);

  printf("\n%9s %9s %9s %9s %9s  (seconds; %d presets per plug-in)\n", "presets", "plug-ins", "copy", "undo", "redo",
         perPlugIn);
  Figures previous{};
  for (int presets = 5000; presets <= 160000; presets *= 2) {
    int plugIns = presets / perPlugIn;
    Figures f = Best(plugIns, perPlugIn);
    printf("%9d %9d %9.3f %9.3f %9.3f", plugIns * perPlugIn, plugIns, f.copy, f.undo, f.redo);
    if (previous.copy > 0) {
      printf("   growth x%.2f x%.2f x%.2f", f.copy / previous.copy, f.undo / previous.undo, f.redo / previous.redo);
    }
    printf("\n");
    previous = f;
  }
  printf("\n(doubling the presets: x2.0 is linear, about x2.1 is n log n, x4 is quadratic)\n");

  // Watched and plain runs taken in turns, so that both see the same machine.
  Figures plain = Measure(500, 40, false), watched = Measure(500, 40, true);
  for (int run = 0; run < 9; ++run) {
    Figures p = Measure(500, 40, false), w = Measure(500, 40, true);
    plain = {std::min(plain.copy, p.copy), std::min(plain.undo, p.undo), std::min(plain.redo, p.redo)};
    watched = {std::min(watched.copy, w.copy), std::min(watched.undo, w.undo), std::min(watched.redo, w.redo)};
  }
  auto percent = [](double with, double without) { return 100.0 * (with - without) / without; };
  printf("\nwatched by the progress window, 20000 presets: copy %.3f s (%+.1f%%), undo %.3f s (%+.1f%%), "
         "redo %.3f s (%+.1f%%)\n",
         watched.copy, percent(watched.copy, plain.copy), watched.undo, percent(watched.undo, plain.undo),
         watched.redo, percent(watched.redo, plain.redo));
  // The watch itself, alone: what one item pays, beside what an item costs.
  PacedWatcher watcher;
  const int checks = 1000000;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < checks; ++i) watcher.Step(i, checks);
  double perCheck = Seconds(start) / checks;
  printf("one watch: %.1f ns; one item of the quickest step (undo): %.1f ns, so at most %.1f%%\n", perCheck * 1e9,
         plain.undo / 20000 * 1e9, 100.0 * perCheck / (plain.undo / 20000));
  return 0;
}
