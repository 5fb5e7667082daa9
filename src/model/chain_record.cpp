#include "model/chain_record.h"

#include <cstdlib>
#include <cstring>

#include "model/byte_block.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

int32_t CreateNameList(VtList** out) { return VtList_CreateExZ(0, 16, 16, VTLIST_HEAP, out); }

}  // namespace

ChainRecord::ChainRecord()
    : name{}, keyName{}, flags(0), type(0), streamSize(0), stream(nullptr), plugInNames(nullptr) {}

ChainRecord::~ChainRecord() {
  VtList_Destroy(plugInNames);
  free(stream);
}

ChainRecord* ChainRecord::Create() {
  ChainRecord* chain = NewModelObject<ChainRecord>();
  if (chain == nullptr) return nullptr;
  if (CreateNameList(&chain->plugInNames) != 0) {
    DestroyModelObject(chain);
    return nullptr;
  }
  return chain;
}

void ChainRecord::SetName(const char* chainName) { Text_Copy(name, sizeof(name), chainName != nullptr ? chainName : ""); }

void ChainRecord::SetKeyName(const char* chainKeyName) {
  Text_Copy(keyName, sizeof(keyName), chainKeyName != nullptr ? chainKeyName : "");
}

int32_t ChainRecord::SetStream(const void* bytes, uint32_t size) {
  unsigned char* block = nullptr;
  int32_t status = ByteBlock_Copy(bytes, size, &block);
  if (status != 0) return status;
  AdoptStream(block, size);
  return 0;
}

void ChainRecord::AdoptStream(unsigned char* block, uint32_t size) {
  ByteBlock_Adopt(&stream, &streamSize, block, size);
}

int32_t ChainRecord::AddPlugInName(const char* plugInName) {
  if (plugInNames == nullptr) {
    int32_t status = CreateNameList(&plugInNames);
    if (status != 0) return status;
  }
  return VtList_AllocInsert(plugInNames, -1, static_cast<uint32_t>(strlen(plugInName) + 1), plugInName, nullptr);
}

int32_t ChainRecord::CopyFrom(const ChainRecord& other) {
  if (&other == this) return 0;
  // Build everything new first, so a shortage leaves this record whole.
  unsigned char* newStream = nullptr;
  int32_t status = ByteBlock_Copy(other.stream, other.streamSize, &newStream);
  if (status != 0) return status;
  VtList* newNames = nullptr;
  status = CreateNameList(&newNames);
  for (int32_t i = 0; status == 0 && i < other.GetPlugInNameCount(); ++i) {
    const char* text = other.GetPlugInName(i);
    status = VtList_AllocInsert(newNames, -1, static_cast<uint32_t>(strlen(text) + 1), text, nullptr);
  }
  if (status != 0) {
    VtList_Destroy(newNames);
    free(newStream);
    return status;
  }
  VtList_Destroy(plugInNames);
  plugInNames = newNames;
  AdoptStream(newStream, other.streamSize);
  memcpy(name, other.name, sizeof(name));
  memcpy(keyName, other.keyName, sizeof(keyName));
  flags = other.flags;
  type = other.type;
  return 0;
}
