// What every caller of the file seam relies on, checked against POSIX files
// natively and Windows files under Wine.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstring>
#include <string>
#include <vector>

#include "platform/file.h"
#include "support/host_link.h"
#include "support/temp_folder.h"
#include "support/wine_host.h"

namespace {

int32_t OpenFile(const std::string& path, uint32_t access, uint32_t share, FileCreate how, ScopedFile* file) {
  return File_Open(path.c_str(), access, share, how, 0, file->Out());
}

class FileContract : public ::testing::Test {
 protected:
  TempFolder temp_;
};

TEST_F(FileContract, WrittenBytesReadBackWithSeeksFromEachOrigin) {
  std::string path = temp_.Join("data.bin");
  ScopedFile file;
  ASSERT_EQ(0, OpenFile(path, kFileRead | kFileWrite, kShareNone, FileCreate::CreateAlways, &file));
  uint32_t done = 0;
  ASSERT_EQ(0, File_Write(file.Get(), "0123456789", 10, &done));
  EXPECT_EQ(10u, done);

  uint64_t position = 0;
  ASSERT_EQ(0, File_Seek(file.Get(), 2, FileOrigin::Begin, &position));
  EXPECT_EQ(2u, position);
  ASSERT_EQ(0, File_Seek(file.Get(), 3, FileOrigin::Current, &position));
  EXPECT_EQ(5u, position);
  char buffer[8] = {};
  ASSERT_EQ(0, File_Read(file.Get(), buffer, 3, &done));
  EXPECT_EQ(0, memcmp(buffer, "567", 3));
  ASSERT_EQ(0, File_Seek(file.Get(), -2, FileOrigin::End, &position));
  EXPECT_EQ(8u, position);
  // A read that runs into the end gives what there is; at the end, nothing.
  ASSERT_EQ(0, File_Read(file.Get(), buffer, 8, &done));
  EXPECT_EQ(2u, done);
  ASSERT_EQ(0, File_Read(file.Get(), buffer, 8, &done));
  EXPECT_EQ(0u, done);
  EXPECT_LT(File_Seek(file.Get(), -20, FileOrigin::Current, &position), 0);

  uint64_t size = 0;
  ASSERT_EQ(0, File_GetSize(file.Get(), &size));
  EXPECT_EQ(10u, size);
  EXPECT_EQ(0, File_Flush(file.Get()));
  file.Reset();

  FileInfo info;
  ASSERT_EQ(0, File_GetInfo(path.c_str(), &info));
  EXPECT_FALSE(info.isFolder);
  EXPECT_FALSE(info.readOnly);
  EXPECT_EQ(10u, info.size);
  EXPECT_NE(0u, info.lastWriteTime);
}

// A file opened only to be read in sequence is read through a window; its
// reads and seeks must give exactly what direct reads give, across the
// window's edges and past the end.
TEST_F(FileContract, ASequentialReaderSeesTheSameBytesAsADirectOne) {
  std::string path = temp_.Join("big.bin");
  std::vector<unsigned char> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 31 + i / 977);
  ASSERT_TRUE(WriteWholeFile(path, bytes));
  ScopedFile direct, sequential;
  ASSERT_EQ(0, OpenFile(path, kFileRead, kShareRead, FileCreate::OpenExisting, &direct));
  ASSERT_EQ(0, File_Open(path.c_str(), kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential,
                         sequential.Out()));
  struct Step {
    int64_t seek;
    FileOrigin origin;
    uint32_t read;
  };
  const Step steps[] = {{0, FileOrigin::Current, 8},      {60000, FileOrigin::Current, 12000},
                        {-4, FileOrigin::Current, 8},     {65530, FileOrigin::Begin, 20},
                        {-100, FileOrigin::End, 400},     {10, FileOrigin::Begin, 150000},
                        {-3, FileOrigin::Current, 70000}, {5, FileOrigin::End, 4}};
  for (const Step& step : steps) {
    uint64_t at = 0, atToo = 0;
    ASSERT_EQ(0, File_Seek(direct.Get(), step.seek, step.origin, &at));
    ASSERT_EQ(0, File_Seek(sequential.Get(), step.seek, step.origin, &atToo));
    ASSERT_EQ(at, atToo);
    std::vector<unsigned char> one(step.read), other(step.read);
    uint32_t got = 0, gotToo = 0;
    ASSERT_EQ(0, File_Read(direct.Get(), one.data(), step.read, &got));
    ASSERT_EQ(0, File_Read(sequential.Get(), other.data(), step.read, &gotToo));
    ASSERT_EQ(got, gotToo) << "at " << at;
    EXPECT_EQ(0, memcmp(one.data(), other.data(), got)) << "at " << at;
  }
  uint64_t position = 0;
  EXPECT_LT(File_Seek(sequential.Get(), -1, FileOrigin::Begin, &position), 0);
  ASSERT_EQ(0, File_Seek(sequential.Get(), 0, FileOrigin::Current, &position));
  EXPECT_EQ(bytes.size() + 5, position);  // the refused seek did not move it
}

