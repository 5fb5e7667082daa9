#include "edit/actions.h"

#include "model/owned.h"
#include "store/chain_store.h"
#include "store/preset_store.h"

namespace {

// An entry's identity and one preset.
class PresetAction : public HistoryAction {
 public:
  PresetAction(StoreId changedStore, std::unique_ptr<PlugInEntry> entrySnapshot,
               std::unique_ptr<PresetRecord> presetSnapshot)
      : HistoryAction(changedStore), entry_(std::move(entrySnapshot)), preset_(std::move(presetSnapshot)) {}

 protected:
  int32_t Put(Stores& stores, const PresetRecord& what) { return PutPreset(stores, *entry_, what, store); }
  int32_t Remove(Stores& stores) { return RemovePreset(stores, *entry_, *preset_, store); }
  const PresetRecord& preset() const { return *preset_; }

 private:
  std::unique_ptr<PlugInEntry> entry_;    // no presets
  std::unique_ptr<PresetRecord> preset_;
};

class CopyPresetAction final : public PresetAction {
 public:
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores) override { return Put(stores, preset()); }
  int32_t Revert(Stores& stores) override { return Remove(stores); }
};

class OverwritePresetAction final : public PresetAction {
 public:
  OverwritePresetAction(StoreId changedStore, std::unique_ptr<PlugInEntry> entrySnapshot,
                        std::unique_ptr<PresetRecord> presetSnapshot, std::unique_ptr<PresetRecord> replaced)
      : PresetAction(changedStore, std::move(entrySnapshot), std::move(presetSnapshot)), replaced_(std::move(replaced)) {}
  int32_t Apply(Stores& stores) override { return Put(stores, preset()); }
  int32_t Revert(Stores& stores) override { return Put(stores, *replaced_); }

 private:
  std::unique_ptr<PresetRecord> replaced_;  // the destination's record before the overwrite
};

class DeletePresetAction final : public PresetAction {
 public:
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores) override { return Remove(stores); }
  int32_t Revert(Stores& stores) override { return Put(stores, preset()); }
};

class ChainAction : public HistoryAction {
 public:
  ChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot)
      : HistoryAction(changedStore), chain_(std::move(chainSnapshot)) {}

 protected:
  const ChainRecord& chain() const { return *chain_; }

 private:
  std::unique_ptr<ChainRecord> chain_;
};

class CopyChainAction final : public ChainAction {
 public:
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores) override { return PutChain(stores, chain(), store); }
  int32_t Revert(Stores& stores) override { return RemoveChain(stores, chain(), store); }
};

class OverwriteChainAction final : public ChainAction {
 public:
  OverwriteChainAction(StoreId changedStore, std::unique_ptr<ChainRecord> chainSnapshot,
                       std::unique_ptr<ChainRecord> replaced)
      : ChainAction(changedStore, std::move(chainSnapshot)), replaced_(std::move(replaced)) {}
  int32_t Apply(Stores& stores) override { return PutChain(stores, chain(), store); }
  int32_t Revert(Stores& stores) override { return PutChain(stores, *replaced_, store); }

 private:
  std::unique_ptr<ChainRecord> replaced_;  // a copy of the record it replaces
};

class DeleteChainAction final : public ChainAction {
 public:
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores) override { return RemoveChain(stores, chain(), store); }
  int32_t Revert(Stores& stores) override { return PutChain(stores, chain(), store); }
};

template <class Action>
std::unique_ptr<HistoryAction> NewPresetAction(const PlugInEntry& entry, const PresetRecord& preset, StoreId store) {
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> snapshot = PresetRecord::CopyOf(preset);
  if (!identity || !snapshot) return nullptr;
  return MakeOwned<Action>(store, std::move(identity), std::move(snapshot));
}

template <class Action>
std::unique_ptr<HistoryAction> NewChainAction(const ChainRecord& chain, StoreId store) {
  std::unique_ptr<ChainRecord> snapshot = ChainRecord::CopyOf(chain);
  if (!snapshot) return nullptr;
  return MakeOwned<Action>(store, std::move(snapshot));
}

}  // namespace

std::unique_ptr<HistoryAction> NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                   StoreId store) {
  return NewPresetAction<CopyPresetAction>(entry, preset, store);
}

std::unique_ptr<HistoryAction> NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                        const PresetRecord& replaced, StoreId store) {
  std::unique_ptr<PlugInEntry> identity = PlugInEntry::CopyIdentity(entry);
  std::unique_ptr<PresetRecord> snapshot = PresetRecord::CopyOf(preset);
  std::unique_ptr<PresetRecord> old = PresetRecord::CopyOf(replaced);
  if (!identity || !snapshot || !old) return nullptr;
  return MakeOwned<OverwritePresetAction>(store, std::move(identity), std::move(snapshot), std::move(old));
}

std::unique_ptr<HistoryAction> NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                                     StoreId store) {
  return NewPresetAction<DeletePresetAction>(entry, preset, store);
}

std::unique_ptr<HistoryAction> NewCopyChainAction(const ChainRecord& chain, StoreId store) {
  return NewChainAction<CopyChainAction>(chain, store);
}

std::unique_ptr<HistoryAction> NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced,
                                                       StoreId store) {
  std::unique_ptr<ChainRecord> snapshot = ChainRecord::CopyOf(chain);
  std::unique_ptr<ChainRecord> old = ChainRecord::CopyOf(replaced);
  if (!snapshot || !old) return nullptr;
  return MakeOwned<OverwriteChainAction>(store, std::move(snapshot), std::move(old));
}

std::unique_ptr<HistoryAction> NewDeleteChainAction(const ChainRecord& chain, StoreId store) {
  return NewChainAction<DeleteChainAction>(chain, store);
}
