// Settings ("metrics"): numbered values in the registry below
// Software\Veltrane\<application>\<major>.<minor>\Metrics, in the current
// user's hive for positive numbers and the machine's for negative ones.
// A metric's registry type is fixed by the call that reads or writes it; a
// value of another type reads as missing. Nothing is cached.
#pragma once

#include <cstddef>
#include <cstdint>

struct VtMetric;  // opaque; owned by whoever opened it, freed by VtMetric_Close

// Version word: major version in bits 24 to 31, minor in 16 to 23; the
// build number in the low bits is not part of the key.
constexpr uint32_t VtVersionWord(uint32_t major, uint32_t minor, uint32_t build) {
  return (major << 24) | (minor << 16) | (build & 0xFFFF);
}

// Opens (creating where missing) both keys. A key that cannot be created
// stays closed: its metrics read as missing and fail to write. Gives 0 or
// E_OUTOFMEMORY.
int32_t VtMetric_Open(VtMetric** out, const char* application, uint32_t version, const char* subKey);
void VtMetric_Close(VtMetric* handle);  // null is fine

// The key path the handle uses, e.g. "Software\Veltrane\Ordalis\1.0\Metrics".
const char* VtMetric_KeyPath(const VtMetric* handle);

// The value name of metric `id` for a registry type: "31010", "S30110",
// "B100" or "Z7" (of the number's magnitude).
void VtMetric_ValueName(int32_t id, uint32_t registryType, char* name, size_t size);

// Numbers (REG_DWORD). VtGetMetric gives 0 when missing. VtGetMetricEx gives
// the default when missing and, unless minimum equals maximum, clamps the
// result (the default too); without a handle it gives the default as it is.
int32_t VtGetMetric(const VtMetric* handle, int32_t id);
int32_t VtGetMetricEx(const VtMetric* handle, int32_t id, int32_t minimum, int32_t maximum, int32_t fallback);
bool VtGetMetricBool(const VtMetric* handle, int32_t id, bool fallback);
int32_t VtSetMetric(const VtMetric* handle, int32_t id, int32_t value);  // 0 or E_FAIL

// Bytes (REG_BINARY). Reads at most `size` bytes and zero-fills the rest of
// the buffer; gives the bytes read, 0 when missing or larger than the buffer.
uint32_t VtGetMetricBinary(const VtMetric* handle, int32_t id, void* buffer, uint32_t size);
int32_t VtSetMetricBinary(const VtMetric* handle, int32_t id, const void* data, uint32_t size);

// Texts (REG_SZ, stored with their NUL). Reads into `buffer`, zero-filling
// the rest, and gives the text's length when it is not empty. An empty
// stored text with `keepEmpty` gives 0 and an empty buffer; otherwise a
// missing or empty text gives the default (cut to the buffer) and its
// length, or 0 without one. A text too long for the buffer is read cut to
// it, at a character boundary.
int32_t VtGetMetricStringEx(const VtMetric* handle, int32_t id, char* buffer, uint32_t size, const char* fallback,
                            bool keepEmpty);
int32_t VtSetMetricString(const VtMetric* handle, int32_t id, const char* text);
