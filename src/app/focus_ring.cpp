#include "app/focus_ring.h"

namespace {

constexpr int kRingSize = 4;

int RingIndex(int pane, FocusKind kind) { return pane * 2 + (kind == FocusKind::List ? 1 : 0); }

}  // namespace

PaneControl StepFocus(int activePane, FocusKind kind, bool forward, const bool hasItems[4]) {
  // Without a focused control, start from the one the first step leaves.
  if (kind == FocusKind::None) kind = forward ? FocusKind::Tree : FocusKind::List;
  int start = RingIndex(activePane, kind);
  int step = forward ? 1 : kRingSize - 1;
  for (int i = 1; i <= kRingSize; ++i) {
    int at = (start + step * i) % kRingSize;
    if (hasItems[at]) return {at / 2, at % 2 == 0 ? FocusKind::Tree : FocusKind::List};
  }
  return {activePane, FocusKind::None};
}

bool StepPassesFindBox(PaneControl from, PaneControl to, bool forward) {
  if (from.kind == FocusKind::None || to.kind == FocusKind::None) return false;
  int start = RingIndex(from.pane, from.kind), end = RingIndex(to.pane, to.kind);
  return forward ? end <= start : end >= start;
}
