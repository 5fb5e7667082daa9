// Renaming a preset or a chain: the rules a name must meet, and the rename
// in each store, checked against the registry and the preset files. A
// failing writer never leaves the store without the item, and the records
// follow what the store holds.
#include <gtest/gtest.h>

#include <string>

#include "edit/edit_fixture.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "platform/status.h"
#include "store/chain_writer.h"
#include "store/preset_store.h"
#include "store/preset_writer.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"
#include "views/rename.h"

namespace {

TEST(RenameRules, NamesOfUpTo63CharactersPassCountedAsTheEditBoxCounts) {
  EXPECT_EQ(NameCheck::Cancelled, CheckNewName(nullptr));
  EXPECT_EQ(NameCheck::Cancelled, CheckNewName(""));
  EXPECT_EQ(NameCheck::Acceptable, CheckNewName(std::string(63, 'a').c_str()));
  EXPECT_EQ(NameCheck::TooLong, CheckNewName(std::string(64, 'a').c_str()));
  EXPECT_EQ(NameCheck::TooLong, CheckNewName(std::string(300, 'a').c_str()));
  // Two-byte characters count once; a character beyond the basic plane twice.
  EXPECT_EQ(NameCheck::Acceptable, CheckNewName((std::string(62, 'a') + "\xC3\xA9").c_str()));
  EXPECT_EQ(NameCheck::TooLong, CheckNewName((std::string(62, 'a') + "\xF0\x9F\x8E\xB9").c_str()));
}

TEST(RenameRules, SpacesAroundANameAreTrimmedAndThoseInsideKept) {
  char name[16];
  TrimNewName("  Drum Hall ", name, sizeof(name));
  EXPECT_STREQ("Drum Hall", name);
  TrimNewName("   ", name, sizeof(name));
  EXPECT_STREQ("", name);  // nothing left: as a cancelled edit
  EXPECT_EQ(NameCheck::Cancelled, CheckNewName(name));
  TrimNewName(nullptr, name, sizeof(name));
  EXPECT_STREQ("", name);
  TrimNewName(" a  b\t", name, sizeof(name));
  EXPECT_STREQ("a  b\t", name);  // only spaces go
  // Cut to the buffer, never mid-character.
  std::string padded(1, ' ');
  padded.append(14, 'x');
  padded.append("\xC3\xA9 ");
  TrimNewName(padded.c_str(), name, sizeof(name));
  EXPECT_STREQ(std::string(14, 'x').c_str(), name);
}

class Rename : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    delay_ = AddEntry(StoreId::System, "Delay", kClassA);
    AddPreset(delay_, "Warm", Pattern(20, 1));
    AddPreset(delay_, "Bright", Pattern(30, 2));
    SetBinary(PlugInKey(kClassA), "Warm", Pattern(20, 1));
    SetBinary(PlugInKey(kClassA), "Bright", Pattern(30, 2));
    AddChain(StoreId::System, "Vocal", "chain-1", Pattern(40, 3));
    SetChain("chain-1", "Vocal", Pattern(40, 3));
  }

  RenameOutcome RenamePreset(const char* from, const char* to,
                             const SystemStoreOperations& operations = RealSystemStoreOperations()) {
    return RenameItem(stores_, StoreId::System, NodeKind::PlugIn, "Delay", from, to, operations);
  }

  std::vector<unsigned char> Stored(const char* name) {
    uint32_t type = 0;
    std::vector<unsigned char> bytes;
    if (!QueryValue(PlugInKey(kClassA), name, &type, &bytes)) return {};
    return bytes;
  }

  PlugInEntry* delay_ = nullptr;
};

TEST_F(Rename, ANameTakenByAnotherItemConflictsOneDifferingOnlyInCaseIsTheSame) {
  const StoreRecords& system = stores_.system;
  EXPECT_EQ(RenameConflict::Conflict, FindRenameConflict(system, NodeKind::PlugIn, "Delay", "Warm", "bright"));
  EXPECT_EQ(RenameConflict::SameName, FindRenameConflict(system, NodeKind::PlugIn, "Delay", "Warm", "WARM"));
  EXPECT_EQ(RenameConflict::None, FindRenameConflict(system, NodeKind::PlugIn, "Delay", "Warm", "Cold"));
  AddChain(StoreId::System, "Drums", "chain-2", Pattern(40, 4));
  EXPECT_EQ(RenameConflict::Conflict, FindRenameConflict(system, NodeKind::ChainGroup, "FX Chains", "Vocal", "drums"));
  EXPECT_EQ(RenameConflict::None, FindRenameConflict(system, NodeKind::ChainGroup, "FX Chains", "Vocal", "Warm"));
}