// Opening a pipe waits for a writer and opening a device may disturb it:
// the seam refuses both at once.
TEST_F(FileContract, PipesAndDevicesAreRefusedWithoutWaiting) {
  ScopedFile file;
#ifdef _WIN32
  for (const char* device : {"NUL", "\\\\.\\pipe\\ordalis-contract"}) {
    EXPECT_LT(File_Open(device, kFileRead, kShareRead, FileCreate::OpenExisting, 0, file.Out()), 0) << device;
  }
#else
  std::string pipe = temp_.Join("pipe"), native = pipe;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  ASSERT_EQ(0, mkfifo(native.c_str(), 0600));
  EXPECT_EQ(StatusFromError(kErrorAccessDenied),
            File_Open(pipe.c_str(), kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()));
#endif
  EXPECT_FALSE(file);
}

TEST_F(FileContract, MissingFilesAndFoldersHaveTheirOwnStatuses) {
  ScopedFile file;
  EXPECT_EQ(StatusFromError(kErrorFileNotFound),
            OpenFile(temp_.Join("absent.bin"), kFileRead, kShareRead, FileCreate::OpenExisting, &file));
  EXPECT_EQ(StatusFromError(kErrorPathNotFound),
            OpenFile(temp_.Join("no-folder\\x.bin"), kFileWrite, kShareNone, FileCreate::CreateAlways, &file));
  EXPECT_EQ(nullptr, file.Get());
  FileInfo info;
  EXPECT_EQ(StatusFromError(kErrorFileNotFound), File_GetInfo(temp_.Join("absent.bin").c_str(), &info));
  EXPECT_FALSE(File_Exists(temp_.Join("absent.bin").c_str()));
  EXPECT_EQ(StatusFromError(kErrorFileNotFound), File_Delete(temp_.Join("absent.bin").c_str()));

  ASSERT_TRUE(WriteWholeFile(temp_.Join("present.bin"), Bytes("x")));
  EXPECT_EQ(StatusFromError(kErrorFileExists),
            OpenFile(temp_.Join("present.bin"), kFileWrite, kShareNone, FileCreate::CreateNew, &file));
}

TEST_F(FileContract, SharingModesDecideWhoElseMayOpenAFile) {
  std::string path = temp_.Join("shared.bin");
  ASSERT_TRUE(WriteWholeFile(path, Bytes("abc")));
  const int32_t violation = StatusFromError(kErrorSharingViolation);

  {  // Readers that share with readers: more readers, no writer.
    ScopedFile first, second, writer;
    ASSERT_EQ(0, OpenFile(path, kFileRead, kShareRead, FileCreate::OpenExisting, &first));
    EXPECT_EQ(0, OpenFile(path, kFileRead, kShareRead, FileCreate::OpenExisting, &second));
    EXPECT_EQ(violation, OpenFile(path, kFileWrite, kShareRead | kShareWrite, FileCreate::OpenExisting, &writer));
  }
  {  // A file shared with nobody: nobody else.
    ScopedFile owner, other;
    ASSERT_EQ(0, OpenFile(path, kFileRead | kFileWrite, kShareNone, FileCreate::OpenExisting, &owner));
    EXPECT_EQ(violation, OpenFile(path, kFileRead, kShareRead | kShareWrite, FileCreate::OpenExisting, &other));
    EXPECT_EQ(violation, File_Delete(path.c_str()));
  }
  {  // A writer that shares reading: a reader must share writing to join.
    ScopedFile writer, plainReader, tolerantReader;
    ASSERT_EQ(0, OpenFile(path, kFileWrite, kShareRead, FileCreate::OpenExisting, &writer));
    EXPECT_EQ(violation, OpenFile(path, kFileRead, kShareRead, FileCreate::OpenExisting, &plainReader));
    EXPECT_EQ(0, OpenFile(path, kFileRead, kShareRead | kShareWrite, FileCreate::OpenExisting, &tolerantReader));
  }
  EXPECT_EQ(0, File_Delete(path.c_str()));
}

