// What a start does with the journals it finds: an unfinished one is taken
// back and reported once; one that is not whole, or names anything outside
// the store, is never applied but set aside; one that cannot be put back
// whole is kept and says where its bytes are. And a journal folder that
// cannot be written stops a group before it changes anything.
#include <gtest/gtest.h>

#include "journal/journal_file.h"
#include "journal/journal_layout.h"
#include "journal/journal_fixture.h"
#include "journal/journal_recovery.h"
#include "platform/file.h"
#include "store/store_layout.h"

namespace {

using Recovery = JournalTest;

// Puts `journal` into the folder as a group that never finished.
std::string PlantUnfinished(const std::string& folder, const Journal& journal) {
  EXPECT_EQ(0, File_CreateFolderPath(folder.c_str()));
  std::string path = folder + "\\20260101-000000-00000001.journal";
  EXPECT_EQ(0, WriteJournal(path.c_str(), journal));
  return path;
}

Journal OneValue(const std::string& key, const char* name) {
  Journal journal;
  journal.items = {"the preset \"Warm\""};
  JournalValue value;
  value.key = key;
  value.name = name;
  value.present = true;
  value.type = kRegBinary;
  value.bytes = {1, 2, 3};
  journal.values.push_back(value);
  return journal;
}

TEST_F(Recovery, AnUnfinishedGroupIsTakenBackAndReportedOnceInWords) {
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(10, 1));
  Journal journal = OneValue(PlugInKey(kClassA), "Warm");
  journal.values[0].bytes = Pattern(10, 1);
  JournalValue added;
  added.key = PlugInKey(kClassA);
  added.name = "Added";
  journal.values.push_back(added);
  std::string path = PlantUnfinished(JournalFolder(), journal);
  // What the group had done before it ended.
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(10, 9));
  SetBinary(PlugInKey(kClassA), "Added", Pattern(10, 8));

  RecoveryReport report = Restart();
  EXPECT_EQ(1u, report.groups);
  EXPECT_EQ(1u, report.restored);
  EXPECT_EQ("An earlier change to the system presets did not finish. It was taken back: 1 items restored.",
            DescribeRecovery(report));
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Warm", &type, &bytes));
  EXPECT_EQ(Pattern(10, 1), bytes);
  EXPECT_FALSE(QueryValue(PlugInKey(kClassA), "Added", &type, &bytes));
  EXPECT_FALSE(File_Exists(path.c_str()));
  EXPECT_TRUE(DescribeRecovery(Restart()).empty()) << "told once";
}

TEST_F(Recovery, HostileJournalsAreSetAsideUnapplied) {
  TempFolder elsewhere;
  std::string outside = elsewhere.Join("victim.txt");
  ASSERT_TRUE(WriteWholeFile(outside, Pattern(5, 1)));
  struct Case {
    const char* what;
    Journal journal;
  };
  Journal file;
  file.items = {"x"};
  JournalFile victim;
  victim.path = outside;
  victim.present = true;
  victim.bytes = Pattern(5, 2);
  file.files.push_back(victim);
  Journal dotted = file;
  dotted.files[0].path = presetFolder_ + "\\..\\..\\victim.txt";
  Journal stream = file;
  stream.files[0].path = presetFolder_ + "\\a.dxp:hidden";
  Journal key;
  key.items = {"x"};
  key.createdKeys = {"Software\\Classes"};
  Case cases[] = {
      {"a key outside the store", OneValue("Software\\Classes\\CLSID", "Warm")},
      {"a store key's value other than DefLocation", OneValue(kDirectShowPresetsKey, "Warm")},
      {"a key two levels below a plug-in", OneValue(PlugInKey(kClassA) + "\\Deeper", "Warm")},
      {"a parent key spelled with \"..\"", OneValue(std::string(kDirectShowPresetsKey) + "\\..", "Warm")},
      {"a created key outside the store", key},
      {"a file outside the store's folders", file},
      {"a file reached through \"..\"", dotted},
      {"a file's stream", stream},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    std::string path = PlantUnfinished(JournalFolder(), test.journal);
    RecoveryReport report = Restart();
    ASSERT_EQ(1u, report.notes.size());
    EXPECT_NE(std::string::npos, report.notes[0].find("was not applied"));
    EXPECT_FALSE(File_Exists(path.c_str()));
    EXPECT_TRUE(File_Exists((JournalFolder() + "\\20260101-000000-00000001.rejected").c_str()));
    EXPECT_EQ(0, File_Delete((JournalFolder() + "\\20260101-000000-00000001.rejected").c_str()));
  }
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(outside, &bytes));
  EXPECT_EQ(Pattern(5, 1), bytes);
  EXPECT_FALSE(KeyExists("Software\\Classes\\CLSID"));
  EXPECT_FALSE(KeyExists(PlugInKey(kClassA) + "\\Deeper"));

  // Cut short: the header promises more than follows.
  std::string path = PlantUnfinished(JournalFolder(), OneValue(PlugInKey(kClassA), "Warm"));
  std::vector<unsigned char> whole;
  ASSERT_TRUE(ReadWholeFile(path, &whole));
  whole.resize(whole.size() - 6);
  riff_PutU32(whole.data() + 4, static_cast<uint32_t>(whole.size() - 8));
  ASSERT_TRUE(WriteWholeFile(path, whole));
  RecoveryReport report = Restart();
  ASSERT_EQ(1u, report.notes.size());
  EXPECT_NE(std::string::npos, report.notes[0].find("could not be read"));
  EXPECT_FALSE(KeyExists(PlugInKey(kClassA)));
}

