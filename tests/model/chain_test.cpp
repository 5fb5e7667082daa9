#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/chain_collection.h"

namespace {

struct Destroy {
  void operator()(ModelObject* object) const { DestroyModelObject(object); }
};
template <class T>
using Owned = std::unique_ptr<T, Destroy>;

ChainRecord* Chain(const char* name, const char* key, const char* stream) {
  ChainRecord* chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(key);
  chain->flags = 3;
  chain->type = 7;
  EXPECT_EQ(0, chain->SetStream(stream, static_cast<uint32_t>(strlen(stream))));
  return chain;
}

TEST(ChainRecordTest, CopyFromTakesEveryFieldWithFreshBlocks) {
  Owned<ChainRecord> source(Chain("Mastering", "Chain0001", "stream"));
  ASSERT_EQ(0, source->AddPlugInName("Compressor"));
  ASSERT_EQ(0, source->AddPlugInName("Limiter"));
  Owned<ChainRecord> target(Chain("Old", "Old0001", "previous stream"));
  ASSERT_EQ(0, target->AddPlugInName("Gone"));

  ASSERT_EQ(0, target->CopyFrom(*source));
  EXPECT_STREQ("Mastering", target->name);
  EXPECT_STREQ("Chain0001", target->keyName);
  EXPECT_EQ(3u, target->flags);
  EXPECT_EQ(7u, target->type);
  ASSERT_EQ(6u, target->streamSize);
  EXPECT_NE(source->stream, target->stream);
  EXPECT_EQ(0, memcmp("stream", target->stream, 6));
  ASSERT_EQ(2, target->GetPlugInNameCount());
  EXPECT_STREQ("Compressor", target->GetPlugInName(0));
  EXPECT_STREQ("Limiter", target->GetPlugInName(1));
  EXPECT_NE(source->GetPlugInName(0), target->GetPlugInName(0));
}

TEST(ChainRecordTest, CopyingAChainWithoutAStreamReleasesTheOldOne) {
  Owned<ChainRecord> empty(ChainRecord::Create());
  empty->SetName("Empty");
  Owned<ChainRecord> target(Chain("Full", "Key", "bytes"));
  ASSERT_EQ(0, target->CopyFrom(*empty));
  EXPECT_EQ(0u, target->streamSize);
  EXPECT_EQ(nullptr, target->stream);
  EXPECT_EQ(0, target->GetPlugInNameCount());
}

TEST(ChainRecordTest, KeyNamesAreCutAt39Characters) {
  Owned<ChainRecord> chain(ChainRecord::Create());
  chain->SetKeyName(std::string(60, 'k').c_str());
  chain->SetName(std::string(300, 'n').c_str());
  EXPECT_EQ(39u, strlen(chain->keyName));
  EXPECT_EQ(259u, strlen(chain->name));
}

TEST(ChainCollectionTest, ChainsAreFoundByNameInAnyLetterCase) {
  Owned<ChainCollection> chains(ChainCollection::Create());
  EXPECT_EQ(0, chains->GetChainCount());
  EXPECT_EQ(-1, chains->FindChainByName("x"));
  ASSERT_EQ(0, chains->Append(Chain("Vocal Chain", "K1", "a")));
  ASSERT_EQ(0, chains->Append(Chain("Drum Bus", "K2", "b")));
  EXPECT_EQ(1, chains->FindChainByName("DRUM BUS"));
  chains->RemoveAt(0);
  EXPECT_EQ(1, chains->GetChainCount());
  EXPECT_EQ(0, chains->FindChainByName("drum bus"));
  EXPECT_EQ(-1, chains->FindChainByName("Vocal Chain"));

  ChainCollection absent;  // a collection whose list could not be made
  EXPECT_EQ(0, absent.GetChainCount());
  EXPECT_EQ(-1, absent.FindChainByName("Drum Bus"));
}

}  // namespace
