// The chain records of one store, in the order they were added.
#pragma once

#include <cstdint>

#include "kernel/item_list.h"
#include "model/chain_record.h"
#include "model/model_object.h"

struct ChainCollection final : ModelObject {
  VtList* chains;  // owned chain records

  ChainCollection() : chains(nullptr) {}
  ~ChainCollection() override;
  ChainCollection(const ChainCollection&) = delete;
  ChainCollection& operator=(const ChainCollection&) = delete;

  static ChainCollection* Create();  // null when memory is short

  int32_t GetChainCount() const;
  ChainRecord* Get(int32_t index) const;
  // The collection owns the chain only on success.
  int32_t Append(ChainRecord* chain);
  // Destroys the chain at `index` and removes it.
  void RemoveAt(int32_t index);
  // First chain whose name equals `chainName` in any letter case, or -1.
  int32_t FindChainByName(const char* chainName) const;
};
