// One write of a store-level operation into the system store: the
// settings its change gives, and a trail of its own that is kept for the
// change when the write succeeds and taken back when it fails, so that a
// failed put leaves no key or DefLocation behind.
#pragma once

#include <cstdint>

#include "store/store_files.h"
#include "store/stores.h"

class TrackedWrite {
 public:
  TrackedWrite(Stores& stores, const StoreChange* change);
  TrackedWrite(const TrackedWrite&) = delete;
  TrackedWrite& operator=(const TrackedWrite&) = delete;

  SystemWrite* Get() { return &write_; }
  StoreFailure* Failure() { return write_.failure; }
  // A record without bytes may only name its old file again; `what` says
  // what it lacks, for the failure.
  int32_t CheckBytes(bool empty, const char* what);
  // Gives `status`, having kept the trail for the change (0) or taken it
  // back (a failure).
  int32_t Finish(int32_t status);

 private:
  WriteTrail trail_;
  SystemWrite write_;
  WriteTrail* keep_;
};
