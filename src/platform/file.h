// The file seam. Paths are Windows paths; the native build maps "\" to "/".
// Every call gives 0 or a negative status made from the platform's error
// code (StatusFromError), so callers can tell "not found" (2), "path not
// found" (3), "access denied" (5) and "sharing violation" (32) apart.
// Natively the sharing modes are enforced between the handles of this
// process, as Windows enforces them between all handles.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/status.h"
#include "platform/unique_handle.h"

constexpr uint32_t kFileRead = 0x1;
constexpr uint32_t kFileWrite = 0x2;

constexpr uint32_t kShareNone = 0x0;
constexpr uint32_t kShareRead = 0x1;
constexpr uint32_t kShareWrite = 0x2;
constexpr uint32_t kShareDelete = 0x4;

constexpr uint32_t kFileHintSequential = 0x1;

enum class FileCreate { OpenExisting, CreateAlways, CreateNew, OpenAlways };
enum class FileOrigin { Begin, Current, End };

struct FileRecord;
using FileHandle = FileRecord*;  // an open file; null means none

struct FileInfo {
  bool isFolder;
  bool readOnly;
  uint64_t size;
  uint64_t lastWriteTime;  // 100-ns ticks, as precise as the file system keeps them
};

// Opens or creates a plain file; a folder, a pipe or a device is refused
// (access denied) without waiting for it.
int32_t File_Open(const char* path, uint32_t access, uint32_t share, FileCreate how, uint32_t hints,
                  FileHandle* out);
void File_Close(FileHandle file);

// Reads or writes up to `size` bytes; `*done` tells how many. A read at the
// end of the file succeeds with 0 bytes.
int32_t File_Read(FileHandle file, void* buffer, uint32_t size, uint32_t* done);
int32_t File_Write(FileHandle file, const void* buffer, uint32_t size, uint32_t* done);
int32_t File_Seek(FileHandle file, int64_t distance, FileOrigin origin, uint64_t* position);
int32_t File_GetSize(FileHandle file, uint64_t* size);
int32_t File_Flush(FileHandle file);

int32_t File_GetInfo(const char* path, FileInfo* info);
int32_t File_Delete(const char* path);
// Moves a file, replacing an existing target in one step.
int32_t File_Replace(const char* from, const char* to);
int32_t File_SetReadOnly(const char* path, bool readOnly);

// What tells a file apart from every other, whatever path reaches it: the
// volume and the file's number on it (on Windows and Wine the volume serial
// number and file index of an open handle; natively device and inode).
struct FileIdentity {
  uint64_t volume;
  uint64_t index;
  uint32_t links;  // how many names the file has in its file system
  bool isFolder;
};

inline bool File_SameFile(const FileIdentity& a, const FileIdentity& b) {
  return a.volume == b.volume && a.index == b.index;
}

// The identity of the file or folder a path reaches, links followed. Only
// disk files and folders have one: a device or a pipe is refused (access
// denied) without being opened for reading or writing.
int32_t File_GetIdentity(const char* path, FileIdentity* identity);

// Whether the last name of `path` is itself a link (a symbolic link, a
// junction or another reparse point) rather than the file or folder it
// reaches. Only that name is looked at, not the folders above it.
int32_t File_IsLink(const char* path, bool* link);

// Creates one folder; an existing one gives the "already exists" status.
int32_t File_CreateFolder(const char* path);
// Removes an empty folder.
int32_t File_RemoveFolder(const char* path);
// Creates a folder and every missing folder above it; existing ones are fine.
int32_t File_CreateFolderPath(const char* path);

// Creates a file beside `path`, named "<path>.<n>.tmp" after the first
// number that no existing name (nor link) has, opened for reading and
// writing and shared with no one; gives its name in `temporary`. Nothing
// that exists is opened or replaced.
int32_t File_CreateBeside(const char* path, char* temporary, size_t size, FileHandle* out);
// The longest ending File_CreateBeside gives a name, for length checks.
constexpr const char* kLongestBesideSuffix = ".99.tmp";

// The full long path of the running program.
int32_t File_GetModulePath(char* path, uint32_t size);
// A folder for temporary files, ending in a backslash.
int32_t File_GetTempFolder(char* path, uint32_t size);

// True for a path that names its file whatever the current folder is:
// "X:\..." or "\\server\share\..." (and natively "/...").
bool File_IsFullPath(const char* path);

inline bool File_Exists(const char* path) {
  FileInfo info;
  return File_GetInfo(path, &info) == 0;
}

// Owns an open file and closes it when it goes out of scope.
struct FileTraits {
  using Handle = FileHandle;
  static Handle Empty() { return nullptr; }
  static void Close(Handle file) { File_Close(file); }
};
// An open file, closed when it goes out of scope.
using ScopedFile = UniqueHandle<FileTraits>;
