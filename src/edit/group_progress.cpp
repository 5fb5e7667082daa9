#include "edit/group_progress.h"

ProgressPacer::ProgressPacer(ClockFunction clock, uint64_t showAfter, uint64_t interval, uint32_t clockEvery)
    : clock_(clock), showAfter_(showAfter), interval_(interval), clockEvery_(clockEvery > 0 ? clockEvery : 1),
      since_(clock()) {}

ProgressPacer::Due ProgressPacer::Check() {
  if (untilReading_ > 0) {
    --untilReading_;
    return Due::Nothing;
  }
  untilReading_ = clockEvery_ - 1;
  uint64_t now = clock_();
  if (now < since_) since_ = now;
  uint64_t waited = now - since_;
  if (waited < (shown_ ? interval_ : showAfter_)) return Due::Nothing;
  since_ = now;
  if (shown_) return Due::Update;
  shown_ = true;
  return Due::Show;
}
