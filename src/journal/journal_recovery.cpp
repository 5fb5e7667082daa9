#include "journal/journal_recovery.h"

#include <cstring>
#include <memory>
#include <new>
#include <set>

#include "platform/file.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "store/store_files.h"
#include "store/store_paths.h"

namespace {

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

constexpr const char* kStorePaths[] = {kDirectShowPresetsKey, kEditorPresetsKey, kChainsKey};
constexpr const char* kRestoreSuffix = ".restore";

// Case-insensitive: registry names are.
bool SameName(const std::string& a, const char* b) { return Text_EqualNoCase(a.c_str(), b); }

bool HasPrefix(const std::string& text, const char* prefix, size_t* length) {
  *length = strlen(prefix);
  return text.size() >= *length && Text_EqualNoCase(text.substr(0, *length).c_str(), prefix);
}

bool IsPlainComponent(const std::string& name) {
  return !name.empty() && name.find('\\') == std::string::npos && name != "." && name != "..";
}

// A store key's item key: the store key and one name below it.
bool IsItemKey(const std::string& key) {
  for (const char* store : kStorePaths) {
    size_t length = 0;
    if (HasPrefix(key, store, &length) && key.size() > length + 1 && key[length] == '\\' &&
        IsPlainComponent(key.substr(length + 1))) {
      return true;
    }
  }
  return false;
}

bool IsStoreKey(const std::string& key) {
  for (const char* store : kStorePaths) {
    if (SameName(key, store)) return true;
  }
  return false;
}

// A key on the way to a store key: created by a first write, removed
// again only while empty.
bool IsStoreAncestor(const std::string& key) {
  if (key.empty() || key.find("\\\\") != std::string::npos || key.back() == '\\') return false;
  for (const char* store : kStorePaths) {
    std::string path(store);
    if (path.size() > key.size() && path[key.size()] == '\\' && SameName(path.substr(0, key.size()), key.c_str())) {
      return true;
    }
  }
  return false;
}

// A full path with no "." or ".." part and no stream name, below the
// folder the store's DefLocation names (or that folder itself, with
// `itself`).
bool IsStorePath(const std::string& path, bool itself) {
  if (!File_IsFullPath(path.c_str()) || path.find(':', 2) != std::string::npos) return false;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "." || part == "..") return false;
    start = end + 1;
  }
  for (const StoreKey* store : {&kDirectShowStore, &kChainStore}) {
    char location[kStorePathSize];
    if (ReadDefLocation(*store, location, sizeof(location), nullptr) != 0) continue;
    if (IsBelowFolder(path.c_str(), location)) return true;
    std::string a, b;
    if (itself && MakePathKey(path.c_str(), &a) && MakePathKey(location, &b) && a == b) return true;
  }
  return false;
}

bool Fail(std::string* problem, const char* what, const std::string& name) {
  try {
    *problem = std::string(what) + " " + name;
  } catch (const std::bad_alloc&) {
  }
  return false;
}

bool FileHolds(const char* path, const std::vector<unsigned char>& bytes) {
  FileInfo info;
  if (File_GetInfo(path, &info) != 0 || info.isFolder || info.size != bytes.size()) return false;
  ScopedFile file;
  if (File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()) != 0) {
    return false;
  }
  std::vector<unsigned char> now(bytes.size());
  uint32_t done = 0;
  return bytes.empty() || (File_Read(file.Get(), now.data(), static_cast<uint32_t>(now.size()), &done) == 0 &&
                           done == now.size() && now == bytes);
}

int32_t WriteBack(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::string temporary = path + kRestoreSuffix;
  int32_t status = 0;
  {
    ScopedFile file;
    status = File_Open(temporary.c_str(), kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out());
    uint32_t done = 0;
    if (status == 0 && !bytes.empty()) status = File_Write(file.Get(), bytes.data(), static_cast<uint32_t>(bytes.size()), &done);
    if (status == 0 && done != bytes.size()) status = E_RIFF_WRITE;
    if (status == 0) status = File_Flush(file.Get());
  }
  if (status == 0) status = File_Replace(temporary.c_str(), path.c_str());
  if (status != 0) File_Delete(temporary.c_str());
  return status;
}

bool ValueHolds(RegKey key, const JournalValue& value) {
  uint32_t type = 0, size = 0;
  if (Reg_QueryValue(key, value.name.c_str(), &type, nullptr, &size) != 0) return false;
  if (type != value.type || size != value.bytes.size()) return false;
  std::vector<unsigned char> now(size);
  return Reg_QueryValue(key, value.name.c_str(), &type, now.empty() ? nullptr : now.data(), &size) == 0 &&
         now == value.bytes;
}