TEST_F(FileContract, AReadOnlyFileIsReportedAndRefusesWritesThroughAReadHandle) {
  std::string path = temp_.Join("locked.bin");
  ASSERT_TRUE(WriteWholeFile(path, Bytes("abc")));
  ASSERT_EQ(0, File_SetReadOnly(path.c_str(), true));
  FileInfo info;
  ASSERT_EQ(0, File_GetInfo(path.c_str(), &info));
  EXPECT_TRUE(info.readOnly);

  ScopedFile file;
  EXPECT_EQ(0, OpenFile(path, kFileRead, kShareRead, FileCreate::OpenExisting, &file));
  uint32_t done = 0;
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), File_Write(file.Get(), "x", 1, &done));
  file.Reset();

  ASSERT_EQ(0, File_SetReadOnly(path.c_str(), false));
  ASSERT_EQ(0, File_GetInfo(path.c_str(), &info));
  EXPECT_FALSE(info.readOnly);
  EXPECT_EQ(0, File_Delete(path.c_str()));
}

TEST_F(FileContract, AReadOnlyFileCannotBeOpenedForWritingNorDeleted) {
  if (RunsUnderWineAsRoot()) GTEST_SKIP() << "Wine run by root does not enforce the read-only attribute";
  std::string path = temp_.Join("locked.bin");
  ASSERT_TRUE(WriteWholeFile(path, Bytes("abc")));
  ASSERT_EQ(0, File_SetReadOnly(path.c_str(), true));
  ScopedFile file;
  EXPECT_EQ(StatusFromError(kErrorAccessDenied),
            OpenFile(path, kFileWrite, kShareNone, FileCreate::OpenExisting, &file));
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), File_Delete(path.c_str()));
  EXPECT_TRUE(File_Exists(path.c_str()));
  ASSERT_EQ(0, File_SetReadOnly(path.c_str(), false));
}

TEST_F(FileContract, FoldersAreCreatedWithEveryMissingParent) {
  std::string deep = temp_.Join("a\\b\\c");
  EXPECT_EQ(0, File_CreateFolderPath(deep.c_str()));
  EXPECT_EQ(0, File_CreateFolderPath((deep + "\\").c_str()));
  FileInfo info;
  ASSERT_EQ(0, File_GetInfo(deep.c_str(), &info));
  EXPECT_TRUE(info.isFolder);
  EXPECT_EQ(StatusFromError(kErrorAlreadyExists), File_CreateFolder(deep.c_str()));

  ASSERT_TRUE(WriteWholeFile(deep + "\\f.bin", Bytes("x")));
  EXPECT_EQ(StatusFromError(kErrorDirNotEmpty), File_RemoveFolder(deep.c_str()));
  ASSERT_EQ(0, File_Delete((deep + "\\f.bin").c_str()));
  EXPECT_EQ(0, File_RemoveFolder(deep.c_str()));
  // A file in the way of a folder is a failure, not a folder.
  ASSERT_TRUE(WriteWholeFile(temp_.Join("plain"), Bytes("x")));
  EXPECT_LT(File_CreateFolderPath(temp_.Join("plain\\sub").c_str()), 0);
}