TEST_F(Rename, APackageRenameChangesOnlyThePackageInMemory) {
  PlugInEntry* entry = AddEntry(StoreId::Package, "Delay", kClassA);
  AddPreset(entry, "Warm", Pattern(20, 1));
  std::string before = DescribeStoreOnDisk(folder_.Path());
  RenameOutcome outcome = RenameItem(stores_, StoreId::Package, NodeKind::PlugIn, "Delay", "Warm", "Cold");
  EXPECT_TRUE(outcome.renamed);
  EXPECT_NE(nullptr, entry->FindPreset("cold"));
  EXPECT_EQ(nullptr, entry->FindPreset("Warm"));
  EXPECT_EQ(before, DescribeStoreOnDisk(folder_.Path()));
}

TEST_F(Rename, ASystemRenameMovesTheValueAndItsFileToTheNewName) {
  RenameOutcome outcome = RenamePreset("Warm", "Cold");
  EXPECT_TRUE(outcome.renamed);
  EXPECT_EQ(RenameStep::None, outcome.failed);
  EXPECT_TRUE(Stored("Warm").empty());
  EXPECT_EQ(Pattern(20, 1), Stored("Cold"));
  EXPECT_NE(nullptr, delay_->FindPreset("Cold"));

  // A large preset lives in a file named after it.
  AddPreset(delay_, "Big", Pattern(4096, 5));
  ASSERT_EQ(0, WriteDirectShowPreset(*delay_, *delay_->FindPreset("Big")));
  // Read as the program reads it, so that the store knows who uses the file.
  Register(kClassA, "Delay");
  LoadSystem();
  ASSERT_NE(nullptr, stores_.system.plugIns->FindPlugInByName("Delay"));
  std::string oldFile = QueryText(PlugInKey(kClassA), "Big");
  ASSERT_TRUE(File_Exists(oldFile.c_str()));
  EXPECT_TRUE(RenamePreset("Big", "Huge").renamed);
  std::string newFile = QueryText(PlugInKey(kClassA), "Huge");
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(newFile, &bytes));
  EXPECT_EQ(Pattern(4096, 5), bytes);
  EXPECT_FALSE(File_Exists(oldFile.c_str()));
  EXPECT_NE(std::string::npos, newFile.find("Huge"));
}

TEST_F(Rename, AnEditorPresetIsRenamedInItsEffectsKey) {
  PlugInEntry* reverb = AddEntry(StoreId::System, "Reverb", nullptr, true);
  AddPreset(reverb, "Hall", Pattern(20, 6));
  SetBinary(EditorKey("Reverb"), "Hall", Pattern(20, 6));
  RenameOutcome outcome =
      RenameItem(stores_, StoreId::System, NodeKind::PlugIn, "Veltrane Cantorel Reverb", "Hall", "Room");
  EXPECT_TRUE(outcome.renamed);
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
  EXPECT_FALSE(QueryValue(EditorKey("Reverb"), "Hall", &type, &bytes));
  ASSERT_TRUE(QueryValue(EditorKey("Reverb"), "Room", &type, &bytes));
  EXPECT_EQ(Pattern(20, 6), bytes);
}

// Another program stored items under the new names since the store was
// read: renaming onto them would replace them.
TEST_F(Rename, ANameTakenInTheStoreSinceItWasReadIsRefusedAndChangesNothing) {
  SetBinary(PlugInKey(kClassA), "cold", Pattern(12, 9));
  SetChain("chain-7", "Lead", Pattern(40, 9));
  std::string before = DescribeStoreOnDisk(folder_.Path());
  RenameOutcome outcome = RenamePreset("Warm", "Cold");
  EXPECT_TRUE(outcome.takenInStore);
  EXPECT_FALSE(outcome.renamed);
  outcome = RenameItem(stores_, StoreId::System, NodeKind::ChainGroup, "FX Chains", "Vocal", "LEAD");
  EXPECT_TRUE(outcome.takenInStore);
  EXPECT_EQ(before, DescribeStoreOnDisk(folder_.Path()));
  EXPECT_NE(nullptr, delay_->FindPreset("Warm"));
  EXPECT_NE(nullptr, stores_.system.chains->FindChainByName("Vocal"));
}

int32_t FailWrite(Stores&, const PlugInEntry&, const PresetRecord&, StoreId, const StoreChange*) {
  return E_RIFF_WRITE;
}

// The names the plug-in's key holds its values under, as spelt there.
std::string ValueNames(const std::string& key) {
  std::string names;
  ScopedRegKey opened;
  if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), key.c_str(), RegAccess::Read, opened.Out()) != 0) return names;
  for (uint32_t i = 0;; ++i) {
    char name[300];
    uint32_t size = sizeof(name);
    if (Reg_EnumValue(opened.Get(), i, name, &size, nullptr, nullptr, nullptr) != 0) break;
    names += names.empty() ? "" : ",";
    names += name;
  }
  return names;
}

