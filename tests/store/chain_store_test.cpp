// Chains put into and taken out of the system store: their four values and
// files, the chain a put replaces, and key names that another chain holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "store/chain_store.h"
#include "store/store_fixture.h"
#include "store/store_layout.h"
#include "store/system_loader.h"

namespace {

class ChainStore : public SystemStoreTest {
 protected:
  ChainRecord* Chain(const char* name, const char* keyName, const std::vector<unsigned char>& stream) {
    std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
    chain->SetName(name);
    chain->SetKeyName(keyName);
    chain->flags = 3;
    chain->type = 4;
    chain->stream.Assign(stream.data(), static_cast<uint32_t>(stream.size()));
    made_.push_back(std::move(chain));
    return made_.back().get();
  }
  std::string FileOf(const char* keyName, const char* fileName) const {
    return chainFolder_ + "\\" + keyName + "\\" + fileName + kChainFileExtension;
  }
  void Load() { RefreshSystemStore(stores_, nullptr); }
  int32_t Put(const ChainRecord* chain) { return PutChain(stores_, *chain, StoreId::System); }
  int32_t Remove(const ChainRecord* chain) { return RemoveChain(stores_, *chain, StoreId::System); }
  ChainCollection* System() { return GetChainCollection(stores_, StoreId::System); }
  // The collections hold what the registry and the files hold.
  void ExpectInLineWithTheStore() {
    EXPECT_EQ(DescribeHoldingsOfFullLoad(), DescribeHoldings(stores_.system.plugIns.get(), System()));
  }

