// The in-memory registry of the native build. It keeps the platform's rules
// that callers can see: case-insensitive names, enumeration in name order,
// access checks per handle, the statuses of the real calls, and keys that
// stay valid handles (with status 1018) after they are deleted.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/change_fault.h"
#include "platform/registry.h"
#include "platform/registry_memory.h"
#include "platform/text.h"

namespace {

struct MemValue {
  std::string name;
  uint32_t type;
  std::vector<unsigned char> data;
};

struct MemNode {
  std::string name;
  MemNode* parent = nullptr;  // not owned; null for a root
  std::vector<std::shared_ptr<MemNode>> subkeys;  // sorted by name, case-insensitively
  std::vector<MemValue> values;                   // sorted the same way
  bool deleted = false;
  bool isVolatile = false;  // refuses non-volatile subkeys (1021)
  int32_t refusal = 0;      // when not 0, every change of the key's values and subkeys gives it
  uint64_t lastWrite = 0;
};

uint64_t g_clock = 0;

void Touch(MemNode* node) { node->lastWrite = ++g_clock; }

const char* Name(const std::shared_ptr<MemNode>& node) { return node->name.c_str(); }
const char* Name(const MemValue& value) { return value.name.c_str(); }

template <class Items>
size_t LowerBound(const Items& items, const char* name, bool* found) {
  size_t lo = 0, hi = items.size();
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    if (Text_CompareNoCase(Name(items[mid]), name) < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  *found = lo < items.size() && Text_CompareNoCase(Name(items[lo]), name) == 0;
  return lo;
}


void MarkDeleted(MemNode* node) {
  node->deleted = true;
  for (auto& sub : node->subkeys) MarkDeleted(sub.get());
  node->subkeys.clear();
  node->values.clear();
}

}  // namespace

struct RegKeyRecord {
  std::shared_ptr<MemNode> node;
  RegAccess access;
  bool isRoot;
};

namespace {

RegKeyRecord& RootRecord(RegRoot root) {
  static RegKeyRecord records[3] = {
      {std::make_shared<MemNode>(), RegAccess::All, true},
      {std::make_shared<MemNode>(), RegAccess::All, true},
      {std::make_shared<MemNode>(), RegAccess::All, true},
  };
  return records[static_cast<int>(root)];
}

bool CanRead(RegKey key) { return key->access != RegAccess::Write; }
bool CanWrite(RegKey key) { return key->access != RegAccess::Read; }

// Checks a handle before use: 6 for none, 1018 for a deleted key.
int32_t CheckKey(RegKey key) {
  if (key == nullptr || key->node == nullptr) return kErrorInvalidHandle;
  if (key->node->deleted) return kErrorKeyDeleted;
  return 0;
}

// Splits `path` at backslashes and walks it from `node`, creating missing
// keys when asked. Gives the node, or null with the status in `status`.
std::shared_ptr<MemNode> Walk(const std::shared_ptr<MemNode>& from, const char* path, bool create,
                              int32_t* status, bool createVolatile = false) {
  std::shared_ptr<MemNode> node = from;
  const char* p = path != nullptr ? path : "";
  while (*p != '\0') {
    const char* end = strchr(p, '\\');
    size_t length = end != nullptr ? static_cast<size_t>(end - p) : strlen(p);
    if (length == 0) {
      *status = kErrorInvalidParameter;
      return nullptr;
    }
    std::string part(p, length);
    bool found = false;
    size_t at = LowerBound(node->subkeys, part.c_str(), &found);
    if (!found) {
      if (!create) {
        *status = kErrorFileNotFound;
        return nullptr;
      }
      if (node->refusal != 0 || (node->isVolatile && !createVolatile)) {
        *status = node->refusal != 0 ? node->refusal : kErrorChildMustBeVolatile;
        return nullptr;
      }
      auto sub = std::make_shared<MemNode>();
      sub->name = part;
      sub->parent = node.get();
      sub->isVolatile = createVolatile;
      Touch(sub.get());
      node->subkeys.insert(node->subkeys.begin() + static_cast<std::ptrdiff_t>(at), sub);
      Touch(node.get());
    }
    node = node->subkeys[at];
    p += length;
    if (*p == '\\') ++p;
  }
  *status = 0;
  return node;
}

int32_t OpenOrCreate(RegKey parent, const char* path, RegAccess access, RegKey* out, bool create) {
  *out = nullptr;
  int32_t status = CheckKey(parent);
  if (status != 0) return status;
  if (create && !CanWrite(parent) && !parent->isRoot) {
    // Creating a missing subkey needs the parent's create right; opening an
    // existing one does not.
    int32_t probe = 0;
    if (Walk(parent->node, path, false, &probe) == nullptr) return kErrorAccessDenied;
  }
  std::shared_ptr<MemNode> node = Walk(parent->node, path, create, &status);
  if (node == nullptr) return status;
  *out = new RegKeyRecord{node, access, false};
  return 0;
}

int32_t StoreName(const std::string& name, char* buffer, uint32_t* size) {
  if (name.size() + 1 > *size) return kErrorMoreData;
  memcpy(buffer, name.c_str(), name.size() + 1);
  *size = static_cast<uint32_t>(name.size());
  return 0;
}

int32_t StoreData(const MemValue& value, uint32_t* type, void* data, uint32_t* dataSize) {
  if (type != nullptr) *type = value.type;
  if (dataSize == nullptr) return 0;
  uint32_t capacity = *dataSize;
  *dataSize = static_cast<uint32_t>(value.data.size());
  if (data == nullptr) return 0;
  if (value.data.size() > capacity) return kErrorMoreData;
  if (!value.data.empty()) memcpy(data, value.data.data(), value.data.size());
  return 0;
}

}  // namespace

RegKey Reg_Root(RegRoot root) { return &RootRecord(root); }

int32_t Reg_OpenKey(RegKey parent, const char* path, RegAccess access, RegKey* out) {
  return OpenOrCreate(parent, path, access, out, false);
}

int32_t Reg_CreateKey(RegKey parent, const char* path, RegAccess access, RegKey* out) {
  if (!ChangeFault_Allow()) return kErrorAccessDenied;
  return OpenOrCreate(parent, path, access, out, true);
}

// One registry, one view.
int32_t Reg_OpenKeyInView(RegKey parent, const char* path, RegAccess access, RegView, RegKey* out) {
  return OpenOrCreate(parent, path, access, out, false);
}

void Reg_CloseKey(RegKey key) {
  if (key != nullptr && !key->isRoot) delete key;
}

int32_t Reg_EnumKey(RegKey key, uint32_t index, char* name, uint32_t* nameSize) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanRead(key)) return kErrorAccessDenied;
  if (index >= key->node->subkeys.size()) return kErrorNoMoreItems;
  return StoreName(key->node->subkeys[index]->name, name, nameSize);
}

