#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "model/chain_collection.h"

namespace {

std::unique_ptr<ChainRecord> Chain(const char* name, const char* key, const char* stream) {
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName(name);
  chain->SetKeyName(key);
  chain->flags = 3;
  chain->type = 7;
  EXPECT_EQ(0, chain->stream.Assign(stream, static_cast<uint32_t>(strlen(stream))));
  return chain;
}

TEST(ChainRecordTest, CopyFromTakesEveryFieldWithAFreshStream) {
  std::unique_ptr<ChainRecord> source = Chain("Mastering", "Chain0001", "stream");
  std::unique_ptr<ChainRecord> target = Chain("Old", "Old0001", "previous stream");
  ASSERT_EQ(0, target->CopyFrom(*source));
  EXPECT_STREQ("Mastering", target->name);
  EXPECT_STREQ("Chain0001", target->keyName);
  EXPECT_EQ(3u, target->flags);
  EXPECT_EQ(7u, target->type);
  ASSERT_EQ(6u, target->stream.Size());
  EXPECT_NE(source->stream.Bytes(), target->stream.Bytes());
  EXPECT_EQ(0, memcmp("stream", target->stream.Bytes(), 6));

  // A chain without a stream leaves the copy without one.
  std::unique_ptr<ChainRecord> empty = ChainRecord::Create();
  ASSERT_EQ(0, target->CopyFrom(*empty));
  EXPECT_TRUE(target->stream.Empty());
  EXPECT_EQ(nullptr, target->stream.Bytes());
}

TEST(ChainRecordTest, KeyNamesAreCutAt39Characters) {
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetKeyName(std::string(60, 'k').c_str());
  chain->SetName(std::string(300, 'n').c_str());
  EXPECT_EQ(39u, strlen(chain->keyName));
  EXPECT_EQ(300u, strlen(chain->name));
}

TEST(ChainCollectionTest, ChainsAreFoundByNameInAnyLetterCase) {
  std::unique_ptr<ChainCollection> chains = ChainCollection::Create();
  EXPECT_EQ(nullptr, chains->FindChainByName("x"));
  ASSERT_EQ(0, chains->Append(Chain("Vocal Chain", "K1", "a")));
  ASSERT_EQ(0, chains->Append(Chain("Drum Bus", "K2", "b")));
  EXPECT_EQ(chains->Get(1), chains->FindChainByName("DRUM BUS"));
  chains->Remove(chains->Get(0));
  EXPECT_EQ(1, chains->GetChainCount());
  EXPECT_EQ(chains->Get(0), chains->FindChainByName("drum bus"));
  EXPECT_EQ(nullptr, chains->FindChainByName("Vocal Chain"));
}

}  // namespace
