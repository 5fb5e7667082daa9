#include "store/tracked_write.h"

TrackedWrite::TrackedWrite(Stores& stores, const StoreChange* change)
    : keep_(change != nullptr ? change->trail : nullptr) {
  write_.index = &stores.systemIndex;
  write_.file = change != nullptr ? change->file : nullptr;
  write_.trail = &trail_;
  write_.failure = change != nullptr ? change->failure : nullptr;
}

int32_t TrackedWrite::CheckBytes(bool empty, const char* what) {
  if (!empty || (write_.file != nullptr && write_.file[0] != '\0')) return 0;
  return FailWith(write_.failure, E_INVALIDARG, "%s cannot be written", what);
}

int32_t TrackedWrite::Finish(int32_t status) {
  if (status == 0) status = KeepTrail(keep_, &trail_);
  if (status != 0) TakeBack(&trail_);
  return status;
}
