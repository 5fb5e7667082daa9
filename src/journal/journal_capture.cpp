#include "journal/journal_capture.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "journal/journal_layout.h"
#include "model/names.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "store/store_files.h"
#include "store/store_paths.h"

namespace {

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

const StoreKey& StoreOf(JournalStore store) {
  switch (store) {
    case JournalStore::Editor: return kEditorStore;
    case JournalStore::Chains: return kChainStore;
    case JournalStore::DirectShow: break;
  }
  return kDirectShowStore;
}

const char* ExtensionOf(JournalStore store) {
  return store == JournalStore::Chains ? kChainFileExtension : kPresetFileExtension;
}

// The value's type and bytes into `value`; present stays false when the
// value does not exist.
int32_t QueryInto(RegKey key, JournalValue* value) {
  uint32_t size = 0;
  int32_t status = Reg_QueryValue(key, value->name.c_str(), &value->type, nullptr, &size);
  if (status == kErrorFileNotFound) return 0;
  if (status != 0) return StatusFromError(status);
  if (size > kJournalMaxBytes) return E_FAIL;
  value->present = true;
  value->bytes.resize(size);
  status = Reg_QueryValue(key, value->name.c_str(), &value->type, size > 0 ? value->bytes.data() : nullptr, &size);
  if (status != 0) return StatusFromError(status);
  value->bytes.resize(size);
  return 0;
}

bool ReadAll(const char* path, uint64_t size, std::vector<unsigned char>* bytes) {
  if (size > kJournalMaxBytes) return false;
  ScopedFile file;
  if (File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()) != 0) {
    return false;
  }
  bytes->resize(static_cast<size_t>(size));
  uint32_t done = 0;
  return size == 0 || (File_Read(file.Get(), bytes->data(), static_cast<uint32_t>(size), &done) == 0 && done == size);
}

// Numbered names, as the writers try them when the plain one is taken.
constexpr unsigned kMaxFileNumber = 99;
constexpr unsigned kMaxKeyNumber = 9999;

class Capture {
 public:
  explicit Capture(Journal* journal) : journal_(journal) {}

  // Throws std::bad_alloc; gives 0 or a failure to read the registry.
  int32_t Target(uint32_t item, const JournalTarget& target, bool numbered = false) {
    const StoreKey& store = StoreOf(target.store);
    std::string itemPath = std::string(store.path) + "\\" + target.keyName;
    NoteMissingKeys(itemPath);
    if (store.programSubfolder != nullptr && defLocations_.insert(store.path).second) {
      ScopedRegKey storeKey;
      if (Reg_OpenKey(User(), store.path, RegAccess::Read, storeKey.Out()) == 0) {
        int32_t status = Value(item, storeKey.Get(), store.path, kDefLocationValue);
        if (status != 0) return status;
      } else {
        Absent(item, store.path, kDefLocationValue);
      }
    }
    ScopedRegKey key;
    bool exists = Reg_OpenKey(User(), itemPath.c_str(), RegAccess::Read, key.Out()) == 0;
    if (!target.valueName.empty()) {
      int32_t status = exists ? Value(item, key.Get(), itemPath, target.valueName) : 0;
      if (status != 0) return status;
      if (!exists) Absent(item, itemPath, target.valueName);
    } else {
      int32_t status = exists ? WholeKey(item, key.Get(), itemPath) : 0;
      if (status != 0) return status;
      for (const char* name : {kChainFlagsValue, kChainNameValue, kChainTypeValue, kChainStreamValue}) {
        if (!exists || !HasValue(key.Get(), name)) Absent(item, itemPath, name);
      }
    }
    if (!target.file.empty()) File(item, target.file);
    if (target.mayUseFile && store.programSubfolder != nullptr) NoteCandidates(item, target, store);
    // A chain whose key is taken goes under the next free numbered key.
    if (target.store == JournalStore::Chains && exists && !numbered) {
      auto [at, added] = chainBases_.try_emplace(Fold(target.keyName), ChainBase{item, target, 0});
      ++at->second.targets;
    }
    return 0;
  }