TEST_F(Rename, ALetterCaseChangeIsStoredUnderTheNewSpellingWithItsBytes) {
  RenameOutcome outcome = RenamePreset("Warm", "WARM");
  EXPECT_TRUE(outcome.renamed);
  EXPECT_EQ(RenameStep::None, outcome.failed);
  std::string names = ValueNames(PlugInKey(kClassA));
  EXPECT_NE(std::string::npos, names.find("WARM")) << names;
  EXPECT_EQ(std::string::npos, names.find("Warm")) << names;
  EXPECT_EQ(Pattern(20, 1), Stored("WARM"));
  ASSERT_NE(nullptr, delay_->FindPreset("warm"));
  EXPECT_STREQ("WARM", delay_->FindPreset("warm")->name);
  EXPECT_EQ(2, delay_->GetPresetCount());

  // A preset in a file, and the entry's only preset: the entry goes and
  // comes back with it.
  PlugInEntry* solo = AddEntry(StoreId::System, "Solo", kClassB);
  AddPreset(solo, "Big", Pattern(4096, 5));
  ASSERT_EQ(0, WriteDirectShowPreset(*solo, *solo->FindPreset("Big")));
  Register(kClassB, "Solo");
  LoadSystem();
  EXPECT_TRUE(RenameItem(stores_, StoreId::System, NodeKind::PlugIn, "Solo", "Big", "big").renamed);
  EXPECT_EQ("big", ValueNames(PlugInKey(kClassB)));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(QueryText(PlugInKey(kClassB), "big"), &bytes));
  EXPECT_EQ(Pattern(4096, 5), bytes);
  const PlugInEntry* again = stores_.system.plugIns->FindPlugInByName("Solo");
  ASSERT_NE(nullptr, again);
  EXPECT_STREQ("big", again->FindPreset("BIG")->name);
}

// The first write under the new spelling fails, the one after succeeds.
int g_writes = 0;
int32_t FailFirstWrite(Stores& stores, const PlugInEntry& entry, const PresetRecord& preset, StoreId store,
                       const StoreChange* change) {
  if (g_writes++ == 0) return E_RIFF_WRITE;
  return PutPreset(stores, entry, preset, store, change);
}

TEST_F(Rename, ALetterCaseChangeThatCannotBeWrittenPutsTheOldSpellingBack) {
  SystemStoreOperations writers = RealSystemStoreOperations();
  writers.putPreset = FailFirstWrite;
  g_writes = 0;
  RenameOutcome outcome = RenamePreset("Warm", "WARM", writers);
  EXPECT_FALSE(outcome.renamed);
  EXPECT_EQ(RenameStep::WriteNew, outcome.failed);
  EXPECT_EQ(E_RIFF_WRITE, outcome.status);
  EXPECT_EQ(Pattern(20, 1), Stored("Warm"));
  EXPECT_NE(std::string::npos, ValueNames(PlugInKey(kClassA)).find("Warm"));
  ASSERT_NE(nullptr, delay_->FindPreset("Warm"));
  EXPECT_STREQ("Warm", delay_->FindPreset("Warm")->name);

  // A removal that fails changes nothing.
  writers = RealSystemStoreOperations();
  writers.removePreset = [](Stores&, const PlugInEntry&, const PresetRecord&, StoreId, const StoreChange*) {
    return StatusFromError(kErrorAccessDenied);
  };
  outcome = RenamePreset("Warm", "WARM", writers);
  EXPECT_FALSE(outcome.renamed);
  EXPECT_FALSE(outcome.bothStored);
  EXPECT_STREQ("Warm", delay_->FindPreset("Warm")->name);
}

TEST_F(Rename, AChainsLetterCaseChangesInItsKeyInEitherStore) {
  EXPECT_TRUE(RenameItem(stores_, StoreId::System, NodeKind::ChainGroup, "FX Chains", "Vocal", "VOCAL").renamed);
  EXPECT_EQ("VOCAL", QueryText(ChainKeyPath("chain-1"), kChainNameValue));
  AddChain(StoreId::Package, "Drums", "chain-2", Pattern(40, 4));
  EXPECT_TRUE(RenameItem(stores_, StoreId::Package, NodeKind::ChainGroup, "FX Chains", "Drums", "drums").renamed);
  EXPECT_STREQ("drums", stores_.package.chains->FindChainByName("DRUMS")->name);
}
int32_t FailDelete(Stores&, const PlugInEntry&, const PresetRecord&, StoreId, const StoreChange*) {
  return StatusFromError(kErrorAccessDenied);
}

