#include "kernel/tokens.h"

#include <cstring>
#include <mutex>

#include "kernel/item_list.h"
#include "platform/text.h"

namespace {

// One allocation per token: this header, then the name and its NUL, then the
// value (at the next multiple of 4) and its NUL.
struct TokenRecord {
  uint32_t valueOffset;  // from the start of the record
  uint32_t valueLength;  // bytes, without the NUL
  char name[1];
};

const char* ValueOf(const TokenRecord* token) {
  return reinterpret_cast<const char*>(token) + token->valueOffset;
}

// The table: tokens sorted by name. Created on first use; guarded by g_lock.
std::mutex g_lock;
VtList* g_tokens = nullptr;

// Index of the token named `name`, or -(insertion point) - 1.
int32_t Find(const char* name) {
  int32_t lo = 0, hi = VtList_Count(g_tokens);
  while (lo < hi) {
    int32_t mid = lo + (hi - lo) / 2;
    int order = Text_CompareNoCase(VtList_At<TokenRecord>(g_tokens, mid)->name, name);
    if (order == 0) return mid;
    if (order < 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return -lo - 1;
}

}  // namespace

int32_t VtPrintF_AddToken(const char* name, const char* value) {
  std::lock_guard<std::mutex> hold(g_lock);
  if (g_tokens == nullptr && VtList_CreateExZ(0, 16, 16, VTLIST_HEAP, &g_tokens) != 0) return 0;
  int32_t index = Find(name);
  if (index >= 0) {
    VtList_Delete(g_tokens, index, 1, false);
    index = Find(name);
  }
  size_t nameLength = strlen(name);
  size_t valueLength = strlen(value);
  size_t valueOffset = (offsetof(TokenRecord, name) + nameLength + 1 + 3) & ~size_t{3};
  size_t size = valueOffset + valueLength + 1;
  if (size > UINT32_MAX) return 0;

  int32_t at = -index - 1;
  if (VtList_AllocInsert(g_tokens, at, static_cast<uint32_t>(size), nullptr, &at) != 0) return 0;
  TokenRecord* token = VtList_At<TokenRecord>(g_tokens, at);
  token->valueOffset = static_cast<uint32_t>(valueOffset);
  token->valueLength = static_cast<uint32_t>(valueLength);
  memcpy(token->name, name, nameLength + 1);
  memcpy(reinterpret_cast<char*>(token) + valueOffset, value, valueLength + 1);
  return 1;
}

bool VtPrintF_DeleteToken(const char* name) {
  std::lock_guard<std::mutex> hold(g_lock);
  int32_t index = Find(name);
  if (index < 0) return false;
  return VtList_Delete(g_tokens, index, 1, true) == 0;
}

bool VtPrintF_FindToken(const char* name, size_t nameLength, char* value, size_t size) {
  if (nameLength > kVtTokenNameMax) return false;
  char key[kVtTokenNameMax + 1];
  memcpy(key, name, nameLength);
  key[nameLength] = '\0';

  std::lock_guard<std::mutex> hold(g_lock);
  int32_t index = Find(key);
  if (index < 0) return false;
  Text_Copy(value, size, ValueOf(VtList_At<TokenRecord>(g_tokens, index)));
  return true;
}

void VtPrintF_DeleteAllTokens() {
  std::lock_guard<std::mutex> hold(g_lock);
  VtList_Destroy(g_tokens);
  g_tokens = nullptr;
}
