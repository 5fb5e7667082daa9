#include "store/system_cache.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/registry_changes.h"
#include "store/cached_keys.h"
#include "store/registered_name.h"
#include "store/store_layout.h"
#include "store/unreadable_files.h"

namespace {

// The keys of one store key in enumeration order, and the watch that tells
// whether any of them may have changed.
template <class Key>
struct CachedPart {
  ScopedRegWatch watch;  // none: read the part again every time
  std::vector<Key> keys;
};

}  // namespace

struct SystemStoreCache {
  CachedPart<ChainKey> chains;
  CachedPart<PlugInKey> directShow;
  CachedPart<PlugInKey> editor;
  ScopedRegWatch classes;      // HKEY_CLASSES_ROOT\CLSID
  ScopedRegWatch userClasses;  // the per-user registrations, where there are any
};

namespace {

// Restarts a watch that fired (or that there was none of); true when it had
// fired. Restarting before reading means a change during the read fires the
// new watch.
bool RenewWatch(ScopedRegWatch* watch, RegRoot root, const char* path) {
  if (*watch && !RegWatch_Fired(watch->Get())) return false;
  watch->Reset();
  RegWatch_Start(Reg_Root(root), path, watch->Out());
  return true;
}

// The cached key of that name, when it is certainly unchanged. Keys come in
// the same order as last time, so the search starts where it would be.
template <class Key>
Key* FindUnchanged(CachedPart<Key>* part, size_t hint, const char* name, uint64_t lastWriteTime) {
  size_t count = part->keys.size();
  for (size_t n = 0; n < count; ++n) {
    Key& key = part->keys[(hint + n) % count];
    if (strcmp(key.name, name) != 0) continue;
    bool unchanged = key.readTime != 0 && key.lastWriteTime == lastWriteTime &&
                     WrittenLongBeforeRead(lastWriteTime, key.readTime);
    return unchanged ? &key : nullptr;
  }
  return nullptr;
}

// Takes the next key of the part into `keys`: the cached one when it is
// unchanged, else read anew. False when memory is short.
template <class Key>
bool TakeKey(CachedPart<Key>* part, RegKey root, const char* name, uint64_t lastWriteTime, StorePart which,
             ValueScratch* scratch, std::vector<Key>* keys) {
  try {
    Key* unchanged = FindUnchanged(part, keys->size(), name, lastWriteTime);
    if (unchanged != nullptr) {
      keys->push_back(std::move(*unchanged));
      unchanged->readTime = 0;  // taken
      return true;
    }
    keys->emplace_back();
  } catch (const std::bad_alloc&) {
    return false;
  }
  ReadCachedKey(root, name, lastWriteTime, which, scratch, &keys->back());
  return true;
}

template <class Key>
void UpdatePart(CachedPart<Key>* part, const char* path, StorePart which, ValueScratch* scratch) {
  if (RenewWatch(&part->watch, RegRoot::CurrentUser, path)) {
    std::vector<Key> keys;
    ScopedRegKey root;
    if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), path, RegAccess::Read, root.Out()) == 0) {
      for (uint32_t index = 0;; ++index) {
        char name[kKeySize];
        uint32_t nameSize = sizeof(name);
        uint64_t lastWriteTime = 0;
        int32_t status = Reg_EnumKeyWithTime(root.Get(), index, name, &nameSize, &lastWriteTime);
        if (status == kErrorMoreData) continue;  // a name of 40 characters or more is no item of the store
        if (status != 0) break;
        if (IsSkippedKey(which, name)) continue;
        if (!TakeKey(part, root.Get(), name, lastWriteTime, which, scratch, &keys)) break;
      }
    }
    part->keys = std::move(keys);
  }
  for (Key& key : part->keys) RefreshCachedFiles(&key);
}

