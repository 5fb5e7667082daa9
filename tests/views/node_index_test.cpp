// Finding tree nodes by parent and label without a walk.
#include <gtest/gtest.h>

#include "views/node_index.h"

namespace {

TEST(NodeIndex, FindsChildrenOfEachParentByLabelInAnyCase) {
  NodeIndex index;
  index.Add(0, 1, "FX Plug-Ins");
  index.Add(1, 2, "Delay");
  index.Add(1, 3, "Chorus");
  index.Add(0, 4, "Delay");
  bool complete = false;
  EXPECT_EQ(2u, index.Find(1, "DELAY", &complete));
  EXPECT_TRUE(complete);
  EXPECT_EQ(4u, index.Find(0, "delay", &complete));
  EXPECT_EQ(0u, index.Find(1, "Flanger", &complete));
  EXPECT_TRUE(complete);  // known to be missing

  index.Rename(3, "Ensemble");
  EXPECT_EQ(0u, index.Find(1, "Chorus", &complete));
  EXPECT_EQ(3u, index.Find(1, "ensemble", &complete));
  index.Remove(2);
  EXPECT_EQ(0u, index.Find(1, "Delay", &complete));
  index.Add(1, 5, "Delay");
  EXPECT_EQ(5u, index.Find(1, "Delay", &complete));
}

TEST(NodeIndex, SiblingsOfOneLabelLeaveTheLookupToAWalk) {
  NodeIndex index;
  index.Add(1, 2, "Delay");
  index.Add(1, 3, "DELAY");
  bool complete = true;
  index.Find(1, "Delay", &complete);
  EXPECT_FALSE(complete);
  index.Add(7, 8, "Delay");
  EXPECT_EQ(8u, index.Find(7, "Delay", &complete));  // other parents still answer
  EXPECT_TRUE(complete);
  index.Clear();
  EXPECT_EQ(0u, index.Find(1, "Delay", &complete));
  EXPECT_TRUE(complete);
}

}  // namespace
