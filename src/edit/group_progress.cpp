#include "edit/group_progress.h"

ProgressPacer::ProgressPacer(ClockFunction clock, uint64_t showAfter, uint64_t interval)
    : clock_(clock), showAfter_(showAfter), interval_(interval), since_(clock()) {}

ProgressPacer::Due ProgressPacer::Check() {
  uint64_t now = clock_();
  if (now < since_) since_ = now;
  uint64_t waited = now - since_;
  if (waited < (shown_ ? interval_ : showAfter_)) return Due::Nothing;
  since_ = now;
  if (shown_) return Due::Update;
  shown_ = true;
  return Due::Show;
}