// True when the class registrations, and so the names of plug-ins, may have
// changed since the last look.
bool ClassesChanged(SystemStoreCache* cache) {
  bool changed = RenewWatch(&cache->classes, RegRoot::ClassesRoot, "CLSID");
  // Per-user registrations show in the classes root on Windows. Where the
  // key is missing, as under Wine, which keeps it apart, there is nothing
  // of them to watch.
  bool hadUserClasses = static_cast<bool>(cache->userClasses);
  if (RenewWatch(&cache->userClasses, RegRoot::CurrentUser, "Software\\Classes") &&
      (hadUserClasses || cache->userClasses)) {
    changed = true;
  }
  return changed;
}

void UpdateNames(SystemStoreCache* cache) {
  bool classesChanged = ClassesChanged(cache);
  for (PlugInKey& key : cache->directShow.keys) {
    if (!key.hasValues || (key.lookedUp && !classesChanged)) continue;
    // A registration without a name is no name to show.
    key.installed = LookupRegisteredName(key.name, key.registeredName, sizeof(key.registeredName)) == 0 &&
                    key.registeredName[0] != '\0';
    key.lookedUp = true;
  }
}

// Appends the entry of a plug-in key when it has a preset; an uninstalled
// plug-in takes the next Not Installed number.
void AddEntry(PlugInCollection& plugIns, const PlugInKey& key, bool editor, uint32_t* notInstalled) {
  std::unique_ptr<PlugInEntry> entry = editor ? PlugInEntry::Create(key.name)
                                              : PlugInEntry::Create(key.installed ? key.registeredName : "", key.name);
  if (!entry) return;
  if (editor) entry->flags = kPlugInEditorBit;
  for (const CachedPreset& cached : key.presets) {
    if (cached.bytes.status != 0) continue;
    std::unique_ptr<PresetRecord> preset = PresetRecord::Create(cached.name);
    if (preset && preset->data.CopyFrom(cached.bytes.data) == 0) entry->AppendPreset(std::move(preset));
  }
  if (entry->GetPresetCount() == 0) return;
  if (!editor && !key.installed) FormatNotInstalledName((*notInstalled)++, entry->name, sizeof(entry->name));
  plugIns.Append(std::move(entry));
}

void IndexPlugInKeys(const std::vector<PlugInKey>& keys, bool editor, SystemIndex* index) {
  for (const PlugInKey& key : keys) {
    for (const CachedPreset& preset : key.presets) {
      const PresetBytes& bytes = preset.bytes;
      if (!bytes.path.empty()) {
        index->AddLoadedValueFile(editor, key.name, preset.name, bytes.path.c_str(), bytes.status == 0);
      }
    }
    for (const std::string& file : key.otherFiles) index->AddOtherFile(file.c_str());
  }
}

// The name the tree gives the plug-in of a key: its entry's, or for a key
// without one (no preset of it could be read) the registered name, else
// the class key.
std::string PlugInLabel(const PlugInKey& key, bool editor, const PlugInCollection* plugIns) {
  if (editor) return std::string(kEditorProductWords) + " " + key.name;
  for (size_t i = 0; plugIns != nullptr && i < plugIns->Entries().size(); ++i) {
    const PlugInEntry& entry = *plugIns->Entries()[i];
    if (!entry.IsEditor() && strcmp(entry.classKey, key.name) == 0) {
      char display[kNameSize];
      entry.GetDisplayName(display, sizeof(display));
      return display;
    }
  }
  return key.installed ? key.registeredName : key.name;
}

UnreadableItem Unreadable(bool chain, bool editor, std::string plugIn, const char* keyName, const char* name,
                          const PresetBytes& bytes) {
  char reason[256];
  DescribeUnreadableFile(bytes.path.c_str(), bytes.status, reason, sizeof(reason));
  return UnreadableItem{chain, editor, std::move(plugIn), keyName, name, bytes.path, reason};
}

