// Two stores, a history and an edit context over a system store of the
// test's own; every overwrite question is answered from a list the test
// gives.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "edit/edit_context.h"
#include "edit/selection_edit.h"
#include "store/store_fixture.h"

struct Question {
  std::string kind;
  std::string name;
  StoreId destination;
  bool offerAll;
};

class EditTest : public SystemStoreTest, public OverwriteQuestion {
 protected:
  // Builds records straight into a store's collections.
  PlugInEntry* AddEntry(StoreId store, const char* name, const char* classKey, bool editor = false);
  void AddPreset(PlugInEntry* entry, const char* name, const std::vector<unsigned char>& bytes);
  void AddChain(StoreId store, const char* name, const char* keyName, const std::vector<unsigned char>& stream);

  // A selection that the test owns until it ends.
  Selection& Select(FocusKind focus, NodeKind selectedKind, const char* context,
                    std::initializer_list<const char*> names);
  static void Fill(Selection* selection, FocusKind focus, NodeKind selectedKind, const char* context,
                   std::initializer_list<const char*> names);

  // What a store holds, every byte included.
  std::string Contents(StoreId store) const;
  // The system store's records hold what the registry and the files hold.
  void ExpectSystemInLineWithTheStore() const;
  // Loads the system store as the program does, its index included.
  void LoadSystem();
  // The registry keys of the store and every file below the test's folder,
  // byte for byte.
  std::string Disk() const;
  // The answers the next questions get, in order; once they run out, Cancel.
  void Answer(std::initializer_list<OverwriteAnswer> answers) { answers_.assign(answers.begin(), answers.end()); }

  OverwriteAnswer Ask(const OverwriteItem& item) override;

  Stores stores_;
  History history_;
  EditContext edit_{stores_, history_, this};
  std::vector<Question> questions_;

 private:
  std::vector<OverwriteAnswer> answers_;
  std::vector<std::unique_ptr<Selection>> selections_;
};