TEST_F(FileContract, ReplaceMovesAFileOverAnotherInOneStep) {
  std::string target = temp_.Join("target.bin"), fresh = temp_.Join("fresh.tmp");
  ASSERT_TRUE(WriteWholeFile(target, Bytes("old contents")));
  ASSERT_TRUE(WriteWholeFile(fresh, Bytes("new")));
  ASSERT_EQ(0, File_Replace(fresh.c_str(), target.c_str()));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(target, &bytes));
  EXPECT_EQ(Bytes("new"), bytes);
  EXPECT_FALSE(File_Exists(fresh.c_str()));

  // Onto a file that another handle holds without sharing deletion: refused,
  // and both files stay as they were.
  ASSERT_TRUE(WriteWholeFile(fresh, Bytes("newer")));
  {
    ScopedFile holder;
    ASSERT_EQ(0, OpenFile(target, kFileRead, kShareRead, FileCreate::OpenExisting, &holder));
    EXPECT_LT(File_Replace(fresh.c_str(), target.c_str()), 0);
  }
  ASSERT_TRUE(ReadWholeFile(target, &bytes));
  EXPECT_EQ(Bytes("new"), bytes);
  EXPECT_TRUE(File_Exists(fresh.c_str()));
}

TEST_F(FileContract, NamesCarryAnyCharacterInUtf8) {
  std::string path = temp_.Join("Pr\xC3\xA9set \xE5\xA3\xB0 \xF0\x9F\x8E\xB5.dxp");
  ASSERT_TRUE(WriteWholeFile(path, Bytes("utf")));
  std::vector<unsigned char> bytes;
  ASSERT_TRUE(ReadWholeFile(path, &bytes));
  EXPECT_EQ(Bytes("utf"), bytes);
}

FileIdentity IdentityOf(const std::string& path) {
  FileIdentity identity = {};
  EXPECT_EQ(0, File_GetIdentity(path.c_str(), &identity)) << path;
  return identity;
}

bool IsLink(const std::string& path) {
  bool link = false;
  EXPECT_EQ(0, File_IsLink(path.c_str(), &link)) << path;
  return link;
}

// Two values may name one file by any spelling the file system takes; only
// the file itself tells that they do.
TEST_F(FileContract, OneFileHasOneIdentityByEverySpellingAndName) {
  ASSERT_EQ(0, File_CreateFolder(temp_.Join("sub").c_str()));
  std::string path = temp_.Join("sub\\Long Preset Name.dxp"), other = temp_.Join("sub\\Other.dxp");
  ASSERT_TRUE(WriteWholeFile(path, Bytes("one")));
  ASSERT_TRUE(WriteWholeFile(other, Bytes("one")));
  FileIdentity identity = IdentityOf(path);
  EXPECT_FALSE(identity.isFolder);
  EXPECT_EQ(1u, identity.links);
  EXPECT_FALSE(File_SameFile(identity, IdentityOf(other)));  // the same bytes make no same file
  EXPECT_FALSE(File_SameFile(identity, IdentityOf(temp_.Join("sub"))));
  EXPECT_TRUE(IdentityOf(temp_.Join("sub")).isFolder);

  for (int which = 0; which < kSpellingCount; ++which) {
    std::string spelling = OtherSpellings(path, which);
    EXPECT_TRUE(File_SameFile(identity, IdentityOf(spelling))) << spelling;
    EXPECT_FALSE(IsLink(spelling)) << spelling;
  }
  EXPECT_TRUE(File_SameFile(identity, IdentityOf(temp_.Join("sub\\..\\sub\\Long Preset Name.dxp"))));

  // A second name: the same file, not a link, and counted.
  ASSERT_TRUE(MakeHardLink(path, temp_.Join("second.dxp")));
  EXPECT_TRUE(File_SameFile(identity, IdentityOf(temp_.Join("second.dxp"))));
  EXPECT_FALSE(IsLink(temp_.Join("second.dxp")));
  EXPECT_EQ(2u, IdentityOf(path).links);

  FileIdentity missing;
  EXPECT_EQ(StatusFromError(kErrorFileNotFound), File_GetIdentity(temp_.Join("absent.dxp").c_str(), &missing));
}

