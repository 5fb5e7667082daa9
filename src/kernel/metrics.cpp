#include "kernel/metrics.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/registry.h"
#include "platform/text.h"

struct VtMetric {
  char path[300];
  ScopedRegKey machine;  // HKEY_LOCAL_MACHINE\path; closed when it could not be created
  ScopedRegKey user;     // HKEY_CURRENT_USER\path; likewise
};

namespace {

RegKey KeyFor(const VtMetric* handle, int32_t id) {
  if (handle == nullptr) return nullptr;
  return id < 0 ? handle->machine.Get() : handle->user.Get();
}

// Reads a value of exactly `type`; false when missing, of another type, or
// larger than `*size` (which becomes the bytes read).
bool ReadTyped(const VtMetric* handle, int32_t id, uint32_t type, void* data, uint32_t* size) {
  RegKey key = KeyFor(handle, id);
  if (key == nullptr) return false;
  char name[16];
  VtMetric_ValueName(id, type, name, sizeof(name));
  uint32_t gotType = 0;
  return Reg_QueryValue(key, name, &gotType, data, size) == 0 && gotType == type;
}

int32_t WriteTyped(const VtMetric* handle, int32_t id, uint32_t type, const void* data, uint32_t size) {
  RegKey key = KeyFor(handle, id);
  if (key == nullptr) return E_FAIL;
  char name[16];
  VtMetric_ValueName(id, type, name, sizeof(name));
  return Reg_SetValue(key, name, type, data, size) == 0 ? 0 : E_FAIL;
}

bool ReadNumber(const VtMetric* handle, int32_t id, int32_t* value) {
  uint32_t word = 0;
  uint32_t size = sizeof(word);
  if (!ReadTyped(handle, id, kRegDword, &word, &size) || size != sizeof(word)) return false;
  *value = static_cast<int32_t>(word);
  return true;
}

}  // namespace

int32_t VtMetric_Open(VtMetric** out, const char* application, uint32_t version, const char* subKey) {
  *out = nullptr;
  VtMetric* handle = new (std::nothrow) VtMetric{};
  if (handle == nullptr) return E_OUTOFMEMORY;
  int length = snprintf(handle->path, sizeof(handle->path), "Software\\Veltrane\\%s\\%u.%u\\Metrics", application,
                        version >> 24, (version >> 16) & 0xFF);
  if (length > 0 && subKey != nullptr && subKey[0] != '\0') {
    Text_Append(handle->path, sizeof(handle->path), "\\");
    Text_Append(handle->path, sizeof(handle->path), subKey);
  }
  // Without administrative rights the machine's key may not be creatable;
  // it then stays closed, which only matters for negative identifiers.
  if (Reg_CreateKey(Reg_Root(RegRoot::LocalMachine), handle->path, RegAccess::All, handle->machine.Out()) != 0) {
    handle->machine.Reset();
  }
  if (Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), handle->path, RegAccess::All, handle->user.Out()) != 0) {
    handle->user.Reset();
  }
  *out = handle;
  return 0;
}

void VtMetric_Close(VtMetric* handle) { delete handle; }

const char* VtMetric_KeyPath(const VtMetric* handle) { return handle != nullptr ? handle->path : ""; }

void VtMetric_ValueName(int32_t id, uint32_t registryType, char* name, size_t size) {
  uint32_t magnitude = id < 0 ? 0u - static_cast<uint32_t>(id) : static_cast<uint32_t>(id);
  const char* prefix = registryType == kRegSz ? "S" : registryType == kRegBinary ? "B"
                       : registryType == kRegMultiSz ? "Z" : "";
  snprintf(name, size, "%s%u", prefix, magnitude);
}

int32_t VtGetMetric(const VtMetric* handle, int32_t id) {
  int32_t value = 0;
  return ReadNumber(handle, id, &value) ? value : 0;
}

int32_t VtGetMetricEx(const VtMetric* handle, int32_t id, int32_t minimum, int32_t maximum, int32_t fallback) {
  if (handle == nullptr) return fallback;
  int32_t value = fallback;
  ReadNumber(handle, id, &value);
  if (minimum == maximum) return value;
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

bool VtGetMetricBool(const VtMetric* handle, int32_t id, bool fallback) {
  int32_t value = 0;
  return ReadNumber(handle, id, &value) ? value != 0 : fallback;
}

int32_t VtSetMetric(const VtMetric* handle, int32_t id, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  return WriteTyped(handle, id, kRegDword, &word, sizeof(word));
}

uint32_t VtGetMetricBinary(const VtMetric* handle, int32_t id, void* buffer, uint32_t size) {
  uint32_t got = size;
  if (!ReadTyped(handle, id, kRegBinary, buffer, &got)) got = 0;
  memset(static_cast<unsigned char*>(buffer) + got, 0, size - got);
  return got;
}

int32_t VtSetMetricBinary(const VtMetric* handle, int32_t id, const void* data, uint32_t size) {
  return WriteTyped(handle, id, kRegBinary, data, size);
}

namespace {

// Reads the REG_SZ metric whole and copies it into `buffer`, cut at a
// character boundary when it is longer. False when missing or of another type.
bool ReadText(RegKey key, const char* name, char* buffer, uint32_t size) {
  uint32_t type = 0, bytes = 0;
  if (key == nullptr || Reg_QueryValue(key, name, &type, nullptr, &bytes) != 0 || type != kRegSz) return false;
  std::unique_ptr<char[]> text(new (std::nothrow) char[bytes + 1u]);
  if (!text) return false;
  if (Reg_QueryText(key, name, text.get(), bytes + 1u, &type) != 0 || type != kRegSz) return false;
  Text_Copy(buffer, size, text.get());
  return true;
}

}  // namespace

int32_t VtGetMetricStringEx(const VtMetric* handle, int32_t id, char* buffer, uint32_t size, const char* fallback,
                            bool keepEmpty) {
  if (size == 0) return 0;
  memset(buffer, 0, size);
  char name[16];
  VtMetric_ValueName(id, kRegSz, name, sizeof(name));
  bool found = ReadText(KeyFor(handle, id), name, buffer, size);
  if (!found) memset(buffer, 0, size);
  size_t length = strnlen(buffer, size);
  if (length > 0) return static_cast<int32_t>(length);
  if (found && keepEmpty) return 0;
  if (fallback == nullptr) return 0;
  return static_cast<int32_t>(Text_Copy(buffer, size, fallback));
}

int32_t VtSetMetricString(const VtMetric* handle, int32_t id, const char* text) {
  return WriteTyped(handle, id, kRegSz, text, static_cast<uint32_t>(strlen(text) + 1));
}
