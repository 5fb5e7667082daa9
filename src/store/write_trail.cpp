#include "store/write_trail.h"

#include <new>

#include "platform/file.h"
#include "store/store_layout.h"

namespace {

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

// 0 for an empty key, 2 for none, another status for a key that holds
// something (or cannot be read).
int32_t ProbeEmpty(const char* path) {
  ScopedRegKey key;
  RegKeyInfo info;
  int32_t status = Reg_OpenKey(User(), path, RegAccess::Read, key.Out());
  if (status == 0) status = Reg_QueryInfo(key.Get(), &info);
  if (status != 0) return status;
  return info.subKeyCount == 0 && info.valueCount == 0 ? 0 : kErrorDirNotEmpty;
}

int32_t Record(std::vector<std::string>* created, const std::string& path) {
  try {
    created->push_back(path);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

}  // namespace

int32_t CreateUserKey(const char* path, ScopedRegKey* key, WriteTrail* trail, StoreFailure* failure) {
  char name[kStorePathSize];
  NameUserKey(path, name, sizeof(name));
  int32_t status = Reg_OpenKey(User(), path, RegAccess::All, key->Out());
  if (status == 0) return 0;
  if (status != kErrorFileNotFound) {
    return FailWith(failure, StatusFromError(status), "the key %s could not be opened", name);
  }
  // Made one level at a time, so that the trail knows each key it made.
  WriteTrail made;
  try {
    std::string partial;
    for (const char* part = path; *part != '\0';) {
      const char* end = part;
      while (*end != '\0' && *end != '\\') ++end;
      if (!partial.empty()) partial += '\\';
      partial.append(part, end);
      part = *end == '\\' ? end + 1 : end;
      ScopedRegKey probe;
      status = Reg_OpenKey(User(), partial.c_str(), RegAccess::Read, probe.Out());
      if (status == 0) continue;
      status = Reg_CreateKey(User(), partial.c_str(), RegAccess::All, probe.Out());
      if (status != 0) break;
      status = Record(&made.keys, partial);
      if (status != 0) break;
    }
  } catch (const std::bad_alloc&) {
    status = E_OUTOFMEMORY;
  }
  if (status == 0) status = Reg_OpenKey(User(), path, RegAccess::All, key->Out());
  if (status == 0 && trail != nullptr) {
    for (const std::string& created : made.keys) {
      status = Record(&trail->keys, created);
      if (status != 0) break;
    }
  }
  if (status != 0) {
    key->Reset();
    TakeBack(&made);
    return FailWith(failure, StatusFailed(status) ? status : StatusFromError(status), "the key %s could not be created",
                    name);
  }
  return 0;
}

int32_t CreateSubkey(RegKey parent, const char* parentPath, const char* name, ScopedRegKey* key, WriteTrail* trail,
                     StoreFailure* failure) {
  std::string path;
  try {
    path = std::string(parentPath) + "\\" + name;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  char words[kStorePathSize];
  NameUserKey(path.c_str(), words, sizeof(words));
  int32_t status = Reg_OpenKey(parent, name, RegAccess::All, key->Out());
  if (status == 0) return 0;
  if (status == kErrorFileNotFound) {
    status = Reg_CreateKey(parent, name, RegAccess::All, key->Out());
    if (status != 0) return FailWith(failure, StatusFromError(status), "the key %s could not be created", words);
    if (trail == nullptr) return 0;
    status = Record(&trail->keys, path);
    if (status == 0) return 0;
    key->Reset();
    Reg_DeleteKey(parent, name);
    return status;
  }
  return FailWith(failure, StatusFromError(status), "the key %s could not be opened", words);
}

int32_t NoteDefLocationSet(WriteTrail* trail, const char* storePath) {
  if (trail == nullptr) return 0;
  try {
    trail->defLocationKey = storePath;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}

int32_t NoteFolderMade(WriteTrail* trail, const char* path) {
  if (trail == nullptr) return 0;
  return Record(&trail->folders, path);
}

void TakeBack(WriteTrail* trail) {
  for (size_t i = trail->folders.size(); i-- > 0;) File_RemoveFolder(trail->folders[i].c_str());
  if (!trail->defLocationKey.empty()) {
    ScopedRegKey store;
    if (Reg_OpenKey(User(), trail->defLocationKey.c_str(), RegAccess::All, store.Out()) == 0) {
      Reg_DeleteValue(store.Get(), kDefLocationValue);
    }
  }
  for (size_t i = trail->keys.size(); i-- > 0;) {
    const char* path = trail->keys[i].c_str();
    int32_t status = ProbeEmpty(path);
    if (status == kErrorFileNotFound) continue;  // gone with its item
    if (status != 0 || Reg_DeleteKey(User(), path) != 0) break;
  }
  trail->keys.clear();
  trail->defLocationKey.clear();
  trail->folders.clear();
}

int32_t KeepTrail(WriteTrail* to, WriteTrail* from) {
  if (to == nullptr || from->Empty()) return 0;
  try {
    to->keys.insert(to->keys.end(), from->keys.begin(), from->keys.end());
    to->folders.insert(to->folders.end(), from->folders.begin(), from->folders.end());
    if (!from->defLocationKey.empty()) to->defLocationKey = from->defLocationKey;
  } catch (const std::bad_alloc&) {
    TakeBack(from);
    return E_OUTOFMEMORY;
  }
  from->keys.clear();
  from->defLocationKey.clear();
  from->folders.clear();
  return 0;
}
