#include "store/system_cache.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/registry_changes.h"
#include "store/cached_keys.h"
#include "store/registered_name.h"
#include "store/store_layout.h"

namespace {

// The keys of one store key in enumeration order, and the watch that tells
// whether any of them may have changed.
template <class Key>
struct CachedPart {
  RegWatch watch;  // owned; null: read the part again every time
  Key* keys;       // owned array of count
  uint32_t count;
};

}  // namespace

struct SystemStoreCache {
  CachedPart<ChainKey> chains;
  CachedPart<PlugInKey> directShow;
  CachedPart<PlugInKey> editor;
  RegWatch classes;      // owned; HKEY_CLASSES_ROOT\CLSID
  RegWatch userClasses;  // owned; the per-user registrations, where there are any
};

namespace {

template <class Key>
void FreePart(CachedPart<Key>* part) {
  for (uint32_t i = 0; i < part->count; ++i) FreeCachedKey(&part->keys[i]);
  free(part->keys);
  RegWatch_Stop(part->watch);
  *part = {};
}

// Restarts a watch that fired (or that there was none of); true when it had
// fired. Restarting before reading means a change during the read fires the
// new watch.
bool RenewWatch(RegWatch* watch, RegRoot root, const char* path) {
  if (*watch != nullptr && !RegWatch_Fired(*watch)) return false;
  RegWatch_Stop(*watch);
  *watch = nullptr;
  RegWatch_Start(Reg_Root(root), path, watch);
  return true;
}

template <class Key>
bool Grow(Key** keys, uint32_t* capacity) {
  uint32_t more = *capacity < 16 ? 16 : *capacity * 2;
  Key* grown = static_cast<Key*>(realloc(*keys, sizeof(Key) * more));
  if (grown == nullptr) return false;
  *keys = grown;
  *capacity = more;
  return true;
}

// The cached key of that name, when it is certainly unchanged. Keys come in
// the same order as last time, so the search starts where it would be.
template <class Key>
Key* FindUnchanged(CachedPart<Key>* part, uint32_t hint, const char* name, uint64_t lastWriteTime) {
  for (uint32_t n = 0; n < part->count; ++n) {
    Key& key = part->keys[(hint + n) % part->count];
    if (strcmp(key.name, name) != 0) continue;
    bool unchanged = key.readTime != 0 && key.lastWriteTime == lastWriteTime &&
                     WrittenLongBeforeRead(lastWriteTime, key.readTime);
    return unchanged ? &key : nullptr;
  }
  return nullptr;
}

template <class Key>
void UpdatePart(CachedPart<Key>* part, const char* path, StorePart which, ValueScratch* scratch) {
  if (RenewWatch(&part->watch, RegRoot::CurrentUser, path)) {
    Key* keys = nullptr;
    uint32_t count = 0, capacity = 0;
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
        if (count == capacity && !Grow(&keys, &capacity)) break;
        Key* unchanged = FindUnchanged(part, count, name, lastWriteTime);
        keys[count] = {};
        if (unchanged != nullptr) {
          keys[count] = *unchanged;
          *unchanged = {};
        } else {
          ReadCachedKey(root.Get(), name, lastWriteTime, which, scratch, &keys[count]);
        }
        ++count;
      }
    }
    RegWatch watch = part->watch;
    part->watch = nullptr;
    FreePart(part);
    *part = {watch, keys, count};
  }
  for (uint32_t i = 0; i < part->count; ++i) RefreshCachedFiles(&part->keys[i]);
}

// True when the class registrations, and so the names of plug-ins, may have
// changed since the last look.
bool ClassesChanged(SystemStoreCache* cache) {
  bool changed = RenewWatch(&cache->classes, RegRoot::ClassesRoot, "CLSID");
  // Per-user registrations show in the classes root on Windows. Where the
  // key is missing, as under Wine, which keeps it apart, there is nothing
  // of them to watch.
  bool hadUserClasses = cache->userClasses != nullptr;
  if (RenewWatch(&cache->userClasses, RegRoot::CurrentUser, "Software\\Classes") &&
      (hadUserClasses || cache->userClasses != nullptr)) {
    changed = true;
  }
  return changed;
}

void UpdateNames(SystemStoreCache* cache) {
  bool classesChanged = ClassesChanged(cache);
  for (uint32_t i = 0; i < cache->directShow.count; ++i) {
    PlugInKey& key = cache->directShow.keys[i];
    if (!key.hasValues || (key.lookedUp && !classesChanged)) continue;
    key.installed = LookupRegisteredName(key.name, key.registeredName, sizeof(key.registeredName)) == 0;
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
  for (uint32_t i = 0; i < key.presetCount; ++i) {
    const CachedPreset& cached = key.presets[i];
    if (cached.bytes.status != 0) continue;
    std::unique_ptr<PresetRecord> preset = PresetRecord::Create(cached.name);
    if (preset && preset->data.Assign(cached.bytes.data, cached.bytes.size) == 0) entry->AppendPreset(std::move(preset));
  }
  if (entry->GetPresetCount() == 0) return;
  if (!editor && !key.installed) FormatNotInstalledName((*notInstalled)++, entry->name, sizeof(entry->name));
  plugIns.Append(std::move(entry));
}

}  // namespace

OwnedSystemStoreCache SystemStoreCache_Create() {
  return OwnedSystemStoreCache(new (std::nothrow) SystemStoreCache{});
}

void SystemStoreCacheDeleter::operator()(SystemStoreCache* cache) const {
  FreePart(&cache->chains);
  FreePart(&cache->directShow);
  FreePart(&cache->editor);
  RegWatch_Stop(cache->classes);
  RegWatch_Stop(cache->userClasses);
  delete cache;
}

void SystemStoreCache_Update(SystemStoreCache* cache, uint32_t parts) {
  ValueScratch scratch = {};
  if (parts & kCacheChains) UpdatePart(&cache->chains, kChainsKey, StorePart::Chains, &scratch);
  if (parts & kCachePlugIns) {
    UpdatePart(&cache->directShow, kDirectShowPresetsKey, StorePart::DirectShow, &scratch);
    UpdatePart(&cache->editor, kEditorPresetsKey, StorePart::Editor, &scratch);
    UpdateNames(cache);
  }
  FreeValueScratch(&scratch);
}

std::unique_ptr<ChainCollection> SystemStoreCache_BuildChains(const SystemStoreCache* cache) {
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
  if (!chains) return nullptr;
  for (uint32_t i = 0; i < cache->chains.count; ++i) {
    const ChainKey& key = cache->chains.keys[i];
    if (!key.isChain || key.stream.status != 0) continue;
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    if (!chain) continue;
    chain->SetName(key.chainName);
    chain->SetKeyName(key.name);
    chain->flags = key.flags;
    chain->type = key.type;
    if (chain->stream.Assign(key.stream.data, key.stream.size) == 0) chains->Append(std::move(chain));
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
  for (uint32_t i = 0; i < cache->directShow.count; ++i) {
    AddEntry(*plugIns, cache->directShow.keys[i], false, &notInstalled);
  }
  for (uint32_t i = 0; i < cache->editor.count; ++i) AddEntry(*plugIns, cache->editor.keys[i], true, nullptr);
  if (plugIns->GetCount() == 0) return nullptr;
  return plugIns;
}
