#include "views/records_builder.h"

#include <gtest/gtest.h>

PlugInEntry* AddEntry(StoreRecords& records, const char* name, std::initializer_list<const char*> presets,
                      bool editor) {
  if (!records.plugIns) records.plugIns = PlugInCollection::Create();
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name, editor ? "" : "{0A000000-0000-4000-8000-00000000000A}");
  if (editor) entry->flags = kPlugInEditorBit;
  for (const char* preset : presets) {
    std::unique_ptr<PresetRecord> record = PresetRecord::Create(preset);
    EXPECT_EQ(0, record->data.Assign("bytes", 5));
    EXPECT_EQ(0, entry->AppendPreset(std::move(record)));
  }
  PlugInEntry* added = entry.get();
  EXPECT_EQ(0, records.plugIns->Append(std::move(entry)));
  return added;
}

void AddChain(StoreRecords& records, const char* name) {
  if (!records.chains) records.chains = ChainCollection::Create();
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(name);
  EXPECT_EQ(0, chain->stream.Assign("stream", 6));
  EXPECT_EQ(0, records.chains->Append(std::move(chain)));
}
