#include "edit/actions.h"

#include <cstdio>
#include <new>
#include <string>

#include "model/owned.h"
#include "platform/text.h"
#include "store/chain_store.h"
#include "store/preset_store.h"
#include "store/store_layout.h"

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

// Names a journal target as failures name the action's item.
void LabelTarget(const HistoryAction& action, JournalTarget* target) {
  char label[kItemTextSize];
  action.NameItem(label, sizeof(label));
  target->label = label;
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

  void AddJournalTargets(std::vector<JournalTarget>* targets) const override {
    if (store != StoreId::System) return;
    JournalTarget target;
    target.store = entry_->IsEditor() ? JournalStore::Editor : JournalStore::DirectShow;
    target.keyName = entry_->IsEditor() ? entry_->name : entry_->classKey;
    target.valueName = preset_->name;
    target.itemName = preset_->name;
    target.file = file_;
    target.mayUseFile = !entry_->IsEditor() && (preset_->data.Size() >= kFileThreshold || !file_.empty());
    LabelTarget(*this, &target);
    targets->push_back(std::move(target));
  }

  int32_t CheckWritable(const StoreLocations& locations, StoreFailure* failure) const override {
    if (store != StoreId::System) return 0;
    const char* problem = PlugInNameProblem(*entry_);
    if (problem == nullptr) problem = PresetNameProblem(*entry_, preset_->name);
    if (problem != nullptr) return FailWith(failure, StatusFromError(kErrorInvalidName), "%s", problem);
    return CheckPresetFits(*entry_, *preset_, locations, failure);
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

 private:
  std::unique_ptr<PresetRecord> replaced_;  // the destination's record before the overwrite
};

class DeletePresetAction final : public PresetAction {
 public:
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores, StoreFailure* failure) override { return Remove(stores, failure); }
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    return Put(stores, preset(), file(), nullptr, failure);
  }
};

class ChainAction : public HistoryAction {
 public:
  ChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot, std::string file)
      : HistoryAction(changedStore), chain_(std::move(chainSnapshot)), file_(std::move(file)) {}

  void NameItem(char* buffer, size_t size) const override { NameChainItem(chain_->name, buffer, size); }
  bool IsChain() const override { return true; }

  void AddJournalTargets(std::vector<JournalTarget>* targets) const override {
    if (store != StoreId::System) return;
    AddChainTarget(*chain_, targets);
  }

 protected:
  // A chain's key; the file its value named goes with the action's own.
  void AddChainTarget(const ChainRecord& chain, std::vector<JournalTarget>* targets) const {
    JournalTarget target;
    target.store = JournalStore::Chains;
    target.keyName = chain.keyName;
    target.itemName = chain.name;
    target.file = file_;
    target.mayUseFile = chain.stream.Size() >= kFileThreshold || !file_.empty();
    LabelTarget(*this, &target);
    targets->push_back(std::move(target));
  }

 public:

  int32_t CheckWritable(const StoreLocations& locations, StoreFailure* failure) const override {
    if (store != StoreId::System) return 0;
    const char* problem = ChainKeyProblem(chain_->keyName);
    if (problem != nullptr) return FailWith(failure, StatusFromError(kErrorInvalidName), "%s", problem);
    return CheckChainFits(*chain_, locations, failure);
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
  // The replaced chain may live under another key, which the overwrite removes.
  void AddJournalTargets(std::vector<JournalTarget>* targets) const override {
    ChainAction::AddJournalTargets(targets);
    if (store == StoreId::System) AddChainTarget(*replaced_, targets);
  }

 private:
  std::unique_ptr<ChainRecord> replaced_;  // a copy of the record it replaces
};

class DeleteChainAction final : public ChainAction {
 public:
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores, StoreFailure* failure) override { return Remove(stores, failure); }
  int32_t Revert(Stores& stores, StoreFailure* failure) override {
    return Put(stores, chain(), file(), nullptr, failure);
  }
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
