// The file seam over the Win32 file calls ("A" forms: paths in the process's
// code page).
#include <windows.h>

#include <cstring>
#include <new>

#include "platform/file.h"
#include "platform/read_ahead.h"

struct FileRecord {
  HANDLE handle;
  std::unique_ptr<ReadAhead> readAhead;  // files opened only to be read in sequence
};

namespace {

HANDLE H(FileHandle file) { return file->handle; }

int32_t LastError() { return StatusFromError(GetLastError()); }

// ReadFile at an offset, whole or up to the end of the file.
int32_t ReadAt(void* handle, uint64_t offset, void* buffer, uint32_t size, uint32_t* done) {
  FileRecord* file = static_cast<FileRecord*>(handle);
  *done = 0;
  while (*done < size) {
    OVERLAPPED at = {};
    uint64_t where = offset + *done;
    at.Offset = static_cast<DWORD>(where);
    at.OffsetHigh = static_cast<DWORD>(where >> 32);
    DWORD got = 0;
    if (!ReadFile(file->handle, static_cast<char*>(buffer) + *done, size - *done, &got, &at)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return LastError();
    }
    if (got == 0) break;
    *done += got;
  }
  return 0;
}

}  // namespace

int32_t File_Open(const char* path, uint32_t access, uint32_t share, FileCreate how, uint32_t hints,
                  FileHandle* out) {
  *out = nullptr;
  DWORD desired = 0;
  if (access & kFileRead) desired |= GENERIC_READ;
  if (access & kFileWrite) desired |= GENERIC_WRITE;
  DWORD shareMode = 0;
  if (share & kShareRead) shareMode |= FILE_SHARE_READ;
  if (share & kShareWrite) shareMode |= FILE_SHARE_WRITE;
  if (share & kShareDelete) shareMode |= FILE_SHARE_DELETE;
  DWORD disposition = OPEN_EXISTING;
  switch (how) {
    case FileCreate::OpenExisting: disposition = OPEN_EXISTING; break;
    case FileCreate::CreateAlways: disposition = CREATE_ALWAYS; break;
    case FileCreate::CreateNew: disposition = CREATE_NEW; break;
    case FileCreate::OpenAlways: disposition = OPEN_ALWAYS; break;
  }
  DWORD flags = FILE_ATTRIBUTE_NORMAL;
  if (hints & kFileHintSequential) flags |= FILE_FLAG_SEQUENTIAL_SCAN;
  // Only plain files: opening a pipe or a device could block the program or
  // disturb the device, so the device namespace is refused unopened and
  // anything else that turns out not to be a disk file is closed again.
  if (strncmp(path, "\\\\.\\", 4) == 0) return StatusFromError(kErrorAccessDenied);
  HANDLE handle = CreateFileA(path, desired, shareMode, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return StatusFromError(kErrorAccessDenied);
  }
  FileRecord* record = new (std::nothrow) FileRecord{handle, nullptr};
  if (record == nullptr) {
    CloseHandle(handle);
    return E_OUTOFMEMORY;
  }
  if (access == kFileRead && (hints & kFileHintSequential)) record->readAhead = ReadAhead::Create();
  *out = record;
  return 0;
}

void File_Close(FileHandle file) {
  if (file == nullptr) return;
  CloseHandle(file->handle);
  delete file;
}

int32_t File_Read(FileHandle file, void* buffer, uint32_t size, uint32_t* done) {
  if (file->readAhead) return file->readAhead->Read(ReadAt, file, buffer, size, done);
  DWORD got = 0;
  BOOL ok = ReadFile(H(file), buffer, size, &got, nullptr);
  *done = got;
  return ok ? 0 : LastError();
}

int32_t File_Write(FileHandle file, const void* buffer, uint32_t size, uint32_t* done) {
  DWORD put = 0;
  BOOL ok = WriteFile(H(file), buffer, size, &put, nullptr);
  *done = put;
  return ok ? 0 : LastError();
}

int32_t File_Seek(FileHandle file, int64_t distance, FileOrigin origin, uint64_t* position) {
  if (file->readAhead) {
    uint64_t size = 0;
    int32_t status = origin == FileOrigin::End ? File_GetSize(file, &size) : 0;
    if (status != 0) return status;
    return file->readAhead->Seek(distance, origin, size, position);
  }
  LARGE_INTEGER move;
  move.QuadPart = distance;
  LARGE_INTEGER now;
  DWORD method = origin == FileOrigin::Begin ? FILE_BEGIN : origin == FileOrigin::Current ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(H(file), move, &now, method)) return LastError();
  if (position != nullptr) *position = static_cast<uint64_t>(now.QuadPart);
  return 0;
}

int32_t File_GetSize(FileHandle file, uint64_t* size) {
  LARGE_INTEGER value;
  if (!GetFileSizeEx(H(file), &value)) return LastError();
  *size = static_cast<uint64_t>(value.QuadPart);
  return 0;
}