  // The numbered keys that chains whose keys were taken may go under: as
  // many free ones as chains share the key.
  int32_t ChainKeys() {
    for (const auto& [key, base] : chainBases_) {
      uint32_t freeNeeded = base.targets;
      for (unsigned number = 2; number <= kMaxKeyNumber && freeNeeded > 0; ++number) {
        JournalTarget numbered = base.target;
        std::string suffix = " (" + std::to_string(number) + ")";
        if (numbered.keyName.size() + suffix.size() >= kKeySize) numbered.keyName.resize(kKeySize - 1 - suffix.size());
        numbered.keyName += suffix;
        std::string path = std::string(kChainsKey) + "\\" + numbered.keyName;
        ScopedRegKey probe;
        if (Reg_OpenKey(User(), path.c_str(), RegAccess::Read, probe.Out()) == 0) continue;
        --freeNeeded;
        int32_t status = Target(base.item, numbered, true);
        if (status != 0) return status;
      }
    }
    return 0;
  }

  // The files a writer may create: the plain name and the numbered ones up
  // to as many free names as targets share the name, each with the
  // temporary file written beside it first.
  void Candidates() {
    for (const auto& [key, base] : bases_) {
      uint32_t freeNeeded = base.targets;
      for (unsigned number = 1; number <= kMaxFileNumber && freeNeeded > 0; ++number) {
        char path[kStorePathSize];
        if (number == 1) {
          snprintf(path, sizeof(path), "%s%s", base.stem.c_str(), base.extension);
        } else {
          snprintf(path, sizeof(path), "%s (%u)%s", base.stem.c_str(), number, base.extension);
        }
        if (!File_Exists(path)) --freeNeeded;
        File(base.item, path);
        File(base.item, std::string(path) + kTemporarySuffix);
      }
    }
  }

 private:
  struct ChainBase {
    uint32_t item;
    JournalTarget target;
    uint32_t targets;
  };

  struct Base {
    uint32_t item;
    std::string stem;  // the path without its extension
    const char* extension;
    uint32_t targets;
  };

  void NoteMissingKeys(const std::string& path) {
    for (size_t end = path.find('\\'); ; end = path.find('\\', end + 1)) {
      std::string partial = path.substr(0, end);
      if (!knownKeys_.insert(Fold(partial)).second) {
        if (end == std::string::npos) break;
        continue;
      }
      ScopedRegKey probe;
      if (Reg_OpenKey(User(), partial.c_str(), RegAccess::Read, probe.Out()) != 0) {
        journal_->createdKeys.push_back(partial);
      }
      if (end == std::string::npos) break;
    }
  }

  static std::string Fold(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
  }

  static bool HasValue(RegKey key, const char* name) { return Reg_QueryValue(key, name, nullptr, nullptr, nullptr) == 0; }

  void Absent(uint32_t item, const std::string& key, const std::string& name) {
    JournalValue value;
    value.item = item;
    value.key = key;
    value.name = name;
    journal_->values.push_back(std::move(value));
  }

  int32_t Value(uint32_t item, RegKey key, const std::string& keyPath, const std::string& name) {
    JournalValue value;
    value.item = item;
    value.key = keyPath;
    value.name = name;
    int32_t status = QueryInto(key, &value);
    if (status != 0) return status;
    if (value.present) NoteNamedFile(item, value);
    journal_->values.push_back(std::move(value));
    return 0;
  }

  int32_t WholeKey(uint32_t item, RegKey key, const std::string& keyPath) {
    for (uint32_t index = 0;; ++index) {
      char name[kJournalNameSize];
      uint32_t nameSize = sizeof(name);
      int32_t status = Reg_EnumValue(key, index, name, &nameSize, nullptr, nullptr, nullptr);
      if (status == kErrorNoMoreItems) return 0;
      if (status != 0) return StatusFromError(status);
      status = Value(item, key, keyPath, name);
      if (status != 0) return status;
    }
  }

  // A text value that is a full path names the item's file.
  void NoteNamedFile(uint32_t item, const JournalValue& value) {
    if (value.type != kRegSz || value.bytes.empty()) return;
    std::string text(value.bytes.begin(), value.bytes.end());
    text.resize(strnlen(text.c_str(), text.size()));
    if (File_IsFullPath(text.c_str())) File(item, text);
  }

  void File(uint32_t item, const std::string& path) {
    std::string key;
    if (!MakePathKey(path.c_str(), &key)) throw std::bad_alloc();
    if (!files_.insert(key).second || !IsInStoreFolders(path)) return;
    JournalFile file;
    file.item = item;
    file.path = path;
    FileInfo info;
    if (File_GetInfo(path.c_str(), &info) == 0 && !info.isFolder) {
      file.present = ReadAll(path.c_str(), info.size, &file.bytes);
      // A file that cannot be read is not put back: the store never
      // replaces or deletes a file whose bytes it could not read.
      if (!file.present) return;
    }
    journal_->files.push_back(std::move(file));
  }

