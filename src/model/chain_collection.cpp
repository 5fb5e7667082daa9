#include "model/chain_collection.h"

#include "model/model_list.h"
#include "platform/text.h"

ChainCollection::~ChainCollection() { ModelList_Destroy(chains); }

ChainCollection* ChainCollection::Create() {
  ChainCollection* collection = NewModelObject<ChainCollection>();
  if (collection == nullptr) return nullptr;
  if (ModelList_Create(&collection->chains) != 0) {
    DestroyModelObject(collection);
    return nullptr;
  }
  return collection;
}

int32_t ChainCollection::GetChainCount() const { return VtList_Count(chains); }

ChainRecord* ChainCollection::Get(int32_t index) const { return ModelList_At<ChainRecord>(chains, index); }

int32_t ChainCollection::Append(ChainRecord* chain) { return ModelList_Append(&chains, chain); }

void ChainCollection::RemoveAt(int32_t index) { ModelList_RemoveAt(chains, index); }

int32_t ChainCollection::FindChainByName(const char* chainName) const {
  for (int32_t i = 0; i < GetChainCount(); ++i) {
    const ChainRecord* chain = Get(i);
    if (chain != nullptr && Text_EqualNoCase(chain->name, chainName)) return i;
  }
  return -1;
}
