// The journal file: what is written is read back whole, and a file that is
// not a whole journal is refused, however it is cut or inflated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "journal/journal_file.h"
#include "journal/journal_layout.h"
#include "support/temp_folder.h"

namespace {

Journal Sample() {
  Journal journal;
  journal.operation = JournalOperation::Import;
  journal.time = 1700000000;
  journal.items = {"the preset \"Warm\" of Studio Reverb", "the chain \"Vocal\""};
  JournalValue inline_;
  inline_.item = 0;
  inline_.key = "Software\\DirectShow\\Presets\\{A}";
  inline_.name = "Warm";
  inline_.present = true;
  inline_.type = 3;
  inline_.bytes = {1, 2, 3};  // odd: the chunk is padded
  JournalValue absent;
  absent.item = 1;
  absent.key = "Software\\DirectShow\\Presets\\FX Packages\\Chain0001";
  absent.name = "Stream";
  journal.values = {inline_, absent};
  JournalFile file;
  file.item = 0;
  file.path = "C:\\Presets\\{A}\\Warm.dxp";
  file.present = true;
  file.bytes.assign(300, 7);
  JournalFile gone;
  gone.item = 1;
  gone.path = "C:\\Presets\\FX Packages\\Chain0001\\Vocal.vtg";
  journal.files = {file, gone};
  journal.createdKeys = {"Software\\DirectShow", "Software\\DirectShow\\Presets"};
  journal.createdFolders = {"C:\\Presets\\{A}"};
  return journal;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::vector<unsigned char> bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes));
  return bytes;
}

TEST(JournalFile, WhatIsWrittenIsReadBackWholeAndNoTemporaryIsLeft) {
  TempFolder folder;
  std::string path = folder.Join("a.journal");
  Journal written = Sample();
  ASSERT_EQ(0, WriteJournal(path.c_str(), written));
  EXPECT_FALSE(File_Exists((path + ".tmp").c_str()));

  Journal read;
  ASSERT_EQ(0, ReadJournal(path.c_str(), &read));
  EXPECT_EQ(written.operation, read.operation);
  EXPECT_EQ(written.time, read.time);
  EXPECT_EQ(written.items, read.items);
  ASSERT_EQ(2u, read.values.size());
  EXPECT_EQ(written.values[0].key, read.values[0].key);
  EXPECT_EQ(written.values[0].bytes, read.values[0].bytes);
  EXPECT_TRUE(read.values[0].present);
  EXPECT_FALSE(read.values[1].present);
  ASSERT_EQ(2u, read.files.size());
  EXPECT_EQ(written.files[0].bytes, read.files[0].bytes);
  EXPECT_EQ(written.createdKeys, read.createdKeys);
  EXPECT_EQ(written.createdFolders, read.createdFolders);
  EXPECT_TRUE(read.HoldsReplacedData());

  std::string end = folder.Join("a.done");
  std::vector<uint64_t> digests = {1, 0xFFFFFFFF00000001ull};
  ASSERT_EQ(0, WriteJournalEnd(end.c_str(), -5, digests));
  int32_t status = 0;
  std::vector<uint64_t> back;
  ASSERT_EQ(0, ReadJournalEnd(end.c_str(), &status, &back));
  EXPECT_EQ(-5, status);
  EXPECT_EQ(digests, back);
  EXPECT_NE(0, ReadJournalEnd(path.c_str(), &status, &back)) << "a journal is no end mark";
  EXPECT_NE(0, ReadJournal(end.c_str(), &read)) << "an end mark is no journal";
}

TEST(JournalFile, AJournalCutAnywhereOrWithBytesAddedIsRefused) {
  TempFolder folder;
  std::string path = folder.Join("whole.journal");
  ASSERT_EQ(0, WriteJournal(path.c_str(), Sample()));
  std::vector<unsigned char> whole = ReadBytes(path);
  std::string cut = folder.Join("cut.journal");
  Journal read;
  for (size_t length = 0; length < whole.size(); ++length) {
    ASSERT_TRUE(WriteWholeFile(cut, std::vector<unsigned char>(whole.begin(), whole.begin() + length)));
    EXPECT_NE(0, ReadJournal(cut.c_str(), &read)) << "cut at " << length;
    EXPECT_TRUE(read.items.empty() && read.values.empty());
  }
  std::vector<unsigned char> longer = whole;
  longer.push_back(0);
  ASSERT_TRUE(WriteWholeFile(cut, longer));
  EXPECT_NE(0, ReadJournal(cut.c_str(), &read));
}

// Header fields past the form header and the header chunk's own.
constexpr size_t kCountsAt = 12 + 8 + 16;

TEST(JournalFile, CountsThatDoNotMatchTheChunksAreRefusedWithoutBeingTrusted) {
  TempFolder folder;
  std::string path = folder.Join("counts.journal");
  ASSERT_EQ(0, WriteJournal(path.c_str(), Sample()));
  std::vector<unsigned char> whole = ReadBytes(path);
  Journal read;
  // Each count in turn one too many, one too few, and huge.
  for (size_t field = 0; field < 5; ++field) {
    for (uint32_t change : {1u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
      std::vector<unsigned char> bytes = whole;
      unsigned char* at = bytes.data() + kCountsAt + 4 * field;
      riff_PutU32(at, riff_GetU32(at) + change);
      ASSERT_TRUE(WriteWholeFile(path, bytes));
      EXPECT_NE(0, ReadJournal(path.c_str(), &read)) << "field " << field << " changed by " << change;
    }
  }
  // A value naming an item the journal does not hold.
  Journal wrong = Sample();
  wrong.values[0].item = 9;
  ASSERT_EQ(0, WriteJournal(path.c_str(), wrong));
  EXPECT_NE(0, ReadJournal(path.c_str(), &read));
  // A chunk claiming more bytes than the form holds.
  std::vector<unsigned char> bytes = whole;
  riff_PutU32(bytes.data() + 12 + 8 + kJournalHeaderSize + 4, 0x7FFFFFF0u);
  ASSERT_TRUE(WriteWholeFile(path, bytes));
  EXPECT_NE(0, ReadJournal(path.c_str(), &read));
}

}  // namespace
