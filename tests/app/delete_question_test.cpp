// The question before a large delete reads as the user would say it: the
// counts written the user's way, one or many, presets, chains or both.
#include <gtest/gtest.h>

#include <string>

#include "app/delete_question.h"

namespace {

std::string Question(uint32_t presets, uint32_t plugIns, uint32_t chains) {
  DeleteScope scope;
  scope.presets = presets;
  scope.plugIns = plugIns;
  scope.chains = chains;
  char text[256];
  FormatDeleteQuestion(nullptr, scope, text, sizeof(text));
  return text;
}

TEST(DeleteQuestion, NamesWhatGoesWithTheCountsWrittenAsTheProgramWritesThem) {
  EXPECT_EQ("Delete 22,500 presets of 500 plug-ins from this computer?", Question(22500, 500, 0));
  EXPECT_EQ("Delete 101 presets of 1 plug-in from this computer?", Question(101, 1, 0));
  EXPECT_EQ("Delete 1 preset of 1 plug-in and 1 chain from this computer?", Question(1, 1, 1));
  EXPECT_EQ("Delete 2 chains from this computer?", Question(0, 0, 2));
  EXPECT_EQ("Delete 3 presets of 2 plug-ins and 1,200 chains from this computer?", Question(3, 2, 1200));

  // Cut to the buffer, never past it.
  DeleteScope scope;
  scope.presets = 22500;
  scope.plugIns = 500;
  char small[12];
  FormatDeleteQuestion(nullptr, scope, small, sizeof(small));
  EXPECT_EQ("Delete 22,5", std::string(small));
}

}  // namespace
