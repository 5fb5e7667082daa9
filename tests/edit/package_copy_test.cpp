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
    PlugInEntry* source = AddEntry(StoreId::System, "Studio Reverb", kClassA);
    unsigned seed = 1;
    for (const char* name : presets) AddPreset(source, name, Pattern(8, seed++));
    if (existing.size() > 0) {
      PlugInEntry* target = AddEntry(StoreId::Package, "Studio Reverb", kClassA);
      for (const char* name : existing) AddPreset(target, name, Pattern(4, 100 + seed++));
    }
    return source;
  }
  EditOutcome CopyPresets(std::initializer_list<const char*> names) {
    return CopySelectionToOtherStore(edit_, StoreId::System,
                                     Select(FocusKind::List, NodeKind::PlugIn, "Studio Reverb", names));
  }
};

TEST_F(PackageCopy, OneExistingPresetAsksYesNoCancelAndNoRecordsNothing) {
  Prepare({"Hall"}, {"HALL"});
  std::string before = Contents(StoreId::Package);
  Answer({OverwriteAnswer::No});
  EditOutcome outcome = CopyPresets({"Hall"});
  EXPECT_EQ(E_FAIL, outcome.status);
  EXPECT_FALSE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_FALSE(questions_[0].offerAll);
  EXPECT_EQ("Studio Reverb", questions_[0].kind);
  EXPECT_EQ("HALL", questions_[0].name);
  EXPECT_EQ(StoreId::Package, questions_[0].destination);
  EXPECT_EQ(before, Contents(StoreId::Package));
  EXPECT_EQ(0, GetUndoCount(history_));

  // Yes overwrites; undo gives the old bytes back, redo the new ones.
  Answer({OverwriteAnswer::Yes});
  outcome = CopyPresets({"Hall"});
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(StoreId::Package, outcome.changedStore);
  std::string after = Contents(StoreId::Package);
  EXPECT_NE(before, after);
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  EXPECT_EQ(before, Contents(StoreId::Package));
  ASSERT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ(after, Contents(StoreId::Package));
}

TEST_F(PackageCopy, AnswersForAllRemainingItemsLastOneCopy) {
  Prepare({"a", "b", "c", "d", "e"}, {"b", "c", "e"});
  Answer({OverwriteAnswer::YesToAll});
  EditOutcome outcome = CopySelectionToOtherStore(edit_, StoreId::System,
                                                  Select(FocusKind::Tree, NodeKind::PlugIn, "FX Plug-Ins", {"Studio Reverb"}));
  ASSERT_TRUE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_TRUE(questions_[0].offerAll);
  std::string overwritten = Contents(StoreId::Package);
  PlugInEntry* target = stores_.package.plugIns->Get(0);
  EXPECT_EQ(5, target->GetPresetCount());
  EXPECT_EQ(8u, target->FindPreset("e")->data.Size());  // the system's bytes

  // The next copy asks again; No to All skips every remaining conflict but
  // still copies what does not exist.
  ASSERT_EQ(0, Undo(history_, stores_, nullptr));
  questions_.clear();
  Answer({OverwriteAnswer::NoToAll});
  outcome = CopySelectionToOtherStore(edit_, StoreId::System,
                                      Select(FocusKind::Tree, NodeKind::PlugIn, "FX Plug-Ins", {"Studio Reverb"}));
  ASSERT_TRUE(outcome.committed);
  EXPECT_EQ(1u, questions_.size());
  target = stores_.package.plugIns->Get(0);
  EXPECT_EQ(8u, target->FindPreset("a")->data.Size());  // copied
  EXPECT_EQ(8u, target->FindPreset("d")->data.Size());  // copied
  EXPECT_EQ(4u, target->FindPreset("e")->data.Size());  // kept
}

