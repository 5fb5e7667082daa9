// Two stores, a history and an edit context over a system store of the
// test's own; every message box is answered from a list the test gives.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "edit/edit_context.h"
#include "edit/selection_edit.h"
#include "store/store_fixture.h"

struct Question {
  std::string text;
  uint32_t flags;
};

class EditTest : public SystemStoreTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds records straight into a store's collections.
  PlugInEntry* AddEntry(uint32_t store, const char* name, const char* classKey, bool editor = false);
  void AddPreset(PlugInEntry* entry, const char* name, const std::vector<unsigned char>& bytes);
  void AddChain(uint32_t store, const char* name, const char* keyName, const std::vector<unsigned char>& stream);

  // A selection that the test owns until it ends.
  Selection& Select(int focusKind, NodeKind selectedKind, const char* context, std::initializer_list<const char*> names);

  // What a store holds, every byte included.
  std::string Contents(uint32_t store) const;
  // The answers the next questions get, in order; once they run out, Cancel.
  void Answer(std::initializer_list<int32_t> answers) { answers_.assign(answers.begin(), answers.end()); }

  Stores stores_{};
  History* history_ = nullptr;
  EditContext edit_{};
  std::vector<Question> questions_;

 private:
  static int32_t AnswerQuestion(void* context, const VtMsgBoxQuestion& question);

  std::vector<int32_t> answers_;
  std::vector<Selection*> selections_;
};
