#include "model/record_filter.h"

bool KeepsWholeEntry(const PlugInEntry& entry, const NameMatch& match) {
  if (!match.IsActive()) return true;
  char label[kNameSize];
  entry.GetDisplayName(label, sizeof(label));
  return match.Matches(label);
}

bool KeepsPreset(const PlugInEntry& entry, const PresetRecord& preset, const NameMatch& match) {
  return match.Matches(preset.name) || KeepsWholeEntry(entry, match);
}

bool KeepsEntry(const PlugInEntry& entry, const NameMatch& match) {
  if (entry.GetPresetCount() == 0) return false;
  if (KeepsWholeEntry(entry, match)) return true;
  for (const std::unique_ptr<PresetRecord>& preset : entry.Presets()) {
    if (match.Matches(preset->name)) return true;
  }
  return false;
}

bool KeepsChain(const ChainRecord& chain, const NameMatch& match) { return match.Matches(chain.name); }

bool KeepsAnyEntry(const StoreRecords& records, const NameMatch& match) {
  if (!records.plugIns) return false;
  for (const std::unique_ptr<PlugInEntry>& entry : records.plugIns->Entries()) {
    if (KeepsEntry(*entry, match)) return true;
  }
  return false;
}

bool KeepsAnyChain(const StoreRecords& records, const NameMatch& match) {
  if (!records.chains) return false;
  for (const std::unique_ptr<ChainRecord>& chain : records.chains->Chains()) {
    if (KeepsChain(*chain, match)) return true;
  }
  return false;
}

KeptCount CountKeptItems(const StoreRecords& records, const NameMatch& match) {
  KeptCount count{0, 0};
  if (records.plugIns) {
    for (const std::unique_ptr<PlugInEntry>& entry : records.plugIns->Entries()) {
      uint32_t presets = static_cast<uint32_t>(entry->GetPresetCount());
      count.total += presets;
      if (KeepsWholeEntry(*entry, match)) {
        count.kept += presets;
        continue;
      }
      for (const std::unique_ptr<PresetRecord>& preset : entry->Presets()) count.kept += match.Matches(preset->name);
    }
  }
  if (records.chains) {
    for (const std::unique_ptr<ChainRecord>& chain : records.chains->Chains()) {
      ++count.total;
      count.kept += KeepsChain(*chain, match);
    }
  }
  return count;
}

void NarrowRecords(StoreRecords& records, const NameMatch& match) {
  if (!match.IsActive()) return;
  if (records.plugIns) {
    for (int32_t i = records.plugIns->GetCount() - 1; i >= 0; --i) {
      PlugInEntry* entry = records.plugIns->Get(i);
      if (!KeepsWholeEntry(*entry, match)) {
        for (int32_t p = entry->GetPresetCount() - 1; p >= 0; --p) {
          PresetRecord* preset = entry->GetPreset(p);
          if (!match.Matches(preset->name)) entry->RemovePreset(preset);
        }
      }
      if (entry->GetPresetCount() == 0) records.plugIns->Remove(entry);
    }
  }
  if (records.chains) {
    for (int32_t i = records.chains->GetChainCount() - 1; i >= 0; --i) {
      ChainRecord* chain = records.chains->Get(i);
      if (!KeepsChain(*chain, match)) records.chains->Remove(chain);
    }
  }
}
