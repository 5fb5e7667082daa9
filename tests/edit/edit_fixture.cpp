#include "edit/edit_fixture.h"

#include "platform/text.h"
#include "store/system_loader.h"
#include "support/disk_snapshot.h"

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
  Fill(selections_.back().get(), focus, selectedKind, context, names);
  return *selections_.back();
}

void EditTest::Fill(Selection* selection, FocusKind focus, NodeKind selectedKind, const char* context,
                    std::initializer_list<const char*> names) {
  for (const char* name : names) EXPECT_EQ(0, selection->names.Add(name));
  Text_Copy(selection->context, sizeof(selection->context), context);
  selection->focus = focus;
  selection->selectedKind = selectedKind;
}

std::string EditTest::Contents(StoreId store) const {
  return Describe(stores_.Of(store).plugIns.get(), stores_.Of(store).chains.get());
}

void EditTest::LoadSystem() { RefreshSystemStore(stores_, nullptr); }

std::string EditTest::Disk() const { return DescribeStoreOnDisk(folder_.Path()); }

void EditTest::ExpectSystemInLineWithTheStore() const {
  EXPECT_EQ(DescribeHoldingsOfFullLoad(), DescribeHoldings(stores_.system.plugIns.get(), stores_.system.chains.get()));
}
