// The chain records of one store, in the order they were added.
#pragma once

#include <cstdint>
#include <memory>

#include "model/chain_record.h"
#include "model/indexed_list.h"

class ChainCollection {
 public:
  ChainCollection();
  ChainCollection(const ChainCollection&) = delete;
  ChainCollection& operator=(const ChainCollection&) = delete;

  static std::unique_ptr<ChainCollection> Create();  // null when memory is short

  int32_t GetChainCount() const { return chains_.Count(); }
  ChainRecord* Get(int32_t index) const { return chains_.At(index); }
  const std::vector<std::unique_ptr<ChainRecord>>& Chains() const { return chains_.Items(); }
  // On E_OUTOFMEMORY the chain is destroyed and the collection is unchanged.
  int32_t Append(std::unique_ptr<ChainRecord> chain) { return chains_.Append(std::move(chain)); }
  // Destroys the chain and removes it.
  void Remove(const ChainRecord* chain) { chains_.RemoveAt(chains_.IndexOf(chain)); }
  int32_t IndexOf(const ChainRecord* chain) const { return chains_.IndexOf(chain); }
  // Moves the chain to `index` (clamped), the others keeping their order.
  void Move(const ChainRecord* chain, int32_t index) { chains_.Move(chains_.IndexOf(chain), index); }
  // A chain was renamed: searches must find it under its new name.
  void NamesChanged() { chains_.KeysChanged(); }
  // The first chain whose name equals `chainName` in any letter case, or null.
  ChainRecord* FindChainByName(const char* chainName) const;

 private:
  IndexedList<ChainRecord> chains_;
};
