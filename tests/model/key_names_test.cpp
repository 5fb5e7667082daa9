#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/key_names.h"

TEST(KeyNames, OnlyNamesThatStayInsideTheStoreAreSafe) {
  EXPECT_TRUE(IsSafeKeyName("{61C55EE1-8812-4F99-BA80-599621BFB260}"));
  EXPECT_TRUE(IsSafeKeyName("Chain 0001"));
  EXPECT_TRUE(IsSafeKeyName("..."));
  EXPECT_TRUE(IsSafeKeyName("R\xC3\xA9verb"));
  for (const char* unsafe : {"", ".", "..", "..\\..\\Run", "a/b", "C:", "tab\there", "del\x7F"}) {
    EXPECT_FALSE(IsSafeKeyName(unsafe)) << unsafe;
  }
  EXPECT_FALSE(IsSafeKeyName(nullptr));
}

namespace {

struct Taken {
  std::set<std::string> names;
  int asked = 0;
};

bool IsTaken(const char* keyName, const void* context) {
  Taken& taken = *const_cast<Taken*>(static_cast<const Taken*>(context));
  ++taken.asked;
  return taken.names.count(keyName) != 0;
}

std::string Next(KeyNameCounter& counter, const char* base, Taken& taken, size_t maxChars = 39) {
  char out[40];
  if (counter.Next(base, maxChars, IsTaken, &taken, out, sizeof(out)) != KeyNameCounter::Result::Made) return "(none)";
  taken.names.insert(out);
  return out;
}

}  // namespace

TEST(KeyNames, NumberedNamesGoOnFromTheLastOneGivenAndSkipWhatIsTaken) {
  KeyNameCounter counter;
  Taken taken;
  taken.names = {"Chain0001 (3)", "Chain0001 (4)"};
  EXPECT_EQ("Chain0001 (2)", Next(counter, "Chain0001", taken));
  EXPECT_EQ("Chain0001 (5)", Next(counter, "Chain0001", taken));
  EXPECT_EQ("Other (2)", Next(counter, "Other", taken));
  // A name freed below the count is not needed: the count goes on.
  taken.names.erase("Chain0001 (2)");
  EXPECT_EQ("Chain0001 (6)", Next(counter, "Chain0001", taken));
  // Names freed newest first, as an undo frees them, are given again.
  std::string seven = Next(counter, "Chain0001", taken);
  std::string eight = Next(counter, "Chain0001", taken);
  for (const std::string& name : {eight, seven}) {
    taken.names.erase(name);
    counter.Release(name.c_str());
  }
  EXPECT_EQ("Chain0001 (7)", Next(counter, "Chain0001", taken));
  EXPECT_EQ("Chain0001 (8)", Next(counter, "Chain0001", taken));
  // After Clear the first free number is found again.
  counter.Clear();
  EXPECT_EQ("Chain0001 (2)", Next(counter, "Chain0001", taken));
}

TEST(KeyNames, NamingManyItemsAfterOneBaseAsksOnceForEach) {
  KeyNameCounter counter;
  Taken taken;
  for (int i = 0; i < 10000; ++i) ASSERT_NE("(none)", Next(counter, "vtchain-1", taken));
  EXPECT_EQ(10000, taken.asked);
  EXPECT_EQ(1u, taken.names.count("vtchain-1 (10001)"));
}

TEST(KeyNames, TheBaseIsCutForTheNumberNeverTheNumberAndNotIntoACharacter) {
  KeyNameCounter counter;
  Taken taken;
  std::string longest(39, 'k');
  EXPECT_EQ(std::string(35, 'k') + " (2)", Next(counter, longest.c_str(), taken));
  for (int i = 3; i < 10; ++i) Next(counter, longest.c_str(), taken);
  EXPECT_EQ(std::string(34, 'k') + " (10)", Next(counter, longest.c_str(), taken));
  // "é" is two bytes: 18 of them (36 bytes) leave room for 17 and " (2)".
  std::string accents;
  for (int i = 0; i < 18; ++i) accents += "\xC3\xA9";
  EXPECT_EQ(accents.substr(0, 34) + " (2)", Next(counter, accents.c_str(), taken, 38));

  char out[40];
  EXPECT_EQ(KeyNameCounter::Result::NoRoom, counter.Next("abc", 4, IsTaken, &taken, out, sizeof(out)));
  EXPECT_STREQ("the key name leaves no room for a number", KeyNameCounterProblem(KeyNameCounter::Result::NoRoom));
}
