// The question a copy asks when an item already exists in its destination.
// The program answers it with a message box, ordalis-cli with its
// --overwrite and --skip options, tests with their own answers.
#pragma once

#include <cstdint>

#include "store/stores.h"

enum class OverwriteAnswer { Yes, No, YesToAll, NoToAll, Cancel };

struct OverwriteItem {
  const char* kind;      // the destination entry's display name, or "Chain"
  const char* name;      // the existing item's name as the destination spells it
  StoreId destination;
  bool offerAll;         // the copy covers more than one item: the answers for all remaining items apply
  bool carriedTwice = false;  // the item is not in the destination: the copy itself carries two of that name
};

class OverwriteQuestion {
 public:
  virtual OverwriteAnswer Ask(const OverwriteItem& item) = 0;

 protected:
  ~OverwriteQuestion() = default;
};

// What the question names a chain.
constexpr const char* kChainItemKind = "Chain";