void AddUnreadablePresets(const std::vector<PlugInKey>& keys, bool editor, const PlugInCollection* plugIns,
                          std::vector<UnreadableItem>* items) {
  for (const PlugInKey& key : keys) {
    std::string label;
    for (const CachedPreset& preset : key.presets) {
      if (preset.bytes.status == 0 || preset.bytes.path.empty()) continue;
      if (label.empty()) label = PlugInLabel(key, editor, plugIns);
      items->push_back(Unreadable(false, editor, label, key.name, preset.name, preset.bytes));
    }
  }
}

}  // namespace

void SystemStoreCache_BuildUnreadable(const SystemStoreCache* cache, const PlugInCollection* plugIns,
                                      std::vector<UnreadableItem>* items) {
  items->clear();
  try {
    AddUnreadablePresets(cache->directShow.keys, false, plugIns, items);
    AddUnreadablePresets(cache->editor.keys, true, plugIns, items);
    for (const ChainKey& key : cache->chains.keys) {
      if (!key.isChain || key.stream.status == 0 || key.stream.path.empty()) continue;
      items->push_back(Unreadable(true, false, std::string(), key.name, key.chainName, key.stream));
    }
  } catch (const std::bad_alloc&) {
    // What was listed so far stays; the rest is only not shown.
  }
}

OwnedSystemStoreCache SystemStoreCache_Create() {
  return OwnedSystemStoreCache(new (std::nothrow) SystemStoreCache{});
}

void SystemStoreCacheDeleter::operator()(SystemStoreCache* cache) const { delete cache; }

void SystemStoreCache_Update(SystemStoreCache* cache, uint32_t parts) {
  ValueScratch scratch;
  if (parts & kCacheChains) UpdatePart(&cache->chains, kChainsKey, StorePart::Chains, &scratch);
  if (parts & kCachePlugIns) {
    UpdatePart(&cache->directShow, kDirectShowPresetsKey, StorePart::DirectShow, &scratch);
    UpdatePart(&cache->editor, kEditorPresetsKey, StorePart::Editor, &scratch);
    UpdateNames(cache);
  }
}

std::unique_ptr<ChainCollection> SystemStoreCache_BuildChains(const SystemStoreCache* cache) {
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
  if (!chains) return nullptr;
  for (const ChainKey& key : cache->chains.keys) {
    if (!key.isChain || key.stream.status != 0) continue;
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    if (!chain) continue;
    chain->SetName(key.chainName);
    chain->SetKeyName(key.name);
    chain->flags = key.flags;
    chain->type = key.type;
    if (chain->stream.CopyFrom(key.stream.data) == 0) chains->Append(std::move(chain));
  }
  if (chains->GetChainCount() == 0) return nullptr;
  return chains;
}

std::unique_ptr<PlugInCollection> SystemStoreCache_BuildPlugIns(const SystemStoreCache* cache) {
  std::unique_ptr<PlugInCollection> plugIns = PlugInCollection::Create();
  if (!plugIns) return nullptr;
  // Numbers start at 000 on every build and follow the keys' order, so two
  // builds of an unchanged store give the same names.
  uint32_t notInstalled = 0;
  for (const PlugInKey& key : cache->directShow.keys) AddEntry(*plugIns, key, false, &notInstalled);
  for (const PlugInKey& key : cache->editor.keys) AddEntry(*plugIns, key, true, nullptr);
  if (plugIns->GetCount() == 0) return nullptr;
  return plugIns;
}

void SystemStoreCache_BuildIndex(const SystemStoreCache* cache, SystemIndex* index) {
  index->Clear();
  IndexPlugInKeys(cache->directShow.keys, false, index);
  IndexPlugInKeys(cache->editor.keys, true, index);
  for (const ChainKey& key : cache->chains.keys) {
    bool read = key.isChain && key.stream.status == 0;
    index->SetChainKey(SystemIndex::ChainKey{key.name, key.chainName, key.stream.path, key.flags, key.type,
                                             key.isChain, read});
  }
}
