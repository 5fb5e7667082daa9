#include "edit/actions.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "model/owned.h"
#include "platform/text.h"
#include "store/chain_store.h"
#include "store/preset_store.h"

namespace {

// The file a snapshot's value named; empty for none. Throws std::bad_alloc.
std::string FileText(const char* file) { return file != nullptr ? file : ""; }

StoreChange Change(const std::string& file, WriteTrail* trail, StoreFailure* failure) {
  StoreChange change;
  change.file = file.empty() ? nullptr : file.c_str();
  change.trail = trail;
  change.failure = failure;
  return change;
}

// Whether what the store holds under an item's name (`current`, null for
// nothing) stands in the way of a step that expects to find `expected` there
// and leaves `target` (null for nothing): it is neither, so the step would
// replace or remove something it did not leave.
template <class Record, class Same>
bool StandsInTheWay(const Record* current, const Record* expected, const Record* target, Same same) {
  if (current == nullptr) return false;
  return (expected == nullptr || !same(*current, *expected)) && (target == nullptr || !same(*current, *target));
}

bool SameBytes(const ByteBlock& a, const ByteBlock& b) {
  return a.Size() == b.Size() && (a.Size() == 0 || memcmp(a.Bytes(), b.Bytes(), a.Size()) == 0);
}

void NameConflict(const char* kind, const char* name, ActionConflict* conflict) {
  Text_Copy(conflict->kind, sizeof(conflict->kind), kind);
  Text_Copy(conflict->name, sizeof(conflict->name), name);
}

// An entry's identity and one preset, and the file the preset's value
// named in the system store.
class PresetAction : public HistoryAction {
 public:
  PresetAction(StoreId changedStore, std::unique_ptr<PlugInEntry> entrySnapshot,
               std::unique_ptr<PresetRecord> presetSnapshot, std::string file)
      : HistoryAction(changedStore),
        entry_(std::move(entrySnapshot)),
        preset_(std::move(presetSnapshot)),
        file_(std::move(file)) {}

  void NameItem(char* buffer, size_t size) const override { NamePresetItem(*entry_, preset_->name, buffer, size); }

  int32_t CheckWritable(const StoreLocations& locations, StoreFailure* failure) const override {
    if (store != StoreId::System) return 0;
    const char* problem = PlugInNameProblem(*entry_);
    if (problem == nullptr) problem = PresetNameProblem(*entry_, preset_->name);
    if (problem != nullptr) return FailWith(failure, StatusFromError(kErrorInvalidName), "%s", problem);
    return CheckPresetFits(*entry_, *preset_, locations, failure);
  }

  bool FindConflict(Stores& stores, bool apply, ActionConflict* conflict) const override {
    const PlugInEntry* target = FindPlugInInStore(stores, store, *entry_);
    const PresetRecord* current = target != nullptr ? target->FindPreset(preset_->name) : nullptr;
    auto same = [](const PresetRecord& a, const PresetRecord& b) { return SameBytes(a.data, b.data); };
    const PresetRecord* before = Before();
    const PresetRecord* after = After();
    if (!StandsInTheWay(current, apply ? before : after, apply ? after : before, same)) return false;
    char display[kNameSize];
    target->GetDisplayName(display, sizeof(display));
    NameConflict(display, current->name, conflict);
    return true;
  }

 protected:
  int32_t Put(Stores& stores, const PresetRecord& what, const std::string& file, WriteTrail* trail,
              StoreFailure* failure) {
    StoreChange change = Change(file, trail, failure);
    return PutPreset(stores, *entry_, what, store, &change);
  }
  int32_t Remove(Stores& stores, StoreFailure* failure) {
    StoreChange change = Change(std::string(), nullptr, failure);
    return RemovePreset(stores, *entry_, *preset_, store, &change);
  }
  const PresetRecord& preset() const { return *preset_; }
  const std::string& file() const { return file_; }

  // Where the store's collection holds the preset: its entry's index and
  // its own (-1 when it is not there).
  struct Place {
    int32_t entry = -1;
    int32_t preset = -1;
  };
  Place PlaceOf(Stores& stores) const {
    Place place;
    PlugInEntry* target = FindPlugInInStore(stores, store, *entry_);
    const PresetRecord* found = target != nullptr ? target->FindPreset(preset_->name) : nullptr;
    if (found == nullptr) return place;
    place.entry = stores.Of(store).plugIns->IndexOf(target);
    place.preset = target->IndexOfPreset(found);
    return place;
  }
  // Moves the preset, and its entry, back to where they were.
  void PutBack(Stores& stores, const Place& place) const {
    PlugInEntry* target = FindPlugInInStore(stores, store, *entry_);
    const PresetRecord* found = target != nullptr ? target->FindPreset(preset_->name) : nullptr;
    if (found == nullptr || place.preset < 0) return;
    target->MovePreset(found, place.preset);
    stores.Of(store).plugIns->Move(target, place.entry);
  }

  // What the destination holds under the preset's name before Apply and
  // after it (null: nothing).
  virtual const PresetRecord* Before() const = 0;
  virtual const PresetRecord* After() const = 0;