int32_t Reg_EnumValue(RegKey key, uint32_t index, char* name, uint32_t* nameSize, uint32_t* type, void* data,
                      uint32_t* dataSize) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanRead(key)) return kErrorAccessDenied;
  if (index >= key->node->values.size()) return kErrorNoMoreItems;
  const MemValue& value = key->node->values[index];
  status = StoreName(value.name, name, nameSize);
  if (status != 0) return status;
  return StoreData(value, type, data, dataSize);
}

int32_t Reg_QueryInfo(RegKey key, RegKeyInfo* info) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanRead(key)) return kErrorAccessDenied;
  const MemNode& node = *key->node;
  *info = RegKeyInfo{};
  info->subKeyCount = static_cast<uint32_t>(node.subkeys.size());
  info->valueCount = static_cast<uint32_t>(node.values.size());
  for (const auto& sub : node.subkeys) {
    if (sub->name.size() > info->maxSubKeyLength) info->maxSubKeyLength = static_cast<uint32_t>(sub->name.size());
  }
  for (const MemValue& value : node.values) {
    if (value.name.size() > info->maxValueNameLength) {
      info->maxValueNameLength = static_cast<uint32_t>(value.name.size());
    }
    if (value.data.size() > info->maxValueSize) info->maxValueSize = static_cast<uint32_t>(value.data.size());
  }
  info->lastWriteTime = node.lastWrite;
  return 0;
}