class Restorer {
 public:
  Restorer(const Journal& journal, TakeBackResult* result) : journal_(journal), result_(result) {}

  void Run() {
    for (const JournalValue& value : journal_.values) Value(value);
    for (const JournalFile& file : journal_.files) {
      if (file.present) PresentFile(file);
    }
    for (const JournalFile& file : journal_.files) {
      if (!file.present) AbsentFile(file);
    }
    for (size_t i = journal_.createdFolders.size(); i-- > 0;) File_RemoveFolder(journal_.createdFolders[i].c_str());
    for (size_t i = journal_.createdKeys.size(); i-- > 0;) RemoveIfEmpty(journal_.createdKeys[i]);
    result_->restored = static_cast<uint32_t>(changed_.size());
  }

 private:
  void Value(const JournalValue& value) {
    ScopedRegKey key;
    int32_t status = value.present ? Reg_CreateKey(User(), value.key.c_str(), RegAccess::All, key.Out())
                                   : Reg_OpenKey(User(), value.key.c_str(), RegAccess::All, key.Out());
    if (!value.present && status == kErrorFileNotFound) return;
    if (status == 0) {
      if (value.present) {
        if (ValueHolds(key.Get(), value)) return;
        status = Reg_SetValue(key.Get(), value.name.c_str(), value.type, value.bytes.data(),
                              static_cast<uint32_t>(value.bytes.size()));
      } else {
        status = Reg_DeleteValue(key.Get(), value.name.c_str());
        if (status == kErrorFileNotFound) return;
      }
    }
    if (status == 0) {
      changed_.insert(value.item);
    } else {
      Failed("the value \"" + value.name + "\" of HKEY_CURRENT_USER\\" + value.key);
    }
  }

  void PresentFile(const JournalFile& file) {
    if (FileHolds(file.path.c_str(), file.bytes)) return;
    // The folder may have gone with the group's last file.
    char folder[kStorePathSize];
    Text_Copy(folder, sizeof(folder), file.path.c_str());
    char* slash = strrchr(folder, '\\');
    if (slash != nullptr) {
      *slash = '\0';
      File_CreateFolderPath(folder);
    }
    if (WriteBack(file.path, file.bytes) == 0) {
      changed_.insert(file.item);
    } else {
      Failed("the file " + file.path);
    }
  }

  void AbsentFile(const JournalFile& file) {
    if (!File_Exists(file.path.c_str())) return;
    if (IsPlainFile(file.path.c_str()) && File_Delete(file.path.c_str()) == 0) {
      changed_.insert(file.item);
    } else {
      Failed("the file " + file.path + " (made by the change) could not be removed");
    }
  }

  static void RemoveIfEmpty(const std::string& path) {
    ScopedRegKey key;
    RegKeyInfo info;
    if (Reg_OpenKey(User(), path.c_str(), RegAccess::Read, key.Out()) != 0 || Reg_QueryInfo(key.Get(), &info) != 0 ||
        info.subKeyCount != 0 || info.valueCount != 0) {
      return;
    }
    key.Reset();
    Reg_DeleteKey(User(), path.c_str());
  }

  void Failed(std::string what) { result_->failed.push_back(std::move(what)); }

  const Journal& journal_;
  TakeBackResult* result_;
  std::set<uint32_t> changed_;
};

}  // namespace

bool CheckJournal(const Journal& journal, std::string* problem) {
  for (const JournalValue& value : journal.values) {
    bool allowed = IsItemKey(value.key) || (IsStoreKey(value.key) && SameName(value.name, kDefLocationValue));
    if (!allowed) return Fail(problem, "it names a key outside the store:", value.key);
  }
  for (const std::string& key : journal.createdKeys) {
    if (!IsItemKey(key) && !IsStoreKey(key) && !IsStoreAncestor(key)) {
      return Fail(problem, "it names a key outside the store:", key);
    }
  }
  for (const JournalFile& file : journal.files) {
    if (!IsStorePath(file.path, false)) return Fail(problem, "it names a file outside the store's folders:", file.path);
  }
  for (const std::string& folder : journal.createdFolders) {
    if (!IsStorePath(folder, true)) return Fail(problem, "it names a folder outside the store's folders:", folder);
  }
  return true;
}

int32_t TakeBackJournal(const Journal& journal, TakeBackResult* result) {
  *result = TakeBackResult{};
  try {
    Restorer(journal, result).Run();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return result->failed.empty() ? 0 : E_FAIL;
}
