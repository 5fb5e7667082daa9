#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "store/chain_store.h"
#include "store/chain_writer.h"
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
  ChainCollection* System() { return stores_.system.chains.get(); }

  Stores stores_;
  std::vector<std::unique_ptr<ChainRecord>> made_;
};

TEST_F(ChainStore, ChainsAreWrittenWithTheirFourValuesAndDeletedWithTheirFiles) {
  ASSERT_EQ(0, WriteSystemChain(*Chain("Small", "small-key", Pattern(255, 1))));
  ASSERT_EQ(0, WriteSystemChain(*Chain("Large/One", "large-key.", Pattern(256, 2))));
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
  std::unique_ptr<ChainCollection> loaded = LoadSystemChains();
  ASSERT_NE(nullptr, loaded);
  ASSERT_EQ(2, loaded->GetChainCount());
  const ChainRecord* large = loaded->FindChainByName("Large/One");
  EXPECT_EQ(3u, large->flags);
  EXPECT_EQ(4u, large->type);
  EXPECT_EQ(Pattern(256, 2), std::vector<unsigned char>(large->stream.Bytes(), large->stream.Bytes() + large->stream.Size()));

  ASSERT_EQ(0, DeleteSystemChain(*Chain("Large/One", "large-key.", {})));
  EXPECT_FALSE(KeyExists(ChainKeyPath("large-key.")));
  EXPECT_FALSE(File_Exists(file.c_str()));
  EXPECT_EQ(kErrorFileNotFound, DeleteSystemChain(*Chain("Gone", "large-key.", {})));
  EXPECT_EQ(E_FAIL, DeleteSystemChain(*Chain("Hostile", "", {})));
  EXPECT_EQ(E_FAIL, WriteSystemChain(*Chain("Hostile", "..\\..", Pattern(300, 3))));
  EXPECT_TRUE(KeyExists(ChainKeyPath("small-key")));
}

TEST_F(ChainStore, WritingAChainRemovesAChainOfTheSameNameUnderAnotherKey) {
  SetChain("old-key", "Vocal", {});
  std::string oldFile = WriteFile("old.vtg", Pattern(300, 1));
  SetText(ChainKeyPath("old-key"), kChainStreamValue, oldFile);
  SetChain("other-key", "Drums", Pattern(5, 2));

  ASSERT_EQ(0, WriteSystemChain(*Chain("VOCAL", "new-key", Pattern(300, 3))));
  EXPECT_FALSE(KeyExists(ChainKeyPath("old-key")));
  EXPECT_FALSE(File_Exists(oldFile.c_str()));
  EXPECT_TRUE(KeyExists(ChainKeyPath("other-key")));
  std::unique_ptr<ChainCollection> chains = LoadSystemChains();
  ASSERT_NE(nullptr, chains);
  ASSERT_EQ(2, chains->GetChainCount());
  EXPECT_STREQ("new-key", chains->FindChainByName("vocal")->keyName);

  // A chain that cannot be written leaves the other in place.
  SetChain("old-key", "Vocal", Pattern(5, 4));
  ASSERT_TRUE(WriteWholeFile(chainFolder_ + "\\blocked", Pattern(1, 1)));
  EXPECT_EQ(E_RIFF_WRITE, WriteSystemChain(*Chain("Vocal", "blocked", Pattern(300, 5))));
  EXPECT_TRUE(KeyExists(ChainKeyPath("old-key")));
}

