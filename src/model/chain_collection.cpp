#include "model/chain_collection.h"

#include "model/owned.h"
#include "platform/text.h"

namespace {

// Below this many chains a walk is as quick as the index.
constexpr int32_t kIndexFrom = 32;

}  // namespace

ChainCollection::ChainCollection() : chains_(AddNameToIndex<ChainRecord>, kIndexFrom) {}

std::unique_ptr<ChainCollection> ChainCollection::Create() { return MakeOwned<ChainCollection>(); }

ChainRecord* ChainCollection::FindChainByName(const char* chainName) const {
  return chains_.Find(IndexKey{'N', 0, chainName}, nullptr, nullptr,
                      [&](const ChainRecord& chain) { return Text_EqualNoCase(chain.name, chainName); });
}
