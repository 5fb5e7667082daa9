// Copies into the package store: the overwrite question and its answers,
// new entries, and undo and redo of what a copy did.
#include <gtest/gtest.h>

#include "edit/edit_fixture.h"
#include "resource.h"

namespace {

class PackageCopy : public EditTest {
 protected:
  // The system store holds one plug-in with the given presets; the
  // package holds the same plug-in with the presets named in `existing`.
  PlugInEntry* Prepare(std::initializer_list<const char*> presets, std::initializer_list<const char*> existing) {
    PlugInEntry* source = AddEntry(kSystemStore, "Studio Reverb", kClassA);
    unsigned seed = 1;
    for (const char* name : presets) AddPreset(source, name, Pattern(8, seed++));
    if (existing.size() > 0) {
      PlugInEntry* target = AddEntry(kPackageStore, "Studio Reverb", kClassA);
      for (const char* name : existing) AddPreset(target, name, Pattern(4, 100 + seed++));
    }
    return source;
  }
  EditOutcome CopyPresets(std::initializer_list<const char*> names) {
    return CopySelectionToOtherStore(edit_, kSystemStore,
                                     Select(kFocusList, NodeKind::PlugIn, "Studio Reverb", names));
  }
};

TEST_F(PackageCopy, OneExistingPresetAsksYesNoCancelAndNoRecordsNothing) {
  Prepare({"Hall"}, {"HALL"});
  std::string before = Contents(kPackageStore);
  Answer({kVtIdNo});
  EditOutcome outcome = CopyPresets({"Hall"});
  EXPECT_EQ(E_FAIL, outcome.status);
  EXPECT_FALSE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_EQ(kVtMbYesNoCancel | kVtMbIconExclamation, questions_[0].flags);
  EXPECT_EQ("The item Studio Reverb 'HALL' already exists in this package.  Do you want to overwrite it?",
            questions_[0].text);
  EXPECT_EQ(before, Contents(kPackageStore));
  EXPECT_EQ(0, GetUndoCount(*history_));

  // Yes overwrites; undo gives the old bytes back, redo the new ones.
  Answer({kVtIdYes});
  outcome = CopyPresets({"Hall"});
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(kPackageStore, outcome.changedStore);
  std::string after = Contents(kPackageStore);
  EXPECT_NE(before, after);
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  EXPECT_EQ(before, Contents(kPackageStore));
  ASSERT_EQ(0, Redo(*history_, stores_, nullptr));
  EXPECT_EQ(after, Contents(kPackageStore));
}

TEST_F(PackageCopy, AnswersForAllRemainingItemsLastOneCopy) {
  Prepare({"a", "b", "c", "d", "e"}, {"b", "c", "e"});
  Answer({kVtIdYesToAll});
  EditOutcome outcome = CopySelectionToOtherStore(edit_, kSystemStore,
                                                  Select(kFocusTree, NodeKind::PlugIn, "FX Plug-Ins", {"Studio Reverb"}));
  ASSERT_TRUE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_EQ(kVtMbYesAllNoNoAllCancel | kVtMbIconExclamation, questions_[0].flags);
  std::string overwritten = Contents(kPackageStore);
  PlugInEntry* target = stores_.plugIns[1]->Get(0);
  EXPECT_EQ(5, target->GetPresetCount());
  EXPECT_EQ(8u, target->GetPreset(target->FindPreset("e"))->dataSize);  // the system's bytes

  // The next copy asks again; No to All skips every remaining conflict but
  // still copies what does not exist.
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  questions_.clear();
  Answer({kVtIdNoToAll});
  outcome = CopySelectionToOtherStore(edit_, kSystemStore,
                                      Select(kFocusTree, NodeKind::PlugIn, "FX Plug-Ins", {"Studio Reverb"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(1u, questions_.size());
  target = stores_.plugIns[1]->Get(0);
  EXPECT_EQ(8u, target->GetPreset(target->FindPreset("a"))->dataSize);  // copied
  EXPECT_EQ(8u, target->GetPreset(target->FindPreset("d"))->dataSize);  // copied
  EXPECT_EQ(4u, target->GetPreset(target->FindPreset("e"))->dataSize);  // kept
}

TEST_F(PackageCopy, CancelLeavesBothStoresAndTheHistoryAlone) {
  Prepare({"Hall", "Room"}, {"Hall"});
  std::string system = Contents(kSystemStore), package = Contents(kPackageStore);
  Answer({kVtIdCancel});
  EditOutcome outcome = CopyPresets({"Hall", "Room"});
  EXPECT_EQ(E_CANCELLED, outcome.status);
  EXPECT_FALSE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_EQ(kVtMbYesAllNoNoAllCancel | kVtMbIconExclamation, questions_[0].flags);  // two items
  EXPECT_EQ(system, Contents(kSystemStore));
  EXPECT_EQ(package, Contents(kPackageStore));
  EXPECT_EQ(0, GetUndoCount(*history_));
  EXPECT_EQ(nullptr, history_->pending);
}

TEST_F(PackageCopy, ANewEntryStaysApartFromAnotherPlugInOfTheSameName) {
  Prepare({"Hall"}, {});
  AddEntry(kPackageStore, "Studio Reverb", kClassB)->flags = 0;
  AddPreset(stores_.plugIns[1]->Get(0), "Other", Pattern(3, 9));
  PlugInEntry* editor = AddEntry(kSystemStore, "Studio Reverb", "", true);
  AddPreset(editor, "Plate", Pattern(5, 7));

  ASSERT_TRUE(CopyPresets({"Hall"}).committed);
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, kSystemStore,
                                        Select(kFocusList, NodeKind::PlugIn, "Veltrane Cantorel Studio Reverb",
                                               {"Plate"}))
                  .committed);
  const PlugInCollection* package = stores_.plugIns[1];
  ASSERT_EQ(3, package->GetCount());
  EXPECT_STREQ("Not Installed 000", package->Get(1)->name);
  EXPECT_STREQ(kClassA, package->Get(1)->classKey);
  // An editor effect keeps its name: it is the key its presets belong under.
  EXPECT_STREQ("Studio Reverb", package->Get(2)->name);
  EXPECT_TRUE(package->Get(2)->IsEditor());
}

TEST_F(PackageCopy, UndoRemovesWhatTheCopyAddedAndEntriesLeftEmpty) {
  Prepare({"a", "b", "c"}, {});
  EditOutcome outcome = CopyPresets({"a", "b", "c"});
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(3u, stores_.plugIns[1]->GetTotalPresetCount());
  char name[32];
  GetUndoName(*history_, name, sizeof(name));
  EXPECT_STREQ("Copy", name);

  uint32_t changed = kSystemStore;
  ASSERT_EQ(0, Undo(*history_, stores_, &changed));
  EXPECT_EQ(kPackageStore, changed);
  EXPECT_EQ(0, stores_.plugIns[1]->GetCount());
  ASSERT_EQ(0, Redo(*history_, stores_, nullptr));
  EXPECT_EQ(3u, stores_.plugIns[1]->GetTotalPresetCount());
}

TEST_F(PackageCopy, UndoAfterTheCopiedPresetsWereReplacedRemovesNothingAndRedoPutsThemBack) {
  Prepare({"a", "b"}, {});
  ASSERT_TRUE(CopyPresets({"a", "b"}).committed);
  // A new, empty package takes the old one's place; the history stays.
  Stores_Replace(stores_, kPackageStore, nullptr, nullptr);
  uint32_t changed = kSystemStore;
  EXPECT_EQ(0, Undo(*history_, stores_, &changed));
  EXPECT_EQ(kPackageStore, changed);
  EXPECT_EQ(0, GetPlugInCollection(stores_, kPackageStore)->GetCount());
  ASSERT_EQ(0, Redo(*history_, stores_, nullptr));
  EXPECT_EQ(2u, stores_.plugIns[1]->GetTotalPresetCount());
}

TEST_F(PackageCopy, AnOverwrittenChainComesBackFromTheActionsOwnCopy) {
  AddChain(kSystemStore, "Vocal", "Chain0001", Pattern(6, 1));
  AddChain(kPackageStore, "VOCAL", "Chain0009", Pattern(9, 2));
  std::string before = Contents(kPackageStore);
  Answer({kVtIdYes});
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, kSystemStore, Select(kFocusList, NodeKind::ChainGroup, "FX Chains",
                                                                    {"Vocal"}))
                  .committed);
  EXPECT_EQ("The item Chain 'VOCAL' already exists in this package.  Do you want to overwrite it?",
            questions_.at(0).text);
  std::string after = Contents(kPackageStore);
  EXPECT_NE(before, after);
  // The package's record changes after the copy; the undo still restores
  // what was there when the copy was recorded.
  stores_.chains[1]->Get(0)->SetStream("zz", 2);
  ASSERT_EQ(0, Undo(*history_, stores_, nullptr));
  EXPECT_EQ(before, Contents(kPackageStore));
  ASSERT_EQ(0, Redo(*history_, stores_, nullptr));
  EXPECT_EQ(after, Contents(kPackageStore));
}

}  // namespace
