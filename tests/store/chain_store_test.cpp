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
  void TearDown() override {
    Stores_Clear(stores_);
    for (ChainRecord* chain : made_) DestroyModelObject(chain);
    SystemStoreTest::TearDown();
  }
  ChainRecord* Chain(const char* name, const char* keyName, const std::vector<unsigned char>& stream) {
    ChainRecord* chain = ChainRecord::Create();
    chain->SetName(name);
    chain->SetKeyName(keyName);
    chain->flags = 3;
    chain->type = 4;
    chain->SetStream(stream.data(), static_cast<uint32_t>(stream.size()));
    made_.push_back(chain);
    return chain;
  }
  std::string FileOf(const char* keyName, const char* fileName) const {
    return chainFolder_ + "\\" + keyName + "\\" + fileName + kChainFileExtension;
  }
  ChainCollection* System() { return stores_.chains[StoreSlot(kSystemStore)]; }

  Stores stores_ = {};
  std::vector<ChainRecord*> made_;
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
  ChainCollection* loaded = LoadSystemChains();
  ASSERT_NE(nullptr, loaded);
  ASSERT_EQ(2, loaded->GetChainCount());
  const ChainRecord* large = loaded->Get(loaded->FindChainByName("Large/One"));
  EXPECT_EQ(3u, large->flags);
  EXPECT_EQ(4u, large->type);
  EXPECT_EQ(Pattern(256, 2), std::vector<unsigned char>(large->stream, large->stream + large->streamSize));
  DestroyModelObject(loaded);

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
  ChainCollection* chains = LoadSystemChains();
  ASSERT_NE(nullptr, chains);
  ASSERT_EQ(2, chains->GetChainCount());
  EXPECT_STREQ("new-key", chains->Get(chains->FindChainByName("vocal"))->keyName);
  DestroyModelObject(chains);

  // A chain that cannot be written leaves the other in place.
  SetChain("old-key", "Vocal", Pattern(5, 4));
  ASSERT_TRUE(WriteWholeFile(chainFolder_ + "\\blocked", Pattern(1, 1)));
  EXPECT_EQ(E_RIFF_WRITE, WriteSystemChain(*Chain("Vocal", "blocked", Pattern(300, 5))));
  EXPECT_TRUE(KeyExists(ChainKeyPath("old-key")));
}

TEST_F(ChainStore, PuttingAChainReplacesTheOneOfThatNameAndWritesTheSystemStoreFirst) {
  ChainCollection* system = GetChainCollection(stores_, kSystemStore);
  ASSERT_NE(nullptr, system);
  // The store holds the name twice, as a registry written by others may.
  for (const char* keyName : {"old-key", "other-key"}) {
    ChainRecord* existing = ChainRecord::Create();
    existing->CopyFrom(*Chain("Vocal", keyName, Pattern(5, 1)));
    ASSERT_EQ(0, system->Append(existing));
    SetChain(keyName, "Vocal", Pattern(5, 1));
  }

  ASSERT_EQ(0, PutChain(stores_, *Chain("VOCAL", "new-key", Pattern(300, 2)), kSystemStore));
  ASSERT_EQ(1, System()->GetChainCount());
  EXPECT_STREQ("new-key", System()->Get(0)->keyName);
  EXPECT_EQ(300u, System()->Get(0)->streamSize);
  EXPECT_EQ("VOCAL", QueryText(ChainKeyPath("new-key"), kChainNameValue));
  EXPECT_FALSE(KeyExists(ChainKeyPath("old-key")));
  EXPECT_FALSE(KeyExists(ChainKeyPath("other-key")));
  EXPECT_EQ(System()->Get(0), FindChainInStore(stores_, 7, "vocal"));  // any selector but 1 is the system store

  // A failing write leaves the collection as it was.
  EXPECT_EQ(E_FAIL, PutChain(stores_, *Chain("Vocal", "", Pattern(3, 3)), kSystemStore));
  EXPECT_EQ(E_FAIL, PutChain(stores_, *Chain("New", "..", Pattern(3, 3)), kSystemStore));
  ASSERT_EQ(1, System()->GetChainCount());
  EXPECT_STREQ("new-key", System()->Get(0)->keyName);

  // The package store only changes its records.
  ASSERT_EQ(0, PutChain(stores_, *Chain("Drums", "drum-key", Pattern(3, 4)), kPackageStore));
  ASSERT_EQ(0, PutChain(stores_, *Chain("drums", "drum-key2", Pattern(3, 5)), kPackageStore));
  ChainCollection* package = stores_.chains[StoreSlot(kPackageStore)];
  ASSERT_EQ(1, package->GetChainCount());
  EXPECT_STREQ("drum-key2", package->Get(0)->keyName);
  EXPECT_FALSE(KeyExists(ChainKeyPath("drum-key")));
  EXPECT_EQ(nullptr, FindChainInStore(stores_, kSystemStore, "drums"));
}

TEST_F(ChainStore, RemovingAChainDeletesItFromTheRegistryEvenWhenTheCollectionLacksIt) {
  SetChain("vocal-key", "Vocal", Pattern(5, 1));
  ASSERT_EQ(0, RemoveChain(stores_, *Chain("Vocal", "vocal-key", {}), kSystemStore));
  EXPECT_FALSE(KeyExists(ChainKeyPath("vocal-key")));
  ASSERT_NE(nullptr, System());
  EXPECT_EQ(0, System()->GetChainCount());

  ASSERT_EQ(0, PutChain(stores_, *Chain("Drums", "drum-key", Pattern(5, 2)), kSystemStore));
  ASSERT_EQ(0, RemoveChain(stores_, *Chain("DRUMS", "drum-key", {}), kSystemStore));
  EXPECT_EQ(0, System()->GetChainCount());
  // Nothing was there: the registry's status, and the model as it is.
  EXPECT_EQ(kErrorFileNotFound, RemoveChain(stores_, *Chain("Drums", "drum-key", {}), kSystemStore));
}

TEST_F(ChainStore, RenamingAFileBackedChainGivesItAFileNamedAfterTheNewName) {
  ChainRecord* chain = Chain("Old Name", "chain-key", Pattern(400, 1));
  ASSERT_EQ(0, PutChain(stores_, *chain, kSystemStore));
  ASSERT_EQ(0, RemoveChain(stores_, *chain, kSystemStore));
  chain->SetName("New Name");
  ASSERT_EQ(0, PutChain(stores_, *chain, kSystemStore));
  EXPECT_FALSE(File_Exists(FileOf("chain-key", "Old Name").c_str()));
  EXPECT_EQ(FileOf("chain-key", "New Name"), QueryText(ChainKeyPath("chain-key"), kChainStreamValue));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(FileOf("chain-key", "New Name"), &bytes));
  EXPECT_EQ(Pattern(400, 1), bytes);
}

}  // namespace
