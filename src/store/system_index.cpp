#include "store/system_index.h"

#include <new>

#include "model/plugin_entry.h"
#include "platform/text.h"
#include "store/store_paths.h"

namespace {

// Names compare as the model compares them; the key of an empty name is
// empty. Throws std::bad_alloc.
std::string Folded(const char* text) {
  unsigned char key[4096];
  size_t length = Text_SortKey(text, true, key, sizeof(key));
  if (length == 0 && text[0] != '\0') throw std::bad_alloc();
  // The length first, so that two texts put together stay apart.
  std::string folded{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
  folded.append(reinterpret_cast<const char*>(key), length);
  return folded;
}

std::string ValueKey(bool editor, const char* keyName, const char* name) {
  std::string key(1, editor ? 'E' : 'D');
  key.append(Folded(keyName));
  key.append(Folded(name));
  return key;
}

std::string PathKey(const std::string& file) {
  std::string key;
  if (!MakePathKey(file.c_str(), &key)) throw std::bad_alloc();
  return key;
}

const char* EntryKeyName(const PlugInEntry& entry) { return entry.IsEditor() ? entry.name : entry.classKey; }

}  // namespace

template <class Work>
void SystemIndex::Guarded(Work work) const {
  if (!complete_) return;
  try {
    work();
  } catch (const std::bad_alloc&) {
    complete_ = false;
  }
}

void SystemIndex::Settle() const {
  if (loaded_.empty() && otherFiles_.empty()) return;
  Guarded([&] {
    for (LoadedValue& loaded : loaded_) {
      values_.emplace(ValueKey(loaded.editor, loaded.keyName.c_str(), loaded.value.name.c_str()), loaded.value);
      AddUser(loaded.value.file);
    }
    for (const std::string& file : otherFiles_) AddUser(file);
  });
  loaded_.clear();
  otherFiles_.clear();
}

void SystemIndex::Clear() {
  loaded_.clear();
  otherFiles_.clear();
  values_.clear();
  chainKeys_.clear();
  unreadChains_.clear();
  fileUsers_.clear();
  complete_ = true;
}

void SystemIndex::AddUser(const std::string& file) const {
  if (file.empty()) return;
  FileUse& use = fileUsers_[PathKey(file)];
  if (use.users++ == 0) use.path = file;
}

void SystemIndex::See(FileUse* use) {
  if (use->seen != FileUse::Seen::NotYet) return;
  use->seen = File_GetIdentity(use->path.c_str(), &use->identity) == 0 ? FileUse::Seen::Known : FileUse::Seen::None;
}

void SystemIndex::RemoveUser(const std::string& file) const {
  if (file.empty()) return;
  auto found = fileUsers_.find(PathKey(file));
  if (found == fileUsers_.end()) return;
  if (--found->second.users == 0) fileUsers_.erase(found);
}

const SystemIndex::ValueFile* SystemIndex::FindValueFile(bool editor, const char* keyName, const char* name) const {
  Settle();
  try {
    auto found = values_.find(ValueKey(editor, keyName, name));
    return found != values_.end() ? &found->second : nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

const SystemIndex::ValueFile* SystemIndex::FindValueFile(const PlugInEntry& entry, const char* name) const {
  return FindValueFile(entry.IsEditor(), EntryKeyName(entry), name);
}

void SystemIndex::SetValueFile(bool editor, const char* keyName, const char* name, const char* file, bool read) {
  Settle();
  Guarded([&] {
    std::string key = ValueKey(editor, keyName, name);
    auto found = values_.find(key);
    if (found != values_.end()) {
      RemoveUser(found->second.file);
      values_.erase(found);
    }
    if (file == nullptr || file[0] == '\0') return;
    values_.emplace(key, ValueFile{name, file, read});
    AddUser(file);
  });
}

void SystemIndex::SetValueFile(const PlugInEntry& entry, const char* name, const char* file, bool read) {
  SetValueFile(entry.IsEditor(), EntryKeyName(entry), name, file, read);
}

void SystemIndex::AddLoadedValueFile(bool editor, const char* keyName, const char* name, const char* file, bool read) {
  Guarded([&] { loaded_.push_back(LoadedValue{editor, keyName, ValueFile{name, file, read}}); });
}

void SystemIndex::AddOtherFile(const char* file) {
  Guarded([&] { otherFiles_.push_back(file); });
}

const SystemIndex::ChainKey* SystemIndex::FindChainKey(const char* keyName) const {
  try {
    auto found = chainKeys_.find(Folded(keyName));
    return found != chainKeys_.end() ? &found->second : nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

const SystemIndex::ChainKey* SystemIndex::FindUnreadChain(const char* chainName) const {
  try {
    auto found = unreadChains_.find(Folded(chainName));
    if (found == unreadChains_.end()) return nullptr;
    auto key = chainKeys_.find(found->second);
    return key != chainKeys_.end() ? &key->second : nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void SystemIndex::SetChainKey(const ChainKey& chain) {
  RemoveChainKey(chain.keyName.c_str());
  Guarded([&] {
    std::string key = Folded(chain.keyName.c_str());
    chainKeys_.emplace(key, chain);
    AddUser(chain.file);
    if (chain.isChain && !chain.read) unreadChains_.emplace(Folded(chain.chainName.c_str()), key);
  });
}

void SystemIndex::RemoveChainKey(const char* keyName) {
  Guarded([&] {
    auto found = chainKeys_.find(Folded(keyName));
    if (found == chainKeys_.end()) return;
    const ChainKey& chain = found->second;
    if (chain.isChain && !chain.read) {
      auto range = unreadChains_.equal_range(Folded(chain.chainName.c_str()));
      for (auto it = range.first; it != range.second; ++it) {
        if (it->second == found->first) {
          unreadChains_.erase(it);
          break;
        }
      }
    }
    RemoveUser(chain.file);
    chainKeys_.erase(found);
  });
}

uint32_t SystemIndex::FileUsers(const char* file) const {
  Settle();
  if (!complete_) return UINT32_MAX;
  try {
    std::string key = PathKey(file);
    auto found = fileUsers_.find(key);
    uint32_t users = found != fileUsers_.end() ? found->second.users : 0;
    FileIdentity identity;
    int32_t status = File_GetIdentity(file, &identity);
    if (status == StatusFromError(kErrorFileNotFound) || status == StatusFromError(kErrorPathNotFound)) return users;
    if (status != 0) return UINT32_MAX;
    // Other spellings, links and second names of the same file.
    for (auto& [otherKey, use] : fileUsers_) {
      if (otherKey == key) continue;
      See(&use);
      if (use.seen == FileUse::Seen::Known && File_SameFile(use.identity, identity)) users += use.users;
    }
    return users;
  } catch (const std::bad_alloc&) {
    return UINT32_MAX;
  }
}

void SystemIndex::FileChanged(const char* file) const {
  Settle();
  try {
    auto found = fileUsers_.find(PathKey(file));
    if (found == fileUsers_.end()) return;
    FileUse changed = found->second;
    found->second.seen = FileUse::Seen::NotYet;
    if (changed.seen != FileUse::Seen::Known) return;
    for (auto& [key, use] : fileUsers_) {
      if (use.seen == FileUse::Seen::Known && File_SameFile(use.identity, changed.identity)) {
        use.seen = FileUse::Seen::NotYet;
      }
    }
  } catch (const std::bad_alloc&) {
    complete_ = false;
  }
}
