#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "kernel/item_list.h"

namespace {

struct ListOwner {
  VtList* list = nullptr;
  ~ListOwner() { VtList_Destroy(list); }
};

TEST(ItemList, CreationHoldsTheGrowthStepAndRoundsTheCapacity) {
  struct Case {
    int32_t capacity, step;
    int32_t wantCapacity, wantStep;
  };
  const Case cases[] = {
      {0, 0, 16, 16},           // a step below 1 means 16, a capacity below 4 means 4
      {17, 16, 32, 16},         // rounded up to a multiple of the step
      {0, 1, 4, 4},             // the step is held at 4 or more
      {5, 3, 8, 4},
      {1, 100000, 66560, 66560},  // and at 66 560 or less
      {32, 8, 32, 8},
  };
  for (const Case& c : cases) {
    ListOwner owner;
    ASSERT_EQ(0, VtList_CreateExZ(4, c.capacity, c.step, 0, &owner.list));
    EXPECT_EQ(c.wantCapacity, owner.list->capacity) << c.capacity << "/" << c.step;
    EXPECT_EQ(c.wantStep, owner.list->growStep) << c.capacity << "/" << c.step;
    EXPECT_EQ(VTLIST_ALWAYS, owner.list->options & VTLIST_ALWAYS);
    EXPECT_EQ(0, VtList_Count(owner.list));
  }
}

TEST(ItemList, OptionBitsDecideHowItemsAreStored) {
  ListOwner pointers, inlined, heap, locked;
  ASSERT_EQ(0, VtList_CreateExZ(7, 4, 4, 0, &pointers.list));
  EXPECT_EQ(sizeof(void*), pointers.list->itemSize);
  ASSERT_EQ(0, VtList_CreateExZ(7, 4, 4, VTLIST_INLINE, &inlined.list));
  EXPECT_EQ(8u, inlined.list->itemSize);  // rounded up to a multiple of 4
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, VTLIST_HEAP | VTLIST_ALWAYS, &heap.list));
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, VTLIST_LOCKING, &locked.list));
  EXPECT_NE(nullptr, locked.list->lock);
  EXPECT_EQ(nullptr, pointers.list->lock);

  VtList* refused = reinterpret_cast<VtList*>(1);
  EXPECT_EQ(E_FAIL, VtList_CreateExZ(8, 4, 4, VTLIST_INLINE | VTLIST_HEAP, &refused));
  EXPECT_EQ(nullptr, refused);
  EXPECT_EQ(E_FAIL, VtList_CreateExZ(0, 4, 4, VTLIST_INLINE, &refused));
}

TEST(ItemList, InsertPlacesRunsAndOutOfRangeIndexesAppend) {
  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(sizeof(int), 4, 4, VTLIST_INLINE | VTLIST_LOCKING, &owner.list));
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
  // Growth is by whole steps: seven items in steps of four.
  EXPECT_EQ(8, owner.list->capacity);
  EXPECT_EQ(nullptr, VtList_Get(owner.list, 7));
  EXPECT_EQ(nullptr, VtList_Get(owner.list, -1));
}

TEST(ItemList, DeleteRemovesRunsAndShrinksOnlyPastOneFreeStep) {
  ListOwner owner;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &owner.list));
  std::vector<int> values(20);
  for (int& v : values) {
    ASSERT_EQ(0, VtList_Append(owner.list, &v));
  }
  EXPECT_EQ(20, owner.list->capacity);
  ASSERT_EQ(0, VtList_Delete(owner.list, 2, 3, false));
  EXPECT_EQ(17, VtList_Count(owner.list));
  EXPECT_EQ(&values[5], VtList_Get(owner.list, 2));
  EXPECT_EQ(20, owner.list->capacity);

  ASSERT_EQ(0, VtList_Delete(owner.list, 15, 1, true));  // four free: one step, kept
  EXPECT_EQ(20, owner.list->capacity);
  ASSERT_EQ(0, VtList_Delete(owner.list, 10, -1, true));  // a negative count runs to the end
  EXPECT_EQ(10, VtList_Count(owner.list));
  EXPECT_EQ(12, owner.list->capacity);
  ASSERT_EQ(0, VtList_Delete(owner.list, 0, 100, true));
  EXPECT_EQ(0, VtList_Count(owner.list));
  EXPECT_EQ(4, owner.list->capacity);
  EXPECT_EQ(E_FAIL, VtList_Delete(owner.list, 1, 1, false));
  EXPECT_EQ(0, VtList_Delete(owner.list, 0, 0, false));
}

TEST(ItemList, AListThatGrowsByHalfReallocatesRarely) {
  ListOwner steady, geometric;
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, 0, &steady.list));
  ASSERT_EQ(0, VtList_CreateExZ(0, 4, 4, VTLIST_GROW_BY_HALF, &geometric.list));
  int growthsSteady = 0, growthsGeometric = 0;
  for (int i = 0; i < 1000; ++i) {
    int32_t before[2] = {steady.list->capacity, geometric.list->capacity};
    ASSERT_EQ(0, VtList_Append(steady.list, &i));
    ASSERT_EQ(0, VtList_Append(geometric.list, &i));
    growthsSteady += steady.list->capacity != before[0];
    growthsGeometric += geometric.list->capacity != before[1];
    ASSERT_EQ(0, geometric.list->capacity % 4);  // still whole steps
  }
  EXPECT_EQ(249, growthsSteady);
  EXPECT_LT(growthsGeometric, 20);
  EXPECT_LT(geometric.list->capacity, 1500);
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
}

}  // namespace