int32_t Reg_QueryValue(RegKey key, const char* name, uint32_t* type, void* data, uint32_t* dataSize) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanRead(key)) return kErrorAccessDenied;
  bool found = false;
  size_t at = LowerBound(key->node->values, name != nullptr ? name : "", &found);
  if (!found) return kErrorFileNotFound;
  return StoreData(key->node->values[at], type, data, dataSize);
}

int32_t Reg_SetValue(RegKey key, const char* name, uint32_t type, const void* data, uint32_t size) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanWrite(key) || !ChangeFault_Allow()) return kErrorAccessDenied;
  if (key->node->refusal != 0) return key->node->refusal;
  if (size > 0 && data == nullptr) return kErrorInvalidParameter;
  MemValue value{name != nullptr ? name : "", type, {}};
  if (size > 0) {
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    value.data.assign(bytes, bytes + size);
  }
  auto& values = key->node->values;
  bool found = false;
  size_t at = LowerBound(values, value.name.c_str(), &found);
  if (found) {
    // Windows keeps the spelling of the existing name.
    value.name = values[at].name;
    values[at] = std::move(value);
  } else {
    values.insert(values.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
  }
  Touch(key->node.get());
  return 0;
}

int32_t Reg_DeleteValue(RegKey key, const char* name) {
  int32_t status = CheckKey(key);
  if (status != 0) return status;
  if (!CanWrite(key) || !ChangeFault_Allow()) return kErrorAccessDenied;
  if (key->node->refusal != 0) return key->node->refusal;
  auto& values = key->node->values;
  bool found = false;
  size_t at = LowerBound(values, name != nullptr ? name : "", &found);
  if (!found) return kErrorFileNotFound;
  values.erase(values.begin() + static_cast<std::ptrdiff_t>(at));
  Touch(key->node.get());
  return 0;
}

namespace {

int32_t DeleteKey(RegKey parent, const char* path, bool tree) {
  int32_t status = CheckKey(parent);
  if (status != 0) return status;
  if (path == nullptr || *path == '\0') return kErrorInvalidParameter;
  if (!ChangeFault_Allow()) return kErrorAccessDenied;
  std::shared_ptr<MemNode> node = Walk(parent->node, path, false, &status);
  if (node == nullptr) return status;
  if (!tree && !node->subkeys.empty()) return kErrorAccessDenied;
  MemNode* owner = node->parent;
  if (owner->refusal != 0) return owner->refusal;
  bool found = false;
  size_t at = LowerBound(owner->subkeys, node->name.c_str(), &found);
  owner->subkeys.erase(owner->subkeys.begin() + static_cast<std::ptrdiff_t>(at));
  Touch(owner);
  MarkDeleted(node.get());
  return 0;
}

}  // namespace

int32_t Reg_DeleteKey(RegKey parent, const char* path) { return DeleteKey(parent, path, false); }

int32_t Reg_DeleteTree(RegKey parent, const char* path) { return DeleteKey(parent, path, true); }

void MemoryRegistry_Clear() {
  for (RegRoot root : {RegRoot::CurrentUser, RegRoot::ClassesRoot, RegRoot::LocalMachine}) {
    MemNode* node = RootRecord(root).node.get();
    for (auto& sub : node->subkeys) MarkDeleted(sub.get());
    node->subkeys.clear();
    node->values.clear();
  }
}

int32_t MemoryRegistry_CreateVolatileKey(RegRoot root, const char* path) {
  int32_t status = 0;
  std::shared_ptr<MemNode> node = Walk(RootRecord(root).node, path, true, &status, true);
  return node != nullptr ? 0 : status;
}

int32_t MemoryRegistry_RefuseChanges(RegRoot root, const char* path, int32_t error) {
  int32_t status = 0;
  std::shared_ptr<MemNode> node = Walk(RootRecord(root).node, path, false, &status);
  if (node == nullptr) return status;
  node->refusal = error;
  return 0;
}