TEST_F(ChainStore, PuttingAChainReplacesTheOneOfThatNameAndWritesTheSystemStoreFirst) {
  ChainCollection* system = GetChainCollection(stores_, StoreId::System);
  ASSERT_NE(nullptr, system);
  // The store holds the name twice, as a registry written by others may.
  for (const char* keyName : {"old-key", "other-key"}) {
    ASSERT_EQ(0, system->Append(ChainRecord::CopyOf(*Chain("Vocal", keyName, Pattern(5, 1)))));
    SetChain(keyName, "Vocal", Pattern(5, 1));
  }

  ASSERT_EQ(0, PutChain(stores_, *Chain("VOCAL", "new-key", Pattern(300, 2)), StoreId::System));
  ASSERT_EQ(1, System()->GetChainCount());
  EXPECT_STREQ("new-key", System()->Get(0)->keyName);
  EXPECT_EQ(300u, System()->Get(0)->stream.Size());
  EXPECT_EQ("VOCAL", QueryText(ChainKeyPath("new-key"), kChainNameValue));
  EXPECT_FALSE(KeyExists(ChainKeyPath("old-key")));
  EXPECT_FALSE(KeyExists(ChainKeyPath("other-key")));
  EXPECT_EQ(System()->Get(0), FindChainInStore(stores_, StoreId::System, "vocal"));

  // A failing write leaves the collection as it was.
  EXPECT_EQ(E_FAIL, PutChain(stores_, *Chain("Vocal", "", Pattern(3, 3)), StoreId::System));
  EXPECT_EQ(E_FAIL, PutChain(stores_, *Chain("New", "..", Pattern(3, 3)), StoreId::System));
  ASSERT_EQ(1, System()->GetChainCount());
  EXPECT_STREQ("new-key", System()->Get(0)->keyName);

  // The package store only changes its records.
  ASSERT_EQ(0, PutChain(stores_, *Chain("Drums", "drum-key", Pattern(3, 4)), StoreId::Package));
  ASSERT_EQ(0, PutChain(stores_, *Chain("drums", "drum-key2", Pattern(3, 5)), StoreId::Package));
  ChainCollection* package = stores_.package.chains.get();
  ASSERT_EQ(1, package->GetChainCount());
  EXPECT_STREQ("drum-key2", package->Get(0)->keyName);
  EXPECT_FALSE(KeyExists(ChainKeyPath("drum-key")));
  EXPECT_EQ(nullptr, FindChainInStore(stores_, StoreId::System, "drums"));
}

TEST_F(ChainStore, RemovingAChainDeletesItFromTheRegistryEvenWhenTheCollectionLacksIt) {
  SetChain("vocal-key", "Vocal", Pattern(5, 1));
  ASSERT_EQ(0, RemoveChain(stores_, *Chain("Vocal", "vocal-key", {}), StoreId::System));
  EXPECT_FALSE(KeyExists(ChainKeyPath("vocal-key")));
  ASSERT_NE(nullptr, System());
  EXPECT_EQ(0, System()->GetChainCount());

  ASSERT_EQ(0, PutChain(stores_, *Chain("Drums", "drum-key", Pattern(5, 2)), StoreId::System));
  ASSERT_EQ(0, RemoveChain(stores_, *Chain("DRUMS", "drum-key", {}), StoreId::System));
  EXPECT_EQ(0, System()->GetChainCount());
  // Nothing was there: the registry's status, and the model as it is.
  EXPECT_EQ(kErrorFileNotFound, RemoveChain(stores_, *Chain("Drums", "drum-key", {}), StoreId::System));
}

TEST_F(ChainStore, RenamingAFileBackedChainGivesItAFileNamedAfterTheNewName) {
  ChainRecord* chain = Chain("Old Name", "chain-key", Pattern(400, 1));
  ASSERT_EQ(0, PutChain(stores_, *chain, StoreId::System));
  ASSERT_EQ(0, RemoveChain(stores_, *chain, StoreId::System));
  chain->SetName("New Name");
  ASSERT_EQ(0, PutChain(stores_, *chain, StoreId::System));
  EXPECT_FALSE(File_Exists(FileOf("chain-key", "Old Name").c_str()));
  EXPECT_EQ(FileOf("chain-key", "New Name"), QueryText(ChainKeyPath("chain-key"), kChainStreamValue));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(FileOf("chain-key", "New Name"), &bytes));
  EXPECT_EQ(Pattern(400, 1), bytes);
}

}  // namespace