TEST_F(Recovery, AFileThatCannotBeWrittenBackKeepsTheJournalAndSaysWhereTheBytesAre) {
  std::string blocked = presetFolder_ + "\\" + kClassA + "\\Room.dxp";
  ASSERT_EQ(0, File_CreateFolderPath(blocked.c_str()));  // a folder where the file was
  SetBinary(PlugInKey(kClassA), "Small", Pattern(10, 5));
  Journal journal = OneValue(PlugInKey(kClassA), "Small");
  journal.values[0].bytes = Pattern(10, 1);
  JournalFile file;
  file.path = blocked;
  file.present = true;
  file.bytes = Pattern(700, 3);
  journal.files.push_back(file);
  std::string path = PlantUnfinished(JournalFolder(), journal);

  RecoveryReport report = Restart();
  ASSERT_EQ(1u, report.notes.size());
  EXPECT_NE(std::string::npos, report.notes[0].find(blocked));
  EXPECT_NE(std::string::npos, report.notes[0].find(path));
  EXPECT_TRUE(File_Exists(path.c_str()));
  std::vector<unsigned char> bytes;
  uint32_t type = 0;
  ASSERT_TRUE(QueryValue(PlugInKey(kClassA), "Small", &type, &bytes));
  EXPECT_EQ(Pattern(10, 1), bytes) << "what could be put back was";
}

TEST_F(Recovery, AJournalFolderThatCannotBeWrittenStopsTheGroupBeforeAnyChange) {
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(10, 1));
  LoadSystem();
  std::string before = Disk();
  // A file where the folder should be made.
  ASSERT_TRUE(WriteWholeFile(appData_.Join("Veltrane"), Pattern(3, 1)));
  PlugInEntry* incoming = AddEntry(StoreId::Package, "Whatever", kClassA);
  AddPreset(incoming, "Warm", Pattern(12, 2));
  AddPreset(incoming, "Other", Pattern(12, 3));
  Answer({OverwriteAnswer::YesToAll});
  EditOutcome outcome = CopySelectionToOtherStore(edit_, StoreId::Package,
                                                  Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}));
  EXPECT_FALSE(outcome.committed);
  EXPECT_TRUE(StatusFailed(outcome.status));
  std::string detail = outcome.failure.detail;
  EXPECT_NE(std::string::npos, detail.find(JournalFolder())) << detail;
  EXPECT_NE(std::string::npos, detail.find("nothing was changed")) << detail;
  EXPECT_EQ(before, Disk());
  EXPECT_EQ(0, GetUndoCount(history_));
}

TEST_F(Recovery, BackupsAreKeptForGroupsThatReplacedSomethingNewestFirst) {
  SetBinary(PlugInKey(kClassA), "Warm", Pattern(10, 1));
  LoadSystem();
  PlugInEntry* incoming = AddEntry(StoreId::Package, "Whatever", kClassA);
  AddPreset(incoming, "Fresh", Pattern(12, 3));
  Answer({});
  ASSERT_EQ(0, CopySelectionToOtherStore(edit_, StoreId::Package,
                                         Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}))
                   .status);
  std::vector<BackupInfo> backups;
  ASSERT_EQ(0, ListBackups(&backups));
  EXPECT_TRUE(backups.empty()) << "a copy into free places replaced nothing";

  AddPreset(incoming, "Warm", Pattern(12, 4));
  Answer({OverwriteAnswer::YesToAll});
  ASSERT_EQ(0, CopySelectionToOtherStore(edit_, StoreId::Package,
                                         Select(FocusKind::Tree, NodeKind::PackageRoot, "", {"Untitled"}))
                   .status);
  ASSERT_EQ(0, DeleteSelection(edit_, StoreId::System,
                               Select(FocusKind::List, NodeKind::PlugInGroup, "FX Plug-Ins", {"Not Installed 000"}))
                   .status);
  ASSERT_EQ(0, ListBackups(&backups));
  ASSERT_EQ(2u, backups.size());
  EXPECT_EQ(JournalOperation::Delete, backups[0].operation);
  EXPECT_EQ(JournalOperation::Copy, backups[1].operation);
  EXPECT_EQ(2u, backups[1].items.size());
  EXPECT_EQ(20, static_cast<int>(FormatIsoTime(backups[0].time).size()));
  EXPECT_EQ("1970-01-01T00:00:00Z", FormatIsoTime(0));
  EXPECT_EQ("2000-02-29T23:59:59Z", FormatIsoTime(951868799));
}

}  // namespace
