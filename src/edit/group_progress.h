// Long work on a group (a commit, an undo or a redo of thousands of items)
// tells whoever watches how far it has got, and may be stopped between two
// items. The history calls the watcher; the window supplies it, so the edit
// layer never calls the views.
#pragma once

#include <cstdint>

class GroupProgress {
 public:
  // Before each item: `done` items of `total` are behind. False stops the
  // work before this item.
  virtual bool Step(int32_t done, int32_t total) = 0;

 protected:
  ~GroupProgress() = default;
};

// When the work is worth showing: not before it has run for `showAfter`,
// then no more often than every `interval`, so that being watched costs the
// work next to nothing. Times in the clock's 100-ns ticks. The clock is
// read at every `clockEvery`th item only: on some machines a reading costs
// as much as a tenth of an item.
class ProgressPacer {
 public:
  enum class Due { Nothing, Show, Update };
  using ClockFunction = uint64_t (*)();

  static constexpr uint64_t kTicksPerMillisecond = 10000;
  ProgressPacer(ClockFunction clock, uint64_t showAfter = 1000 * kTicksPerMillisecond,
                uint64_t interval = 50 * kTicksPerMillisecond, uint32_t clockEvery = 16);

  // Asked per item: Show once the work has run long enough, then Update
  // when the last showing is `interval` old. A clock set back starts the
  // wait again rather than showing at once or never.
  Due Check();
  bool Shown() const { return shown_; }

 private:
  ClockFunction clock_;
  uint64_t showAfter_;
  uint64_t interval_;
  uint32_t clockEvery_;
  uint32_t untilReading_ = 0;  // items to go before the clock is read again
  uint64_t since_;             // the start, then the last showing
  bool shown_ = false;
};
