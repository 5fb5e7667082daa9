// The RIFF primitives on real files: positions, counters and sizes.
#include <gtest/gtest.h>

#include <cstring>

#include "package/package_bytes.h"
#include "package/riff.h"
#include "support/temp_folder.h"

namespace {

class Riff : public ::testing::Test {
 protected:
  // Opens a file holding `bytes` for reading and writing.
  FileHandle Open(const ByteVector& bytes) {
    std::string path = temp_.Join("riff.bin");
    file_.Reset();
    EXPECT_TRUE(WriteWholeFile(path, bytes));
    EXPECT_EQ(0, File_Open(path.c_str(), kFileRead | kFileWrite, kShareNone, FileCreate::OpenExisting, 0, file_.Out()));
    return file_.Get();
  }
  uint64_t Position() {
    uint64_t position = 0;
    riff_SaveLocation(file_.Get(), &position);
    return position;
  }

  TempFolder temp_;
  ScopedFile file_;
};

TEST_F(Riff, SkipAndBoundedReadsMoveByRoundedSizes) {
  FileHandle file = Open(ByteVector(64, 0x5A));
  EXPECT_EQ(6, riff_SkipChunk(file, 5));
  EXPECT_EQ(6u, Position());
  EXPECT_EQ(0, riff_SkipChunk(file, 0));
  EXPECT_EQ(6u, Position());
  EXPECT_EQ(0x100000000, riff_RoundedSize(0xFFFFFFFFu));

  // A chunk shorter than the head wanted: what it has, then past the rest.
  unsigned char buffer[16];
  memset(buffer, 0, sizeof(buffer));
  riff_RestoreLocation(file, 0);
  ASSERT_EQ(0, riff_ReadDataBounded(file, buffer, 16, 10));
  EXPECT_EQ(16u, Position());
  EXPECT_EQ(0x5A, buffer[9]);
  EXPECT_EQ(0, buffer[10]);
  ASSERT_EQ(0, riff_ReadDataBounded(file, buffer, 16, 16));
  EXPECT_EQ(32u, Position());
  ASSERT_EQ(0, riff_ReadDataBounded(file, buffer, 16, 9));  // odd: one more for the pad
  EXPECT_EQ(49u, Position());
  EXPECT_EQ(E_RIFF_READ, riff_ReadDataBounded(file, buffer, 16, 16));
}

TEST_F(Riff, FindChunkHeaderKeepsToItsRegion) {
  ByteVector region = Join({Chunk("aaaa", {1, 2, 3}), Chunk("bbbb", {4}), Chunk("cccc", {})});
  FileHandle file = Open(region);
  int32_t remaining = 7;
  uint32_t size = 0;
  EXPECT_EQ(E_RIFF_END_OF_REGION, riff_FindChunkHeader(file, RiffFourCC("aaaa"), &size, &remaining));
  EXPECT_EQ(7, remaining);
  EXPECT_EQ(0u, Position());

  remaining = static_cast<int32_t>(region.size());
  ASSERT_EQ(0, riff_FindChunkHeader(file, RiffFourCC("bbbb"), &size, &remaining));
  EXPECT_EQ(1u, size);
  EXPECT_EQ(20u, Position());
  EXPECT_EQ(static_cast<int32_t>(region.size()) - 20, remaining);
  EXPECT_EQ(E_RIFF_READ, riff_FindChunkHeader(file, RiffFourCC("zzzz"), &size, nullptr));

  // A size that would wrap the counter ends the region instead.
  file = Open(Join({ChunkSized("huge", 0xFFFFFFFFu, {}), Chunk("next", {})}));
  remaining = 16;
  EXPECT_EQ(E_RIFF_END_OF_REGION, riff_FindChunkHeader(file, RiffFourCC("next"), &size, &remaining));
  EXPECT_EQ(0, remaining);
}

TEST_F(Riff, FindListChunkPaysForTheListsItPasses) {
  ByteVector region = Join({List("abcd", {ByteVector(8, 1)}), List("wxyz", {Chunk("data", {1, 2})}), List("late", {})});
  FileHandle file = Open(region);
  int32_t remaining = static_cast<int32_t>(region.size());
  uint32_t contents = 0;
  ASSERT_EQ(0, riff_FindListChunk(file, RiffFourCC("wxyz"), &contents, &remaining));
  EXPECT_EQ(10u, contents);
  EXPECT_EQ(static_cast<int32_t>(region.size()) - 20 - 12, remaining);
  EXPECT_EQ(32u, Position());
  EXPECT_EQ(E_RIFF_END_OF_REGION, riff_FindListChunk(file, RiffFourCC("none"), &contents, &remaining));
}

TEST_F(Riff, CountingEntriesLeavesThePositionAlone) {
  ByteVector region = Join({Chunk("one ", {1}), List("two ", {}), Chunk("thre", ByteVector(10, 3))});
  FileHandle file = Open(Join({ByteVector(4, 0), region}));
  riff_RestoreLocation(file, 4);
  int32_t remaining = static_cast<int32_t>(region.size());
  int32_t count = 0;
  ASSERT_EQ(0, riff_GetNumListEntries(file, &count, &remaining));
  EXPECT_EQ(3, count);
  EXPECT_EQ(4u, Position());

  // A region promising more than the file holds fails, and still restores.
  remaining = static_cast<int32_t>(region.size()) + 100;
  EXPECT_EQ(E_RIFF_READ, riff_GetNumListEntries(file, &count, &remaining));
  EXPECT_EQ(4u, Position());
}

TEST_F(Riff, FormHeaderIsRecognised) {
  FileHandle file = Open(Join({ByteVector{'R', 'I', 'F', 'X'}, U32(8), ByteVector{'V', 'T', 'P', 'D'}}));
  uint32_t size = 0;
  RiffId type = 0;
  EXPECT_EQ(E_RIFF_NOT_RIFF, riff_ReadFileID(file, &size, &type));
  file = Open({'R', 'I', 'F'});
  EXPECT_EQ(E_RIFF_NOT_RIFF, riff_ReadFileID(file, &size, &type));
  file = Open(Form({}));
  ASSERT_EQ(0, riff_ReadFileID(file, &size, &type));
  EXPECT_EQ(0u, size);
  EXPECT_EQ(RiffFourCC("VTPD"), type);
}

TEST_F(Riff, SizeFixUpFillsEveryLevelInnermostFirst) {
  FileHandle file = Open({});
  RiffSizedWrite form, list;
  ASSERT_EQ(0, riff_BeginForm(file, RiffFourCC("TEST"), &form));
  ASSERT_EQ(0, riff_BeginList(file, RiffFourCC("abcd"), &list));
  ASSERT_EQ(0, riff_WriteChunkHeader(file, RiffFourCC("data"), 2));
  ASSERT_EQ(0, riff_WriteData(file, "xy", 2));
  ASSERT_EQ(0, riff_AddToSize(&list, 10));
  uint64_t length = 0;
  ASSERT_EQ(0, riff_EndSized(file, list, &length));
  EXPECT_EQ(22u, length);
  EXPECT_EQ(34u, Position());
  ASSERT_EQ(0, riff_AddToSize(&form, length));
  ASSERT_EQ(0, riff_EndSized(file, form, nullptr));
  file_.Reset();

  ByteVector bytes;
  ASSERT_TRUE(ReadWholeFile(temp_.Join("riff.bin"), &bytes));
  ByteVector expected = Join({ByteVector{'R', 'I', 'F', 'F'}, U32(26), ByteVector{'T', 'E', 'S', 'T'},
                             List("abcd", {Chunk("data", {'x', 'y'})})});
  EXPECT_EQ(expected, bytes);

  // Nothing may grow past what a 32-bit position can reach.
  EXPECT_EQ(E_RIFF_WRITE, riff_AddToSize(&form, 0x7FFFFFF0u));
}

}  // namespace