TEST_F(PackageCopy, CancelLeavesBothStoresAndTheHistoryAlone) {
  Prepare({"Hall", "Room"}, {"Hall"});
  std::string system = Contents(StoreId::System), package = Contents(StoreId::Package);
  Answer({OverwriteAnswer::Cancel});
  EditOutcome outcome = CopyPresets({"Hall", "Room"});
  EXPECT_EQ(E_CANCELLED, outcome.status);
  EXPECT_FALSE(outcome.committed);
  ASSERT_EQ(1u, questions_.size());
  EXPECT_TRUE(questions_[0].offerAll);  // two items
  EXPECT_EQ(system, Contents(StoreId::System));
  EXPECT_EQ(package, Contents(StoreId::Package));
  EXPECT_EQ(0, GetUndoCount(history_));
  EXPECT_EQ(nullptr, history_.pending);
}

TEST_F(PackageCopy, ANewEntryStaysApartFromAnotherPlugInOfTheSameName) {
  Prepare({"Hall"}, {});
  AddEntry(StoreId::Package, "Studio Reverb", kClassB)->flags = 0;
  AddPreset(stores_.package.plugIns->Get(0), "Other", Pattern(3, 9));
  PlugInEntry* editor = AddEntry(StoreId::System, "Studio Reverb", "", true);
  AddPreset(editor, "Plate", Pattern(5, 7));

  ASSERT_TRUE(CopyPresets({"Hall"}).committed);
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, StoreId::System,
                                        Select(FocusKind::List, NodeKind::PlugIn, "Veltrane Cantorel Studio Reverb",
                                               {"Plate"}))
                  .committed);
  const PlugInCollection* package = stores_.package.plugIns.get();
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
  EXPECT_EQ(3u, stores_.package.plugIns->GetTotalPresetCount());
  EXPECT_EQ(GroupKind::Copy, GetUndoKind(history_));

  StoreId changed = StoreId::System;
  ASSERT_EQ(0, Undo(history_, stores_, &changed));
  EXPECT_EQ(StoreId::Package, changed);
  EXPECT_EQ(0, stores_.package.plugIns->GetCount());
  ASSERT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ(3u, stores_.package.plugIns->GetTotalPresetCount());
}

TEST_F(PackageCopy, UndoAfterTheCopiedPresetsWereReplacedRemovesNothingAndRedoPutsThemBack) {
  Prepare({"a", "b"}, {});
  ASSERT_TRUE(CopyPresets({"a", "b"}).committed);
  // A new, empty package takes the old one's place; the history stays.
  stores_.package = {};
  StoreId changed = StoreId::System;
  EXPECT_EQ(0, Undo(history_, stores_, &changed));
  EXPECT_EQ(StoreId::Package, changed);
  EXPECT_EQ(0, GetPlugInCollection(stores_, StoreId::Package)->GetCount());
  ASSERT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ(2u, stores_.package.plugIns->GetTotalPresetCount());
}

TEST_F(PackageCopy, AnOverwrittenChainComesBackFromTheActionsOwnCopy) {
  AddChain(StoreId::System, "Vocal", "Chain0001", Pattern(6, 1));
  AddChain(StoreId::Package, "VOCAL", "Chain0009", Pattern(9, 2));
  std::string before = Contents(StoreId::Package);
  Answer({OverwriteAnswer::Yes});
  ASSERT_TRUE(CopySelectionToOtherStore(edit_, StoreId::System, Select(FocusKind::List, NodeKind::ChainGroup, "FX Chains",
                                                                    {"Vocal"}))
                  .committed);
  EXPECT_EQ("Chain", questions_.at(0).kind);
  EXPECT_EQ("VOCAL", questions_.at(0).name);
  EXPECT_EQ(StoreId::Package, questions_.at(0).destination);
  std::string after = Contents(StoreId::Package);
  EXPECT_NE(before, after);
  // The package's record changes after the copy: the undo asks before it
  // replaces that, and then restores what was there when the copy was
  // recorded.
  stores_.package.chains->Get(0)->stream.Assign("zz", 2);
  Answer({OverwriteAnswer::Yes});
  ASSERT_EQ(0, Undo(history_, stores_, nullptr, nullptr, this));
  ASSERT_EQ(2u, questions_.size());
  EXPECT_EQ("Chain", questions_[1].kind);
  EXPECT_EQ(before, Contents(StoreId::Package));
  ASSERT_EQ(0, Redo(history_, stores_, nullptr));
  EXPECT_EQ(after, Contents(StoreId::Package));
}

}  // namespace