 private:
  std::unique_ptr<PlugInEntry> entry_;  // no presets
  std::unique_ptr<PresetRecord> preset_;
  std::string file_;
};

class CopyPresetAction final : public PresetAction {
 public:
  CopyPresetAction(StoreId changedStore, std::unique_ptr<PlugInEntry> entrySnapshot,
                   std::unique_ptr<PresetRecord> presetSnapshot)
      : PresetAction(changedStore, std::move(entrySnapshot), std::move(presetSnapshot), std::string()) {}
  int32_t Apply(Stores& stores, StoreFailure* failure) override { return Put(stores, preset(), file(), &trail_, failure); }
  int32_t Revert(Stores& stores, StoreFailure* failure) override { return Remove(stores, failure); }
  void TakeBackCreated() override { TakeBack(&trail_); }

 protected:
  const PresetRecord* Before() const override { return nullptr; }
  const PresetRecord* After() const override { return &preset(); }

 private:
  WriteTrail trail_;  // what the copy created in the registry around the preset
};

class OverwritePresetAction final : public PresetAction {
 public:
  OverwritePresetAction(StoreId changedStore, std::unique_ptr<PlugInEntry> entrySnapshot,
                        std::unique_ptr<PresetRecord> presetSnapshot, std::unique_ptr<PresetRecord> replaced,
                        std::string replacedFile)
      : PresetAction(changedStore, std::move(entrySnapshot), std::move(presetSnapshot), std::move(replacedFile)),
        replaced_(std::move(replaced)) {}
  int32_t Apply(Stores& stores, StoreFailure* failure) override {
    return Put(stores, preset(), std::string(), nullptr, failure);
  }
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    return Put(stores, *replaced_, file(), nullptr, failure);
  }

 protected:
  const PresetRecord* Before() const override { return replaced_.get(); }
  const PresetRecord* After() const override { return &preset(); }

 private:
  std::unique_ptr<PresetRecord> replaced_;  // the destination's record before the overwrite
};

class DeletePresetAction final : public PresetAction {
 public:
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores, StoreFailure* failure) override {
    place_ = PlaceOf(stores);
    return Remove(stores, failure);
  }
  // Back where it was: a group is taken back newest first, so every
  // preset it deleted returns to its place.
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    int32_t status = Put(stores, preset(), file(), nullptr, failure);
    if (status == 0) PutBack(stores, place_);
    return status;
  }

 protected:
  const PresetRecord* Before() const override { return &preset(); }
  const PresetRecord* After() const override { return nullptr; }

 private:
  Place place_;  // where the delete found the preset
};

class ChainAction : public HistoryAction {
 public:
  ChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot, std::string file)
      : HistoryAction(changedStore), chain_(std::move(chainSnapshot)), file_(std::move(file)) {}

  void NameItem(char* buffer, size_t size) const override { NameChainItem(chain_->name, buffer, size); }
  bool IsChain() const override { return true; }

  int32_t CheckWritable(const StoreLocations& locations, StoreFailure* failure) const override {
    if (store != StoreId::System) return 0;
    const char* problem = ChainKeyProblem(chain_->keyName);
    if (problem != nullptr) return FailWith(failure, StatusFromError(kErrorInvalidName), "%s", problem);
    return CheckChainFits(*chain_, locations, failure);
  }

  bool FindConflict(Stores& stores, bool apply, ActionConflict* conflict) const override {
    const ChainRecord* current = FindChainInStore(stores, store, chain_->name);
    auto same = [](const ChainRecord& a, const ChainRecord& b) {
      return a.flags == b.flags && a.type == b.type && SameBytes(a.stream, b.stream);
    };
    const ChainRecord* before = Before();
    const ChainRecord* after = After();
    if (!StandsInTheWay(current, apply ? before : after, apply ? after : before, same)) return false;
    NameConflict(kChainItemKind, current->name, conflict);
    return true;
  }

 protected:
  int32_t Put(Stores& stores, const ChainRecord& what, const std::string& file, WriteTrail* trail,
              StoreFailure* failure) {
    StoreChange change = Change(file, trail, failure);
    return PutChain(stores, what, store, &change);
  }
  int32_t Remove(Stores& stores, StoreFailure* failure) {
    StoreChange change = Change(std::string(), nullptr, failure);
    return RemoveChain(stores, *chain_, store, &change);
  }
  const ChainRecord& chain() const { return *chain_; }
  const std::string& file() const { return file_; }
  // What the destination holds under the chain's name before Apply and
  // after it (null: nothing).
  virtual const ChainRecord* Before() const = 0;
  virtual const ChainRecord* After() const = 0;

 private:
  std::unique_ptr<ChainRecord> chain_;
  std::string file_;
};

