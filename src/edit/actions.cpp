#include "edit/actions.h"

#include "store/chain_store.h"
#include "store/preset_store.h"

namespace {

PresetRecord* SnapshotPreset(const PresetRecord& preset) {
  PresetRecord* copy = PresetRecord::Create();
  if (copy != nullptr && copy->CopyFrom(preset) != 0) {
    DestroyModelObject(copy);
    return nullptr;
  }
  return copy;
}

ChainRecord* SnapshotChain(const ChainRecord& chain) {
  ChainRecord* copy = ChainRecord::Create();
  if (copy != nullptr && copy->CopyFrom(chain) != 0) {
    DestroyModelObject(copy);
    return nullptr;
  }
  return copy;
}

// An entry's identity and one preset.
struct PresetAction : HistoryAction {
  PlugInEntry* entry;    // owned; no presets
  PresetRecord* preset;  // owned

  explicit PresetAction(uint32_t changedStore) : HistoryAction(changedStore), entry(nullptr), preset(nullptr) {}
  ~PresetAction() override {
    DestroyModelObject(entry);
    DestroyModelObject(preset);
  }
  bool Take(const PlugInEntry& fromEntry, const PresetRecord& fromPreset) {
    entry = PlugInEntry::CopyIdentity(fromEntry);
    preset = SnapshotPreset(fromPreset);
    return entry != nullptr && preset != nullptr;
  }
  int32_t Put(Stores& stores, const PresetRecord& what) { return PutPreset(stores, *entry, what, store); }
  int32_t Remove(Stores& stores) { return RemovePreset(stores, *entry, *preset, store); }
};

struct CopyPresetAction final : PresetAction {
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores) override { return Put(stores, *preset); }
  int32_t Revert(Stores& stores) override { return Remove(stores); }
};

struct OverwritePresetAction final : PresetAction {
  PresetRecord* replaced;  // owned: the destination's record before the overwrite

  explicit OverwritePresetAction(uint32_t changedStore) : PresetAction(changedStore), replaced(nullptr) {}
  ~OverwritePresetAction() override { DestroyModelObject(replaced); }
  int32_t Apply(Stores& stores) override { return Put(stores, *preset); }
  int32_t Revert(Stores& stores) override { return Put(stores, *replaced); }
};

struct DeletePresetAction final : PresetAction {
  using PresetAction::PresetAction;
  int32_t Apply(Stores& stores) override { return Remove(stores); }
  int32_t Revert(Stores& stores) override { return Put(stores, *preset); }
};

struct ChainAction : HistoryAction {
  ChainRecord* chain;  // owned

  explicit ChainAction(uint32_t changedStore) : HistoryAction(changedStore), chain(nullptr) {}
  ~ChainAction() override { DestroyModelObject(chain); }
};

struct CopyChainAction final : ChainAction {
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores) override { return PutChain(stores, *chain, store); }
  int32_t Revert(Stores& stores) override { return RemoveChain(stores, *chain, store); }
};

struct OverwriteChainAction final : ChainAction {
  ChainRecord* replaced;  // owned: a copy of the record it replaces

  explicit OverwriteChainAction(uint32_t changedStore) : ChainAction(changedStore), replaced(nullptr) {}
  ~OverwriteChainAction() override { DestroyModelObject(replaced); }
  int32_t Apply(Stores& stores) override { return PutChain(stores, *chain, store); }
  int32_t Revert(Stores& stores) override { return PutChain(stores, *replaced, store); }
};

struct DeleteChainAction final : ChainAction {
  using ChainAction::ChainAction;
  int32_t Apply(Stores& stores) override { return RemoveChain(stores, *chain, store); }
  int32_t Revert(Stores& stores) override { return PutChain(stores, *chain, store); }
};

// Keeps a half-built action from leaking: null unless `complete`.
HistoryAction* Finish(HistoryAction* action, bool complete) {
  if (complete) return action;
  DestroyModelObject(action);
  return nullptr;
}

template <class Action>
HistoryAction* NewPresetAction(const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  Action* action = NewModelObject<Action>(store);
  if (action == nullptr) return nullptr;
  return Finish(action, action->Take(entry, preset));
}

template <class Action>
HistoryAction* NewChainAction(const ChainRecord& chain, uint32_t store) {
  Action* action = NewModelObject<Action>(store);
  if (action == nullptr) return nullptr;
  action->chain = SnapshotChain(chain);
  return Finish(action, action->chain != nullptr);
}

}  // namespace

HistoryAction* NewCopyPresetAction(const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  return NewPresetAction<CopyPresetAction>(entry, preset, store);
}

HistoryAction* NewOverwritePresetAction(const PlugInEntry& entry, const PresetRecord& preset,
                                        const PresetRecord& replaced, uint32_t store) {
  OverwritePresetAction* action = NewModelObject<OverwritePresetAction>(store);
  if (action == nullptr) return nullptr;
  bool complete = action->Take(entry, preset);
  action->replaced = SnapshotPreset(replaced);
  return Finish(action, complete && action->replaced != nullptr);
}

HistoryAction* NewDeletePresetAction(const PlugInEntry& entry, const PresetRecord& preset, uint32_t store) {
  return NewPresetAction<DeletePresetAction>(entry, preset, store);
}

HistoryAction* NewCopyChainAction(const ChainRecord& chain, uint32_t store) {
  return NewChainAction<CopyChainAction>(chain, store);
}

HistoryAction* NewOverwriteChainAction(const ChainRecord& chain, const ChainRecord& replaced, uint32_t store) {
  HistoryAction* action = NewChainAction<OverwriteChainAction>(chain, store);
  if (action == nullptr) return nullptr;
  OverwriteChainAction* overwrite = static_cast<OverwriteChainAction*>(action);
  overwrite->replaced = SnapshotChain(replaced);
  return Finish(action, overwrite->replaced != nullptr);
}

HistoryAction* NewDeleteChainAction(const ChainRecord& chain, uint32_t store) {
  return NewChainAction<DeleteChainAction>(chain, store);
}