TEST_F(Rename, AFailedWriteLeavesTheStoreAndTheRecordsUnderTheOldName) {
  std::string before = DescribeStoreOnDisk(folder_.Path());
  SystemStoreOperations writers = RealSystemStoreOperations();
  writers.putPreset = FailWrite;
  RenameOutcome outcome = RenamePreset("Warm", "Cold", writers);
  EXPECT_FALSE(outcome.renamed);
  EXPECT_FALSE(outcome.bothStored);
  EXPECT_EQ(RenameStep::WriteNew, outcome.failed);
  EXPECT_EQ(E_RIFF_WRITE, outcome.status);
  EXPECT_EQ(before, DescribeStoreOnDisk(folder_.Path()));
  EXPECT_NE(nullptr, delay_->FindPreset("Warm"));
  EXPECT_EQ(nullptr, delay_->FindPreset("Cold"));
}

TEST_F(Rename, AFailedRemovalKeepsTheItemUnderBothNamesInTheStoreAndTheRecords) {
  SystemStoreOperations writers = RealSystemStoreOperations();
  writers.removePreset = FailDelete;
  RenameOutcome outcome = RenamePreset("Warm", "Cold", writers);
  EXPECT_FALSE(outcome.renamed);
  EXPECT_TRUE(outcome.bothStored);
  EXPECT_EQ(RenameStep::RemoveOld, outcome.failed);
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), outcome.status);
  EXPECT_EQ(Pattern(20, 1), Stored("Warm"));
  EXPECT_EQ(Pattern(20, 1), Stored("Cold"));
  ASSERT_NE(nullptr, delay_->FindPreset("Cold"));
  EXPECT_NE(nullptr, delay_->FindPreset("Warm"));
  EXPECT_EQ(3, delay_->GetPresetCount());
}

TEST_F(Rename, AChainIsRenamedInItsOwnKeyWithItsFile) {
  std::unique_ptr<ChainRecord> big = ChainRecord::Create();
  big->SetName("Drums");
  big->SetKeyName("chain-2");
  ASSERT_EQ(0, big->stream.Assign(Pattern(700, 7).data(), 700));
  ASSERT_EQ(0, WriteSystemChain(*big));
  LoadSystem();
  std::string oldFile = QueryText(ChainKeyPath("chain-2"), kChainStreamValue);

  RenameOutcome outcome = RenameItem(stores_, StoreId::System, NodeKind::ChainGroup, "FX Chains", "Drums", "Beats");
  EXPECT_TRUE(outcome.renamed);
  EXPECT_EQ("Beats", QueryText(ChainKeyPath("chain-2"), kChainNameValue));
  std::string newFile = QueryText(ChainKeyPath("chain-2"), kChainStreamValue);
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(newFile, &bytes));
  EXPECT_EQ(Pattern(700, 7), bytes);
  EXPECT_FALSE(File_Exists(oldFile.c_str()));
  EXPECT_NE(nullptr, stores_.system.chains->FindChainByName("beats"));
  EXPECT_EQ("Vocal", QueryText(ChainKeyPath("chain-1"), kChainNameValue));
}

int32_t FailChain(Stores&, const ChainRecord&, const StoreChange*) { return E_RIFF_WRITE; }
// Writes the chain, then fails as a writer does when a late step fails.
int32_t FailChainLate(Stores&, const ChainRecord& chain, const StoreChange*) {
  WriteSystemChain(chain);
  return StatusFromError(kErrorAccessDenied);
}

TEST_F(Rename, AFailedChainWriteLeavesTheRecordUnderTheNameItsKeyHolds) {
  SystemStoreOperations writers = RealSystemStoreOperations();
  writers.rewriteChain = FailChain;
  RenameOutcome outcome = RenameItem(stores_, StoreId::System, NodeKind::ChainGroup, "FX Chains", "Vocal", "Lead",
                                     writers);
  EXPECT_FALSE(outcome.renamed);
  EXPECT_EQ(RenameStep::WriteNew, outcome.failed);
  EXPECT_NE(nullptr, stores_.system.chains->FindChainByName("Vocal"));
  EXPECT_EQ("Vocal", QueryText(ChainKeyPath("chain-1"), kChainNameValue));

  writers.rewriteChain = FailChainLate;
  outcome = RenameItem(stores_, StoreId::System, NodeKind::ChainGroup, "FX Chains", "Vocal", "Lead", writers);
  EXPECT_TRUE(outcome.renamed);
  EXPECT_EQ(RenameStep::WriteNew, outcome.failed);
  EXPECT_NE(nullptr, stores_.system.chains->FindChainByName("Lead"));
  EXPECT_EQ("Lead", QueryText(ChainKeyPath("chain-1"), kChainNameValue));
}

}  // namespace
