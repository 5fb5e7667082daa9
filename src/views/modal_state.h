// Whether one of the program's own modal loops is running (a message box, a
// label edit, a splitter drag, a dialog). While one runs, the operation that
// started it may hold records of the stores, so a refresh that would replace
// them waits until the last loop has ended.
#pragma once

#include <cstdint>

struct ModalState {
  int32_t depth = 0;
  bool refreshPending = false;
  bool openPending = false;  // a package handed over by a second start waits
  // Called when the last loop ends while a refresh or an open waits; the
  // frame posts itself a message so they run outside the loop's caller.
  void (*refreshDue)(void* context) = nullptr;
  void* context = nullptr;
};

inline void ModalState_Enter(ModalState& state) { ++state.depth; }

inline void ModalState_Leave(ModalState& state) {
  if (state.depth > 0) --state.depth;
  if (state.depth == 0 && (state.refreshPending || state.openPending) && state.refreshDue != nullptr) {
    state.refreshDue(state.context);
  }
}

// Holds the state busy for its lifetime.
class ModalScope {
 public:
  explicit ModalScope(ModalState& state) : state_(state) { ModalState_Enter(state_); }
  ~ModalScope() { ModalState_Leave(state_); }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  ModalState& state_;
};
