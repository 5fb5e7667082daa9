#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "kernel/item_list.h"

namespace {

struct ListOwner {
  VtList* list = nullptr;
  ~ListOwner() { VtList_Destroy(list); }
};

TEST(ItemList, InlineListsHoldCopiesAndPointerListsThePointers) {
  ListOwner inlined, pointers;
  ASSERT_EQ(0, VtList_CreateExZ(sizeof(int), 4, 4, VTLIST_INLINE, &inlined.list));
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &pointers.list));
  int value = 5;
  ASSERT_EQ(0, VtList_Insert(inlined.list, 0, 1, &value));
  ASSERT_EQ(0, VtList_Append(pointers.list, &value));
  value = 6;
  EXPECT_EQ(5, *VtList_At<int>(inlined.list, 0));
  EXPECT_EQ(&value, VtList_Get(pointers.list, 0));
  EXPECT_EQ(0, VtList_IndexOf(pointers.list, &value));
}

TEST(ItemList, InsertPlacesRunsAndOutOfRangeIndexesAppend) {
  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(sizeof(int), 4, 4, VTLIST_INLINE, &owner.list));
  const int first[] = {1, 2, 3};
  const int middle[] = {10, 11};
  const int last = 99, before = -1;
  ASSERT_EQ(0, VtList_Insert(owner.list, 0, 3, first));
  ASSERT_EQ(0, VtList_Insert(owner.list, 1, 2, middle));
  ASSERT_EQ(0, VtList_Insert(owner.list, 50, 1, &last));
  ASSERT_EQ(0, VtList_Insert(owner.list, -5, 1, &before));
  std::vector<int> items;
  for (int32_t i = 0; i < VtList_Count(owner.list); ++i) items.push_back(*VtList_At<int>(owner.list, i));
  EXPECT_EQ((std::vector<int>{1, 10, 11, 2, 3, 99, -1}), items);
  EXPECT_EQ(nullptr, VtList_Get(owner.list, 7));
  EXPECT_EQ(nullptr, VtList_Get(owner.list, -1));
}

TEST(ItemList, DeleteRemovesRunsAndGivesBackStorageWhenAsked) {
  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &owner.list));
  std::vector<int> values(20);
  for (int& v : values) {
    ASSERT_EQ(0, VtList_Append(owner.list, &v));
  }
  int32_t full = owner.list->capacity;
  ASSERT_EQ(0, VtList_Delete(owner.list, 2, 3, false));
  EXPECT_EQ(17, VtList_Count(owner.list));
  EXPECT_EQ(&values[1], VtList_Get(owner.list, 1));
  EXPECT_EQ(&values[5], VtList_Get(owner.list, 2));

  ASSERT_EQ(0, VtList_Delete(owner.list, 10, -1, true));  // a negative count runs to the end
  EXPECT_EQ(10, VtList_Count(owner.list));
  EXPECT_EQ(&values[12], VtList_Get(owner.list, 9));
  ASSERT_EQ(0, VtList_Delete(owner.list, 0, 100, true));
  EXPECT_EQ(0, VtList_Count(owner.list));
  EXPECT_LT(owner.list->capacity, full);
  EXPECT_EQ(E_FAIL, VtList_Delete(owner.list, 1, 1, false));
  EXPECT_EQ(0, VtList_Delete(owner.list, 0, 0, false));
  // Still usable after shrinking.
  ASSERT_EQ(0, VtList_Append(owner.list, &values[0]));
  EXPECT_EQ(&values[0], VtList_Get(owner.list, 0));
}

TEST(ItemList, HeapListsOwnTheirBlocksAndRefusePlainInserts) {
  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, VTLIST_HEAP, &owner.list));
  int32_t index = -2;
  ASSERT_EQ(0, VtList_AllocInsert(owner.list, -1, 6, "first", &index));
  EXPECT_EQ(0, index);
  ASSERT_EQ(0, VtList_AllocInsert(owner.list, 0, 7, "second", &index));
  EXPECT_EQ(0, index);
  ASSERT_EQ(0, VtList_AllocInsert(owner.list, -1, 4, nullptr, &index));
  EXPECT_EQ(2, index);
  EXPECT_STREQ("second", VtList_At<char>(owner.list, 0));
  EXPECT_STREQ("first", VtList_At<char>(owner.list, 1));
  EXPECT_EQ(0, memcmp(VtList_At<char>(owner.list, 2), "\0\0\0\0", 4));

  const char* text = "x";
  EXPECT_EQ(E_FAIL, VtList_Insert(owner.list, 0, 1, &text));
  // Deleting frees the blocks; the sanitizer would report a leak otherwise.
  ASSERT_EQ(0, VtList_Delete(owner.list, 0, 1, true));
  EXPECT_STREQ("first", VtList_At<char>(owner.list, 0));

  ListOwner plain;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &plain.list));
  EXPECT_EQ(E_FAIL, VtList_AllocInsert(plain.list, -1, 4, "abc", &index));
}

TEST(ItemList, BadRequestsFailWithoutHarm) {
  EXPECT_EQ(0, VtList_Count(nullptr));
  EXPECT_EQ(nullptr, VtList_Get(nullptr, 0));
  EXPECT_EQ(E_FAIL, VtList_Insert(nullptr, 0, 1, "x"));
  EXPECT_EQ(E_FAIL, VtList_Delete(nullptr, 0, 1, false));
  VtList_Destroy(nullptr);

  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &owner.list));
  EXPECT_EQ(E_FAIL, VtList_Insert(owner.list, 0, -1, "x"));
  EXPECT_EQ(E_FAIL, VtList_Insert(owner.list, 0, 1, nullptr));
  EXPECT_EQ(0, VtList_Insert(owner.list, 0, 0, nullptr));
  EXPECT_EQ(-1, VtList_IndexOf(owner.list, &owner));

  // Inline items need a size, and cannot also be heap blocks.
  VtList* refused = reinterpret_cast<VtList*>(1);
  EXPECT_EQ(E_FAIL, VtList_CreateExZ(8, 4, 4, VTLIST_INLINE | VTLIST_HEAP, &refused));
  EXPECT_EQ(nullptr, refused);
  EXPECT_EQ(E_FAIL, VtList_CreateExZ(0, 4, 4, VTLIST_INLINE, &refused));
}

}  // namespace