  Stores stores_;
  std::vector<std::unique_ptr<ChainRecord>> made_;
};

TEST_F(ChainStore, ChainsAreWrittenWithTheirFourValuesAndDeletedWithTheirFiles) {
  Load();
  ASSERT_EQ(0, Put(Chain("Small", "small-key", Pattern(255, 1))));
  ASSERT_EQ(0, Put(Chain("Large/One", "large-key.", Pattern(256, 2))));
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(QueryValue(ChainKeyPath("small-key"), kChainStreamValue, &type, &bytes));
  EXPECT_EQ(kRegBinary, type);
  ASSERT_TRUE(QueryValue(ChainKeyPath("small-key"), kChainFlagsValue, &type, &bytes));
  EXPECT_EQ(kRegDword, type);
  EXPECT_EQ("Small", QueryText(ChainKeyPath("small-key"), kChainNameValue));
  // The folder is named after the key name, made safe; the file after the chain.
  std::string file = FileOf("large-key_", "Large_One");
  EXPECT_EQ(file, QueryText(ChainKeyPath("large-key."), kChainStreamValue));
  ExpectInLineWithTheStore();
  std::unique_ptr<ChainCollection> loaded = LoadSystemChains();
  const ChainRecord* large = loaded->FindChainByName("Large/One");
  ASSERT_NE(nullptr, large);
  EXPECT_EQ(3u, large->flags);
  EXPECT_EQ(4u, large->type);

  ASSERT_EQ(0, Remove(Chain("Large/One", "large-key.", {})));
  EXPECT_FALSE(KeyExists(ChainKeyPath("large-key.")));
  EXPECT_FALSE(File_Exists(file.c_str()));
  // What is already gone is no failure; what cannot name a key is refused.
  EXPECT_EQ(0, Remove(Chain("Large/One", "large-key.", {})));
  EXPECT_EQ(E_FAIL, Put(Chain("Hostile", "", Pattern(3, 3))));
  EXPECT_EQ(E_FAIL, Put(Chain("Hostile", "..\\..", Pattern(300, 3))));
  ExpectInLineWithTheStore();
}

TEST_F(ChainStore, APutReplacesTheChainOfThatNameAndLeavesEveryOtherKey) {
  // Vocal's stream lies in a folder of the user's, outside the store's.
  SetChain("old-key", "Vocal", {});
  std::string outside = WriteFile("vocal.vtg", Pattern(300, 1));
  SetText(ChainKeyPath("old-key"), kChainStreamValue, outside);
  SetChain("other-key", "Drums", Pattern(5, 2));
  // A registry written by others may hold a name twice.
  SetChain("twin-key", "VOCAL", Pattern(6, 3));
  Load();

  // The chain keeps the key it had: putting the same chains again moves none.
  ASSERT_EQ(0, Put(Chain("vocal", "new-key", Pattern(300, 4))));
  EXPECT_EQ("vocal", QueryText(ChainKeyPath("old-key"), kChainNameValue));
  EXPECT_FALSE(KeyExists(ChainKeyPath("new-key")));
  EXPECT_STREQ("old-key", FindChainInStore(stores_, StoreId::System, "Vocal")->keyName);
  EXPECT_TRUE(File_Exists(outside.c_str()));  // not the store's to delete
  EXPECT_TRUE(KeyExists(ChainKeyPath("other-key")));
  EXPECT_TRUE(KeyExists(ChainKeyPath("twin-key")));
  ExpectInLineWithTheStore();
  std::string settled = DescribeFullLoad();
  ASSERT_EQ(0, Put(Chain("vocal", "new-key", Pattern(300, 4))));
  EXPECT_EQ(settled, DescribeFullLoad());

  // A chain that cannot be written leaves nothing behind.
  ASSERT_TRUE(WriteWholeFile(chainFolder_ + "\\blocked", Pattern(1, 1)));
  EXPECT_EQ(E_RIFF_WRITE, Put(Chain("Fresh", "blocked", Pattern(300, 5))));
  EXPECT_FALSE(KeyExists(ChainKeyPath("blocked")));
  EXPECT_EQ(settled, DescribeFullLoad());
  ExpectInLineWithTheStore();

  // The package store only changes its records.
  ASSERT_EQ(0, PutChain(stores_, *Chain("Drums", "drum-key", Pattern(3, 4)), StoreId::Package));
  ASSERT_EQ(0, PutChain(stores_, *Chain("drums", "drum-key2", Pattern(3, 5)), StoreId::Package));
  ChainCollection* package = stores_.package.chains.get();
  ASSERT_EQ(1, package->GetChainCount());
  EXPECT_STREQ("drum-key", package->Get(0)->keyName);
  EXPECT_EQ(Pattern(3, 5), std::vector<unsigned char>(package->Get(0)->stream.Bytes(),
                                                      package->Get(0)->stream.Bytes() + 3));
  EXPECT_FALSE(KeyExists(ChainKeyPath("drum-key")));
}

TEST_F(ChainStore, AKeyNameThatAnotherChainHoldsIsNotTakenFromIt) {
  SetChain("Chain0001", "Drums", Pattern(7, 1));
  SetChain("Chain0001 (2)", "Bass", Pattern(7, 2));
  SetDword(ChainKeyPath("Chain0001 (3)"), kChainFlagsValue, 1);  // no chain, but taken all the same
  Load();
  std::string before = DescribeFullLoad();

  ChainRecord* vocal = Chain("Vocal", "Chain0001", Pattern(400, 3));
  ASSERT_EQ(0, Put(vocal));
  EXPECT_EQ("Vocal", QueryText(ChainKeyPath("Chain0001 (4)"), kChainNameValue));
  EXPECT_EQ("Drums", QueryText(ChainKeyPath("Chain0001"), kChainNameValue));
  EXPECT_STREQ("Chain0001 (4)", FindChainInStore(stores_, StoreId::System, "vocal")->keyName);
  ExpectInLineWithTheStore();

  // Taking it out goes by the key its record took.
  ASSERT_EQ(0, Remove(vocal));
  EXPECT_EQ(before, DescribeFullLoad());
  // Without a record, a key is deleted only when it holds the chain.
  ASSERT_EQ(0, Remove(Chain("Vocal", "Chain0001", {})));
  EXPECT_EQ(before, DescribeFullLoad());

  // Long key names stay within 39 characters.
  char fresh[kKeySize];
  std::string longest(39, 'k');
  SetChain(longest.c_str(), "Other", Pattern(3, 4));
  Load();
  ASSERT_EQ(0, MakeFreeChainKeyName(stores_, longest.c_str(), fresh, sizeof(fresh), nullptr));
  EXPECT_EQ(std::string(35, 'k') + " (2)", fresh);

  // Many chains after one key name each get the next number.
  for (int i = 0; i < 20; ++i) {
    std::string name = "Many " + std::to_string(i);
    ASSERT_EQ(0, Put(Chain(name.c_str(), "Chain0001", Pattern(5, 5))));
  }
  EXPECT_EQ("Many 19", QueryText(ChainKeyPath("Chain0001 (23)"), kChainNameValue));
  ExpectInLineWithTheStore();
}

TEST_F(ChainStore, RenamingAFileBackedChainGivesItAFileNamedAfterTheNewName) {
  Load();
  ChainRecord* chain = Chain("Old Name", "chain-key", Pattern(400, 1));
  ASSERT_EQ(0, Put(chain));
  ASSERT_EQ(0, Remove(chain));
  chain->SetName("New Name");
  ASSERT_EQ(0, Put(chain));
  EXPECT_FALSE(File_Exists(FileOf("chain-key", "Old Name").c_str()));
  EXPECT_EQ(FileOf("chain-key", "New Name"), QueryText(ChainKeyPath("chain-key"), kChainStreamValue));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(FileOf("chain-key", "New Name"), &bytes));
  EXPECT_EQ(Pattern(400, 1), bytes);
}

}  // namespace