class CopyChainAction final : public ChainAction {
 public:
  CopyChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot)
      : ChainAction(changedStore, std::move(chainSnapshot), std::string()) {}
  int32_t Apply(Stores& stores, StoreFailure* failure) override { return Put(stores, chain(), file(), &trail_, failure); }
  int32_t Revert(Stores& stores, StoreFailure* failure) override { return Remove(stores, failure); }
  void TakeBackCreated() override { TakeBack(&trail_); }

 protected:
  const ChainRecord* Before() const override { return nullptr; }
  const ChainRecord* After() const override { return &chain(); }

 private:
  WriteTrail trail_;  // what the copy created in the registry around the chain
};

class OverwriteChainAction final : public ChainAction {
 public:
  OverwriteChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot,
                       std::unique_ptr<ChainRecord> replaced, std::string replacedFile)
      : ChainAction(changedStore, std::move(chainSnapshot), std::move(replacedFile)), replaced_(std::move(replaced)) {}
  int32_t Apply(Stores& stores, StoreFailure* failure) override {
    return Put(stores, chain(), std::string(), nullptr, failure);
  }
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    return Put(stores, *replaced_, file(), nullptr, failure);
  }

 protected:
  const ChainRecord* Before() const override { return replaced_.get(); }
  const ChainRecord* After() const override { return &chain(); }

 private:
  std::unique_ptr<ChainRecord> replaced_;  // a copy of the record it replaces
};

class DeleteChainAction final : public ChainAction {
 public:
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores, StoreFailure* failure) override {
    const ChainRecord* found = FindChainInStore(stores, store, chain().name);
    place_ = found != nullptr ? stores.Of(store).chains->IndexOf(found) : -1;
    return Remove(stores, failure);
  }
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    int32_t status = Put(stores, chain(), file(), nullptr, failure);
    const ChainRecord* found = status == 0 ? FindChainInStore(stores, store, chain().name) : nullptr;
    if (found != nullptr && place_ >= 0) stores.Of(store).chains->Move(found, place_);
    return status;
  }

 protected:
  const ChainRecord* Before() const override { return &chain(); }
  const ChainRecord* After() const override { return nullptr; }

 private:
  int32_t place_ = -1;  // where the delete found the chain in the collection
};

template <class Action, class... Rest>
std::unique_ptr<HistoryAction> MakeAction(Rest&&... rest) {
  try {
    return MakeOwned<Action>(std::forward<Rest>(rest)...);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

void NamePresetItem(const PlugInEntry& entry, const char* presetName, char* buffer, size_t size) {
  char display[kNameSize];
  entry.GetDisplayName(display, sizeof(display));
  char text[kItemTextSize];
  snprintf(text, sizeof(text), "the preset \"%s\" of %s", presetName, display[0] != '\0' ? display : entry.classKey);
  Text_Copy(buffer, size, text);
}

void NameChainItem(const char* chainName, char* buffer, size_t size) {
  char text[kItemTextSize];
  snprintf(text, sizeof(text), "the chain \"%s\"", chainName);
  Text_Copy(buffer, size, text);
}

std::unique_ptr<HistoryAction> NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                   StoreId store) {
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> snapshot = PresetRecord::CopyOf(preset);
  if (!identity || !snapshot) return nullptr;
  return MakeAction<CopyPresetAction>(store, std::move(identity), std::move(snapshot));
}

std::unique_ptr<HistoryAction> NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                        const PresetRecord& replaced, const char* file,
                                                        StoreId store) {
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> snapshot = PresetRecord::CopyOf(preset);
  std::unique_ptr<PresetRecord> old = PresetRecord::CopyOf(replaced);
  if (!identity || !snapshot || !old) return nullptr;
  try {
    return MakeAction<OverwritePresetAction>(store, std::move(identity), std::move(snapshot), std::move(old),
                                             FileText(file));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<HistoryAction> NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                     const char* file, StoreId store) {
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> snapshot = PresetRecord::CopyOf(preset);
  if (!identity || !snapshot) return nullptr;
  try {
    return MakeAction<DeletePresetAction>(store, std::move(identity), std::move(snapshot), FileText(file));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<HistoryAction> NewCopyChainAction(const ChainRecord& chain, StoreId store) {
  std::unique_ptr<ChainRecord> snapshot = ChainRecord::CopyOf(chain);
  if (!snapshot) return nullptr;
  return MakeAction<CopyChainAction>(store, std::move(snapshot));
}

std::unique_ptr<HistoryAction> NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced,
                                                       const char* file, StoreId store) {
  std::unique_ptr<ChainRecord> snapshot = ChainRecord::CopyOf(chain);
  std::unique_ptr<ChainRecord> old = ChainRecord::CopyOf(replaced);
  if (!snapshot || !old) return nullptr;
  try {
    return MakeAction<OverwriteChainAction>(store, std::move(snapshot), std::move(old), FileText(file));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<HistoryAction> NewDeleteChainAction(const ChainRecord& chain, const char* file, StoreId store) {
  std::unique_ptr<ChainRecord> snapshot = ChainRecord::CopyOf(chain);
  if (!snapshot) return nullptr;
  try {
    return MakeAction<DeleteChainAction>(store, std::move(snapshot), FileText(file));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
