#include "edit/edit_fixture.h"

#include <cstring>

#include "platform/text.h"

void EditTest::SetUp() {
  SystemStoreTest::SetUp();
  history_ = CreateHistory();
  ASSERT_NE(nullptr, history_);
  edit_ = EditContext{&stores_, history_, nullptr, VtOwnerNone(), 0, nullptr, nullptr};
  ASSERT_EQ(0, VtMsgBoxSetHook(&EditTest::AnswerQuestion, this));
}

void EditTest::TearDown() {
  VtMsgBoxSetHook(nullptr, nullptr);
  for (Selection* selection : selections_) {
    VtList_Destroy(selection->names);
    delete selection;
  }
  DestroyHistory(history_);
  Stores_Clear(stores_);
  SystemStoreTest::TearDown();
}

int32_t EditTest::AnswerQuestion(void* context, const VtMsgBoxQuestion& question) {
  EditTest* test = static_cast<EditTest*>(context);
  test->questions_.push_back(Question{question.text, question.flags});
  if (test->answers_.empty()) return kVtIdCancel;
  int32_t answer = test->answers_.front();
  test->answers_.erase(test->answers_.begin());
  return answer;
}

PlugInEntry* EditTest::AddEntry(uint32_t store, const char* name, const char* classKey, bool editor) {
  PlugInEntry* entry = PlugInEntry::Create(name, classKey);
  if (editor) entry->flags = kPlugInEditorBit;
  EXPECT_EQ(0, GetPlugInCollection(stores_, store)->Append(entry));
  return entry;
}

void EditTest::AddPreset(PlugInEntry* entry, const char* name, const std::vector<unsigned char>& bytes) {
  PresetRecord* preset = PresetRecord::Create(name);
  ASSERT_EQ(0, preset->SetData(bytes.data(), static_cast<uint32_t>(bytes.size())));
  ASSERT_EQ(0, entry->AppendPreset(preset));
}

void EditTest::AddChain(uint32_t store, const char* name, const char* keyName,
                        const std::vector<unsigned char>& stream) {
  ChainRecord* chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(keyName);
  chain->flags = 1;
  chain->type = 2;
  ASSERT_EQ(0, chain->SetStream(stream.data(), static_cast<uint32_t>(stream.size())));
  ASSERT_EQ(0, GetChainCollection(stores_, store)->Append(chain));
}

Selection& EditTest::Select(int focusKind, NodeKind selectedKind, const char* context,
                            std::initializer_list<const char*> names) {
  Selection* selection = new Selection{};
  EXPECT_EQ(0, VtList_CreateExZ(sizeof(void*), 16, 16, VTLIST_HEAP, &selection->names));
  for (const char* name : names) {
    EXPECT_EQ(0, VtList_AllocInsert(selection->names, -1, static_cast<uint32_t>(strlen(name) + 1), name, nullptr));
  }
  Text_Copy(selection->context, sizeof(selection->context), context);
  selection->focusKind = focusKind;
  selection->selectedKind = selectedKind;
  selections_.push_back(selection);
  return *selection;
}

std::string EditTest::Contents(uint32_t store) const {
  return Describe(stores_.plugIns[StoreSlot(store)], stores_.chains[StoreSlot(store)]);
}
