// What a failed write or delete of the system store was about, in words:
// the key, value, file or setting concerned and what went wrong with it,
// for the error report beside the status.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kStoreFailureSize = 1400;

struct StoreFailure {
  int32_t status = 0;  // 0 until something failed
  char detail[kStoreFailureSize] = {};
};

// Describes the failure in `failure` (when given and not yet describing an
// earlier one: the first failure is the one that counts) and gives `status`.
int32_t FailWith(StoreFailure* failure, int32_t status, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// "HKEY_CURRENT_USER\<path>", cut to the buffer: how failures name a key.
void NameUserKey(const char* path, char* buffer, size_t size);
