// The file seam over POSIX calls. Windows paths are mapped ("\" to "/"), the
// read-only attribute is the owner's missing write permission, and sharing
// modes are enforced between this process's handles the way Windows
// enforces them, so the same callers see the same failures on both.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "platform/change_fault.h"
#include "platform/file.h"
#include "platform/read_ahead.h"

struct FileRecord {
  int fd;
  dev_t device;
  ino_t inode;
  uint32_t access;
  uint32_t share;
  std::unique_ptr<ReadAhead> readAhead;  // files opened only to be read in sequence
};

namespace {

std::mutex g_openLock;
std::vector<FileRecord*> g_open;  // every handle of this process, for the sharing rules

std::string Native(const char* path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string Windows(const char* path) {
  std::string windows(path);
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

bool ParentExists(const std::string& native) {
  size_t slash = native.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return true;
  struct stat st;
  return stat(native.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int32_t FromErrno(int error, const std::string& native) {
  switch (error) {
    case 0: return 0;
    case ENOENT: return StatusFromError(ParentExists(native) ? kErrorFileNotFound : kErrorPathNotFound);
    case ENOTDIR: return StatusFromError(kErrorPathNotFound);
    case EACCES:
    case EPERM:
    case EISDIR:
    case EBADF:
    case EROFS: return StatusFromError(kErrorAccessDenied);
    case EEXIST: return StatusFromError(kErrorFileExists);
    case ENOTEMPTY: return StatusFromError(kErrorDirNotEmpty);
    case ENOSPC: return StatusFromError(kErrorDiskFull);
    case EINVAL: return StatusFromError(kErrorInvalidParameter);
    case ENOMEM: return E_OUTOFMEMORY;
    default: return StatusFromError(31);  // a device failure
  }
}

bool IsReadOnly(const struct stat& st) { return !S_ISDIR(st.st_mode) && (st.st_mode & S_IWUSR) == 0; }

// True when an open with `access` and `share` may coexist with `other`.
bool Compatible(uint32_t access, uint32_t share, const FileRecord& other) {
  if ((access & kFileRead) && !(other.share & kShareRead)) return false;
  if ((access & kFileWrite) && !(other.share & kShareWrite)) return false;
  if ((other.access & kFileRead) && !(share & kShareRead)) return false;
  if ((other.access & kFileWrite) && !(share & kShareWrite)) return false;
  return true;
}

// True when every handle of the file at `st` allows `access`/`share`.
bool SharingAllows(const struct stat& st, uint32_t access, uint32_t share) {
  for (const FileRecord* open : g_open) {
    if (open->device == st.st_dev && open->inode == st.st_ino && !Compatible(access, share, *open)) return false;
  }
  return true;
}

bool DeleteAllowed(const struct stat& st) {
  for (const FileRecord* open : g_open) {
    if (open->device == st.st_dev && open->inode == st.st_ino && !(open->share & kShareDelete)) return false;
  }
  return true;
}

// pread, whole or up to the end of the file.
int32_t ReadAt(void* handle, uint64_t offset, void* buffer, uint32_t size, uint32_t* done) {
  FileRecord* file = static_cast<FileRecord*>(handle);
  *done = 0;
  char* at = static_cast<char*>(buffer);
  while (*done < size) {
    ssize_t got = pread(file->fd, at + *done, size - *done, static_cast<off_t>(offset + *done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, "");
    }
    if (got == 0) break;
    *done += static_cast<uint32_t>(got);
  }
  return 0;
}

}  // namespace

int32_t File_Open(const char* path, uint32_t access, uint32_t share, FileCreate how, uint32_t hints,
                  FileHandle* out) {
  *out = nullptr;
  if ((access & kFileWrite || how != FileCreate::OpenExisting) && !ChangeFault_Allow()) {
    return StatusFromError(kErrorAccessDenied);
  }
  std::string native = Native(path);
  std::lock_guard<std::mutex> lock(g_openLock);

  struct stat st;
  bool exists = stat(native.c_str(), &st) == 0;
  if (exists) {
    // Only plain files: opening a pipe or a device could block the program
    // or disturb the device.
    if (!S_ISREG(st.st_mode)) return StatusFromError(kErrorAccessDenied);
    if (how == FileCreate::CreateNew) return StatusFromError(kErrorFileExists);
    if ((access & kFileWrite) && IsReadOnly(st)) return StatusFromError(kErrorAccessDenied);
    if (how == FileCreate::CreateAlways && IsReadOnly(st)) return StatusFromError(kErrorAccessDenied);
    if (!SharingAllows(st, access, share)) return StatusFromError(kErrorSharingViolation);
  } else if (how == FileCreate::OpenExisting) {
    return FromErrno(ENOENT, native);
  }

  int flags = O_CLOEXEC;
  if ((access & kFileRead) && (access & kFileWrite)) {
    flags |= O_RDWR;
  } else if (access & kFileWrite) {
    flags |= O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  switch (how) {
    case FileCreate::OpenExisting: break;
    case FileCreate::CreateAlways: flags |= O_CREAT | O_TRUNC; break;
    case FileCreate::CreateNew: flags |= O_CREAT | O_EXCL; break;
    case FileCreate::OpenAlways: flags |= O_CREAT; break;
  }
  // O_TRUNC needs a writable descriptor; CREATE_ALWAYS truncates whatever the access.
  if ((flags & O_TRUNC) && !(access & kFileWrite)) {
    int truncating = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (truncating < 0) return FromErrno(errno, native);
    close(truncating);
    flags &= ~(O_CREAT | O_TRUNC);
  }
  int fd = open(native.c_str(), flags, 0666);
  if (fd < 0) return FromErrno(errno, native);
  if (fstat(fd, &st) != 0) {
    int error = errno;
    close(fd);
    return FromErrno(error, native);
  }
  FileRecord* record = new FileRecord{fd, st.st_dev, st.st_ino, access, share, nullptr};
  if (access == kFileRead && (hints & kFileHintSequential)) record->readAhead = ReadAhead::Create();
  g_open.push_back(record);
  *out = record;
  return 0;
}

void File_Close(FileHandle file) {
  if (file == nullptr) return;
  std::lock_guard<std::mutex> lock(g_openLock);
  for (size_t i = 0; i < g_open.size(); ++i) {
    if (g_open[i] == file) {
      g_open.erase(g_open.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  close(file->fd);
  delete file;
}

int32_t File_Read(FileHandle file, void* buffer, uint32_t size, uint32_t* done) {
  *done = 0;
  if (!(file->access & kFileRead)) return StatusFromError(kErrorAccessDenied);
  if (file->readAhead) return file->readAhead->Read(ReadAt, file, buffer, size, done);
  char* at = static_cast<char*>(buffer);
  while (*done < size) {
    ssize_t got = read(file->fd, at + *done, size - *done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, "");
    }
    if (got == 0) break;
    *done += static_cast<uint32_t>(got);
  }
  return 0;
}

int32_t File_Write(FileHandle file, const void* buffer, uint32_t size, uint32_t* done) {
  *done = 0;
  if (!(file->access & kFileWrite)) return StatusFromError(kErrorAccessDenied);
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  const char* at = static_cast<const char*>(buffer);
  while (*done < size) {
    ssize_t put = write(file->fd, at + *done, size - *done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, "");
    }
    *done += static_cast<uint32_t>(put);
  }
  return 0;
}

int32_t File_Seek(FileHandle file, int64_t distance, FileOrigin origin, uint64_t* position) {
  if (file->readAhead) {
    uint64_t size = 0;
    int32_t status = origin == FileOrigin::End ? File_GetSize(file, &size) : 0;
    if (status != 0) return status;
    return file->readAhead->Seek(distance, origin, size, position);
  }
  int whence = origin == FileOrigin::Begin ? SEEK_SET : origin == FileOrigin::Current ? SEEK_CUR : SEEK_END;
  off_t result = lseek(file->fd, static_cast<off_t>(distance), whence);
  if (result < 0) {
    // lseek refuses a position before the start without moving, as Windows does.
    return errno == EINVAL ? StatusFromError(kErrorNegativeSeek) : FromErrno(errno, "");
  }
  if (position != nullptr) *position = static_cast<uint64_t>(result);
  return 0;
}

int32_t File_GetSize(FileHandle file, uint64_t* size) {
  struct stat st;
  if (fstat(file->fd, &st) != 0) return FromErrno(errno, "");
  *size = static_cast<uint64_t>(st.st_size);
  return 0;
}

int32_t File_Flush(FileHandle file) { return fsync(file->fd) == 0 ? 0 : FromErrno(errno, ""); }

int32_t File_GetInfo(const char* path, FileInfo* info) {
  std::string native = Native(path);
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return FromErrno(errno, native);
  info->isFolder = S_ISDIR(st.st_mode);
  info->readOnly = IsReadOnly(st);
  info->size = info->isFolder ? 0 : static_cast<uint64_t>(st.st_size);
  // 100-ns ticks, like a FILETIME (the epoch does not matter to callers).
  info->lastWriteTime = static_cast<uint64_t>(st.st_mtim.tv_sec) * 10000000u +
                        static_cast<uint64_t>(st.st_mtim.tv_nsec) / 100u;
  return 0;
}

int32_t File_Delete(const char* path) {
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  std::string native = Native(path);
  std::lock_guard<std::mutex> lock(g_openLock);
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return FromErrno(errno, native);
  if (S_ISDIR(st.st_mode) || IsReadOnly(st)) return StatusFromError(kErrorAccessDenied);
  if (!DeleteAllowed(st)) return StatusFromError(kErrorSharingViolation);
  return unlink(native.c_str()) == 0 ? 0 : FromErrno(errno, native);
}

int32_t File_Replace(const char* from, const char* to) {
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  std::string source = Native(from), target = Native(to);
  std::lock_guard<std::mutex> lock(g_openLock);
  struct stat st;
  if (stat(source.c_str(), &st) != 0) return FromErrno(errno, source);
  if (!DeleteAllowed(st)) return StatusFromError(kErrorSharingViolation);
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode) || IsReadOnly(st)) return StatusFromError(kErrorAccessDenied);
    if (!DeleteAllowed(st)) return StatusFromError(kErrorSharingViolation);
  }
  if (rename(source.c_str(), target.c_str()) != 0) return FromErrno(errno, target);
  // The rename is durable only once its folder is.
  size_t slash = target.find_last_of('/');
  int folder = open(slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash).c_str(),
                    O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return 0;
}

int32_t File_SetReadOnly(const char* path, bool readOnly) {
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  std::string native = Native(path);
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return FromErrno(errno, native);
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return chmod(native.c_str(), mode) == 0 ? 0 : FromErrno(errno, native);
}

int32_t File_CreateFolder(const char* path) {
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  std::string native = Native(path);
  if (mkdir(native.c_str(), 0777) == 0) return 0;
  if (errno == EEXIST) return StatusFromError(kErrorAlreadyExists);
  return FromErrno(errno, native);
}

int32_t File_RemoveFolder(const char* path) {
  if (!ChangeFault_Allow()) return StatusFromError(kErrorAccessDenied);
  std::string native = Native(path);
  return rmdir(native.c_str()) == 0 ? 0 : FromErrno(errno, native);
}

int32_t File_GetModulePath(char* path, uint32_t size) {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
  if (length < 0) return FromErrno(errno, "");
  buffer[length] = '\0';
  std::string windows = Windows(buffer);
  if (windows.size() + 1 > size) return StatusFromError(kErrorMoreData);
  memcpy(path, windows.c_str(), windows.size() + 1);
  return 0;
}

int32_t File_GetTempFolder(char* path, uint32_t size) {
  const char* tmp = getenv("TMPDIR");
  std::string windows = Windows(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
  if (windows.empty() || windows.back() != '\\') windows += '\\';
  if (windows.size() + 1 > size) return StatusFromError(kErrorMoreData);
  memcpy(path, windows.c_str(), windows.size() + 1);
  return 0;
}