// A link reaches another file than its name says: the identity is the
// target's, and the link is told apart from a plain name, whether it leads
// to a file or a folder, and whether or not its target still exists.
TEST_F(FileContract, LinksAreSeenAsLinksAndTheirIdentityIsTheTargets) {
  if (!CanMakeSymbolicLinks()) GTEST_SKIP() << "symbolic links cannot be made here yet";
  ASSERT_EQ(0, File_CreateFolder(temp_.Join("outside").c_str()));
  ASSERT_EQ(0, File_CreateFolder(temp_.Join("store").c_str()));
  std::string target = temp_.Join("outside\\target.dxp"), near = temp_.Join("store\\near.dxp");
  ASSERT_TRUE(WriteWholeFile(target, Bytes("theirs")));
  ASSERT_TRUE(WriteWholeFile(near, Bytes("ours")));
  std::string fileLink = temp_.Join("store\\link.dxp"), folderLink = temp_.Join("store\\folder");
  std::string sideways = temp_.Join("store\\sideways.dxp");
  ASSERT_TRUE(MakeSymbolicLink(target, fileLink));
  ASSERT_TRUE(MakeSymbolicLink(temp_.Join("outside"), folderLink));
  ASSERT_TRUE(MakeSymbolicLink(near, sideways));  // a link to a file in its own folder

  EXPECT_TRUE(IsLink(fileLink));
  EXPECT_TRUE(IsLink(folderLink));
  EXPECT_TRUE(IsLink(folderLink + "\\"));
  EXPECT_TRUE(IsLink(sideways));
  EXPECT_FALSE(IsLink(target));
  EXPECT_FALSE(IsLink(near));
  EXPECT_FALSE(IsLink(temp_.Join("store")));
  // Only the last name is looked at: a file reached through a linked folder
  // is not itself a link.
  EXPECT_FALSE(IsLink(folderLink + "\\target.dxp"));

  FileIdentity identity = IdentityOf(target);
  EXPECT_TRUE(File_SameFile(identity, IdentityOf(fileLink)));
  EXPECT_TRUE(File_SameFile(identity, IdentityOf(folderLink + "\\target.dxp")));
  EXPECT_TRUE(File_SameFile(IdentityOf(near), IdentityOf(sideways)));
  EXPECT_TRUE(IdentityOf(folderLink).isFolder);

  bool link = false;
  EXPECT_LT(File_IsLink(temp_.Join("store\\absent.dxp").c_str(), &link), 0);
}

TEST_F(FileContract, DevicesAndPipesHaveNoIdentity) {
  FileIdentity identity;
#ifdef _WIN32
  for (const char* device : {"NUL", "\\\\.\\NUL", "CON"}) {
    EXPECT_LT(File_GetIdentity(device, &identity), 0) << device;
  }
#else
  std::string pipe = temp_.Join("pipe"), native = pipe;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  ASSERT_EQ(0, mkfifo(native.c_str(), 0600));
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), File_GetIdentity(pipe.c_str(), &identity));
  EXPECT_EQ(StatusFromError(kErrorAccessDenied), File_GetIdentity("/dev/null", &identity));
#endif
}

TEST_F(FileContract, TheProgramKnowsItsOwnPath) {
  char path[1024];
  ASSERT_EQ(0, File_GetModulePath(path, sizeof(path)));
  EXPECT_NE(nullptr, strstr(path, "platform_tests"));
  EXPECT_NE(nullptr, strchr(path, '\\'));
  EXPECT_TRUE(File_Exists(path));
  char tiny[4];
  EXPECT_LT(File_GetModulePath(tiny, sizeof(tiny)), 0);
}

}  // namespace

namespace {

TEST(FilePaths, OnlyPathsThatNameOneFileAreFull) {
  EXPECT_TRUE(File_IsFullPath("C:\\Presets\\a.dxp"));
  EXPECT_TRUE(File_IsFullPath("z:/a.dxp"));
  EXPECT_TRUE(File_IsFullPath("\\\\server\\share\\a.dxp"));
  for (const char* relative : {"a.dxp", "..\\a.dxp", "C:a.dxp", "", ".\\x"}) {
    EXPECT_FALSE(File_IsFullPath(relative)) << relative;
  }
  TempFolder temp;
  EXPECT_TRUE(File_IsFullPath(temp.Path().c_str()));
}

}  // namespace
