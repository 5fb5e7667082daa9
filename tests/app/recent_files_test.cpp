// The recent-file list: its order, its limit, the entries found again in
// any letter case, the settings it is kept in, and its menu texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"
#include "kernel/metrics.h"
#include "platform/registry.h"

namespace {

constexpr const char* kBase = "Software\\Veltrane\\Ordalis Recent Test";

std::vector<std::string> Paths(const RecentFiles& files) {
  std::vector<std::string> paths;
  for (int32_t i = 0; i < files.count; ++i) paths.push_back(files.entries[i].path);
  return paths;
}

using Names = std::vector<std::string>;

TEST(RecentFiles, TheLastUsedComesFirstOnceAndTheSixthPushesTheOldestOut) {
  RecentFiles files;
  for (const char* path : {"C:\\a", "C:\\b", "C:\\c"}) RecentFiles_Add(&files, path, false);
  EXPECT_EQ((Names{"C:\\c", "C:\\b", "C:\\a"}), Paths(files));
  RecentFiles_Add(&files, "c:\\A", true);  // the same file, named in other letters
  EXPECT_EQ((Names{"c:\\A", "C:\\c", "C:\\b"}), Paths(files));
  EXPECT_EQ(0xFFFFFFFFu, files.entries[0].readOnly);
  EXPECT_EQ(kRecentMarker, files.entries[0].marker);
  for (const char* path : {"C:\\d", "C:\\e", "C:\\f"}) RecentFiles_Add(&files, path, false);
  EXPECT_EQ((Names{"C:\\f", "C:\\e", "C:\\d", "c:\\A", "C:\\c"}), Paths(files));

  EXPECT_TRUE(RecentFiles_Remove(&files, "C:\\D"));
  EXPECT_EQ((Names{"C:\\f", "C:\\e", "c:\\A", "C:\\c"}), Paths(files));
  EXPECT_FALSE(RecentFiles_Remove(&files, "C:\\gone"));
  EXPECT_EQ(4, files.count);
}

class RecentFileSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kBase);
    ASSERT_EQ(0, VtMetric_Open(&settings_, "Ordalis Recent Test", VtVersionWord(1, 0, 73), nullptr));
  }
  void TearDown() override {
    VtMetric_Close(settings_);
    Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), kBase);
    Reg_DeleteTree(Reg_Root(RegRoot::LocalMachine), kBase);
  }
  VtMetric* settings_ = nullptr;
};

TEST_F(RecentFileSettings, SurviveARestartWithTheirReadOnlyMark) {
  RecentFiles files;
  RecentFiles_Add(&files, "C:\\old.vtpreset", false);
  RecentFiles_Add(&files, "C:\\locked.vtpreset", true);
  RecentFiles_Save(files, settings_);
  unsigned char stored[8] = {};
  ASSERT_EQ(8u, VtGetMetricBinary(settings_, 30120, stored, sizeof(stored)));
  EXPECT_EQ(100, stored[0]);
  EXPECT_EQ(0xFF, stored[7]);

  RecentFiles read;
  RecentFiles_Load(&read, settings_);
  EXPECT_EQ((Names{"C:\\locked.vtpreset", "C:\\old.vtpreset"}), Paths(read));
  EXPECT_EQ(1u, read.entries[0].readOnly & 1);
  EXPECT_EQ(0u, read.entries[1].readOnly);

  // A shorter list leaves no stale entry behind it.
  RecentFiles_Remove(&read, "C:\\old.vtpreset");
  RecentFiles_Save(read, settings_);
  RecentFiles_Load(&files, settings_);
  EXPECT_EQ((Names{"C:\\locked.vtpreset"}), Paths(files));
}

TEST_F(RecentFileSettings, TheListEndsAtTheFirstEntryWithoutMarkerOrPath) {
  const unsigned char valid[8] = {100, 0, 0, 0, 0, 0, 0, 0};
  const unsigned char wrong[8] = {99, 0, 0, 0, 0, 0, 0, 0};
  VtSetMetricString(settings_, 30110, "C:\\one");
  VtSetMetricBinary(settings_, 30120, valid, 8);
  VtSetMetricString(settings_, 30111, "C:\\two");
  VtSetMetricBinary(settings_, 30121, wrong, 8);
  VtSetMetricString(settings_, 30112, "C:\\three");
  VtSetMetricBinary(settings_, 30122, valid, 8);
  RecentFiles files;
  RecentFiles_Load(&files, settings_);
  EXPECT_EQ((Names{"C:\\one"}), Paths(files));
  VtSetMetricString(settings_, 30110, "");
  RecentFiles_Load(&files, settings_);
  EXPECT_EQ(0, files.count);
}

TEST(RecentFileMenu, NumbersEntriesDoublesAmpersandsAndMarksReadOnlyFiles) {
  RecentFiles files;
  RecentFiles_Add(&files, "C:\\Rock & Roll\\a&&b.vtpreset", true);
  RecentFiles_Add(&files, "C:\\plain.vtpreset", false);
  char text[kRecentMenuTextSize];
  RecentFiles_MenuText(files, 0, " (RO)", text, sizeof(text));
  EXPECT_STREQ("&1 C:\\plain.vtpreset", text);
  RecentFiles_MenuText(files, 1, " (RO)", text, sizeof(text));
  EXPECT_STREQ("&2 C:\\Rock && Roll\\a&&&&b.vtpreset (RO)", text);
  EXPECT_EQ(0u, RecentFiles_MenuText(files, 2, " (RO)", text, sizeof(text)));

  // A path of ampersands only, as long as a path may be, still fits whole.
  std::string ampersands(kNameChars, '&');
  RecentFiles_Add(&files, ampersands.c_str(), true);
  size_t length = RecentFiles_MenuText(files, 0, " (RO)", text, sizeof(text));
  EXPECT_EQ(3 + 2 * kNameChars + 5, length);
}

}  // namespace
