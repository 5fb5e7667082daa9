#include "model/chain_record.h"

#include <cstring>

#include "model/owned.h"
#include "platform/text.h"

std::unique_ptr<ChainRecord> ChainRecord::Create() { return MakeOwned<ChainRecord>(); }

std::unique_ptr<ChainRecord> ChainRecord::CopyOf(const ChainRecord& other) {
  std::unique_ptr<ChainRecord> copy = Create();
  if (copy && copy->CopyFrom(other) != 0) copy.reset();
  return copy;
}

void ChainRecord::SetName(const char* chainName) { Text_Copy(name, sizeof(name), chainName != nullptr ? chainName : ""); }

void ChainRecord::SetKeyName(const char* chainKeyName) {
  Text_Copy(keyName, sizeof(keyName), chainKeyName != nullptr ? chainKeyName : "");
}

int32_t ChainRecord::CopyFrom(const ChainRecord& other) {
  if (&other == this) return 0;
  int32_t status = stream.CopyFrom(other.stream);
  if (status != 0) return status;
  memcpy(name, other.name, sizeof(name));
  memcpy(keyName, other.keyName, sizeof(keyName));
  flags = other.flags;
  type = other.type;
  return 0;
}