  bool IsInStoreFolders(const std::string& path) {
    for (const StoreKey* store : {&kDirectShowStore, &kChainStore}) {
      const std::string& location = Location(*store);
      if (!location.empty() && IsBelowFolder(path.c_str(), location.c_str())) return true;
    }
    return false;
  }

  const std::string& Location(const StoreKey& store) {
    auto found = locations_.find(store.path);
    if (found != locations_.end()) return found->second;
    char location[kStorePathSize];
    if (ReadDefLocation(store, location, sizeof(location), nullptr) != 0) location[0] = '\0';
    return locations_[store.path] = location;
  }

  void NoteCandidates(uint32_t item, const JournalTarget& target, const StoreKey& store) {
    const std::string& location = Location(store);
    if (location.empty()) return;
    char path[kStorePathSize];
    const char* extension = ExtensionOf(target.store);
    if (FormItemPath(location.c_str(), target.keyName.c_str(), target.itemName.c_str(), extension, path,
                     sizeof(path), nullptr) != 0) {
      return;
    }
    NoteMissingFolders(item, path, location);
    std::string stem(path, strlen(path) - strlen(extension));
    std::string key;
    if (!MakePathKey(stem.c_str(), &key)) throw std::bad_alloc();
    auto [at, added] = bases_.try_emplace(key, Base{item, stem, extension, 0});
    ++at->second.targets;
  }

  // The item's folder and those above it up to DefLocation, where missing.
  void NoteMissingFolders(uint32_t, const char* file, const std::string& location) {
    std::string folder(file);
    std::vector<std::string> missing;
    for (size_t slash = folder.rfind('\\'); slash != std::string::npos && slash > 0; slash = folder.rfind('\\')) {
      folder.resize(slash);
      if (!IsBelowFolder(folder.c_str(), location.c_str()) && !SameFolder(folder, location)) break;
      std::string key;
      if (!MakePathKey(folder.c_str(), &key)) throw std::bad_alloc();
      if (!folders_.insert(key).second) break;
      FileInfo info;
      if (File_GetInfo(folder.c_str(), &info) == 0) break;
      missing.push_back(folder);
    }
    for (size_t i = missing.size(); i-- > 0;) journal_->createdFolders.push_back(missing[i]);
  }

  static bool SameFolder(const std::string& a, const std::string& b) {
    std::string keyA, keyB;
    return MakePathKey(a.c_str(), &keyA) && MakePathKey(b.c_str(), &keyB) && keyA == keyB;
  }

  static constexpr size_t kJournalNameSize = kJournalMaxText + 1;

  Journal* journal_;
  std::set<std::string> knownKeys_;
  std::set<std::string> defLocations_;
  std::set<std::string> files_;
  std::set<std::string> folders_;
  std::map<std::string, std::string> locations_;
  std::map<std::string, Base> bases_;
  std::map<std::string, ChainBase> chainBases_;
};

}  // namespace

const char* JournalStorePath(JournalStore store) { return StoreOf(store).path; }

int32_t ReadValueNow(JournalValue* value) {
  value->present = false;
  value->type = 0;
  value->bytes.clear();
  ScopedRegKey key;
  int32_t status = Reg_OpenKey(User(), value->key.c_str(), RegAccess::Read, key.Out());
  if (status == kErrorFileNotFound) return 0;
  if (status != 0) return StatusFromError(status);
  try {
    return QueryInto(key.Get(), value);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

int32_t ReadFileNow(JournalFile* file) {
  file->present = false;
  file->bytes.clear();
  FileInfo info;
  if (File_GetInfo(file->path.c_str(), &info) != 0) return 0;
  if (info.isFolder) return E_FAIL;
  try {
    file->present = ReadAll(file->path.c_str(), info.size, &file->bytes);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return file->present ? 0 : E_FAIL;
}

int32_t CaptureJournal(const std::vector<JournalTarget>& targets, JournalOperation operation, Journal* journal) {
  *journal = Journal{};
  journal->operation = operation;
  try {
    Capture capture(journal);
    for (uint32_t i = 0; i < targets.size(); ++i) {
      journal->items.push_back(targets[i].label.substr(0, kJournalMaxText));
      int32_t status = capture.Target(i, targets[i]);
      if (status != 0) return status;
    }
    int32_t status = capture.ChainKeys();
    if (status != 0) return status;
    capture.Candidates();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return 0;
}
