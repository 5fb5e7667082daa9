#include "edit/edit_fixture.h"

#include "platform/text.h"

OverwriteAnswer EditTest::Ask(const OverwriteItem& item) {
  questions_.push_back(Question{item.kind, item.name, item.destination, item.offerAll});
  if (answers_.empty()) return OverwriteAnswer::Cancel;
  OverwriteAnswer answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

PlugInEntry* EditTest::AddEntry(StoreId store, const char* name, const char* classKey, bool editor) {
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create(name, classKey);
  if (editor) entry->flags = kPlugInEditorBit;
  PlugInEntry* added = entry.get();
  EXPECT_EQ(0, GetPlugInCollection(stores_, store)->Append(std::move(entry)));
  return added;
}

void EditTest::AddPreset(PlugInEntry* entry, const char* name, const std::vector<unsigned char>& bytes) {
  std::unique_ptr<PresetRecord> preset = PresetRecord::Create(name);
  ASSERT_EQ(0, preset->data.Assign(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(0, entry->AppendPreset(std::move(preset)));
}

void EditTest::AddChain(StoreId store, const char* name, const char* keyName,
                        const std::vector<unsigned char>& stream) {
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(keyName);
  chain->flags = 1;
  chain->type = 2;
  ASSERT_EQ(0, chain->stream.Assign(stream.data(), static_cast<uint32_t>(stream.size())));
  ASSERT_EQ(0, GetChainCollection(stores_, store)->Append(std::move(chain)));
}

Selection& EditTest::Select(FocusKind focus, NodeKind selectedKind, const char* context,
                            std::initializer_list<const char*> names) {
  selections_.push_back(std::make_unique<Selection>());
  Selection& selection = *selections_.back();
  for (const char* name : names) EXPECT_EQ(0, selection.names.Add(name));
  Text_Copy(selection.context, sizeof(selection.context), context);
  selection.focus = focus;
  selection.selectedKind = selectedKind;
  return selection;
}

std::string EditTest::Contents(StoreId store) const {
  return Describe(stores_.Of(store).plugIns.get(), stores_.Of(store).chains.get());
}