int32_t File_Flush(FileHandle file) { return FlushFileBuffers(H(file)) ? 0 : LastError(); }

int32_t File_GetInfo(const char* path, FileInfo* info) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return LastError();
  info->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info->readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  info->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info->lastWriteTime =
      (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return 0;
}

int32_t File_Delete(const char* path) { return DeleteFileA(path) ? 0 : LastError(); }

int32_t File_Replace(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : LastError();
}

int32_t File_SetReadOnly(const char* path, bool readOnly) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesA(path, attributes) ? 0 : LastError();
}

int32_t File_CreateFolder(const char* path) { return CreateDirectoryA(path, nullptr) ? 0 : LastError(); }

int32_t File_RemoveFolder(const char* path) { return RemoveDirectoryA(path) ? 0 : LastError(); }

int32_t File_GetModulePath(char* path, uint32_t size) {
  char shortPath[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, shortPath, sizeof(shortPath));
  if (length == 0 || length >= sizeof(shortPath)) return StatusFromError(kErrorMoreData);
  DWORD longLength = GetLongPathNameA(shortPath, path, size);
  if (longLength == 0) {
    if (length >= size) return StatusFromError(kErrorMoreData);
    memcpy(path, shortPath, length + 1);
    return 0;
  }
  return longLength < size ? 0 : StatusFromError(kErrorMoreData);
}

int32_t File_GetTempFolder(char* path, uint32_t size) {
  DWORD length = GetTempPathA(size, path);
  if (length == 0) return LastError();
  return length < size ? 0 : StatusFromError(kErrorMoreData);
}

namespace {

// Opens a file or folder only to ask about it; a device or a pipe is
// refused (the device namespace without being opened at all).
int32_t OpenToQuery(const char* path, HANDLE* out) {
  *out = INVALID_HANDLE_VALUE;
  if (strncmp(path, "\\\\.\\", 4) == 0) return StatusFromError(kErrorAccessDenied);
  HANDLE handle = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    return StatusFromError(kErrorAccessDenied);
  }
  *out = handle;
  return 0;
}

// The path the file system itself gives the file or folder, links resolved.
int32_t FinalPath(const char* path, char* final, DWORD size) {
  HANDLE handle;
  int32_t status = OpenToQuery(path, &handle);
  if (status != 0) return status;
  DWORD length = GetFinalPathNameByHandleA(handle, final, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  status = length == 0 ? LastError() : length >= size ? StatusFromError(kErrorMoreData) : 0;
  CloseHandle(handle);
  return status;
}

}  // namespace

int32_t File_GetIdentity(const char* path, FileIdentity* identity) {
  HANDLE handle;
  int32_t status = OpenToQuery(path, &handle);
  if (status != 0) return status;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) {
    status = LastError();
  } else {
    identity->volume = info.dwVolumeSerialNumber;
    identity->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity->links = info.nNumberOfLinks;
    identity->isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  CloseHandle(handle);
  return status;
}

int32_t File_IsLink(const char* path, bool* link) {
  char own[MAX_PATH * 4];
  size_t length = strlen(path);
  while (length > 3 && (path[length - 1] == '\\' || path[length - 1] == '/')) --length;
  if (length >= sizeof(own)) return StatusFromError(kErrorFilenameTooLong);
  memcpy(own, path, length);
  own[length] = '\0';
  DWORD attributes = GetFileAttributesA(own);
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  *link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  if (*link) return 0;
  // Wine shows a symbolic link made on the Unix side to a file as a plain
  // file. Its final path then is not the final path of the folder it is in
  // followed by its own name.
  char* slash = strrchr(own, '\\');
  char* forward = strrchr(own, '/');
  if (forward != nullptr && (slash == nullptr || forward > slash)) slash = forward;
  if (slash == nullptr || slash[1] == '\0') return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(own, &found);
  if (search == INVALID_HANDLE_VALUE) return LastError();
  FindClose(search);
  char final[MAX_PATH * 4], folderFinal[MAX_PATH * 4];
  int32_t status = FinalPath(own, final, sizeof(final));
  if (status != 0) return status;
  char saved = slash[1];
  slash[1] = '\0';  // the folder with its separator, so that a root stays a root
  status = FinalPath(own, folderFinal, sizeof(folderFinal));
  slash[1] = saved;
  if (status != 0) return status;
  size_t folderLength = strlen(folderFinal);
  if (folderLength > 0 && folderFinal[folderLength - 1] == '\\') folderFinal[--folderLength] = '\0';
  *link = strncmp(final, folderFinal, folderLength) != 0 || final[folderLength] != '\\' ||
          lstrcmpiA(final + folderLength + 1, found.cFileName) != 0;
  return 0;
}
