#include <cstdio>
#include <cstring>

#include "platform/file.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Where the first folder below the root begins: after "C:\", after the
// share of "\\server\share\", or after a leading separator.
size_t RootLength(const char* path) {
  size_t length = strlen(path);
  if (length >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    size_t i = 2;
    for (int parts = 0; parts < 2 && i < length; ++parts) {
      while (i < length && !IsSeparator(path[i])) ++i;
      if (i < length) ++i;
    }
    return i;
  }
  if (length >= 2 && path[1] == ':') return length >= 3 && IsSeparator(path[2]) ? 3 : 2;
  return length >= 1 && IsSeparator(path[0]) ? 1 : 0;
}

bool IsFolder(const char* path) {
  FileInfo info;
  return File_GetInfo(path, &info) == 0 && info.isFolder;
}

}  // namespace

bool File_IsFullPath(const char* path) {
  char drive = path[0];
  bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  if (letter && path[1] == ':' && IsSeparator(path[2])) return true;
  if (IsSeparator(path[0]) && IsSeparator(path[1])) return true;
#ifndef _WIN32
  if (IsSeparator(path[0])) return true;
#endif
  return false;
}

int32_t File_CreateFolderPath(const char* path) {
  constexpr size_t kMax = 1024;
  char partial[kMax];
  size_t length = strlen(path);
  while (length > 0 && IsSeparator(path[length - 1])) --length;
  if (length == 0 || length >= kMax) return StatusFromError(kErrorInvalidParameter);
  memcpy(partial, path, length);
  partial[length] = '\0';
  if (IsFolder(partial)) return 0;

  for (size_t i = RootLength(partial); i <= length; ++i) {
    if (i < length && !IsSeparator(partial[i])) continue;
    char saved = partial[i];
    partial[i] = '\0';
    int32_t status = File_CreateFolder(partial);
    if (status != 0 && !IsFolder(partial)) {
      return status;
    }
    partial[i] = saved;
  }
  return 0;
}

int32_t File_CreateBeside(const char* path, char* temporary, size_t size, FileHandle* out) {
  *out = nullptr;
  constexpr unsigned kAttempts = 100;  // as many as kLongestBesideSuffix allows
  int32_t status = StatusFromError(kErrorFileExists);
  for (unsigned attempt = 0; attempt < kAttempts; ++attempt) {
    int length = snprintf(temporary, size, "%s.%u.tmp", path, attempt);
    if (length < 0 || static_cast<size_t>(length) >= size) return StatusFromError(kErrorFilenameTooLong);
    status = File_Open(temporary, kFileRead | kFileWrite, kShareNone, FileCreate::CreateNew, 0, out);
    if (status == 0) return 0;
    if (status != StatusFromError(kErrorFileExists) && status != StatusFromError(kErrorAlreadyExists)) break;
  }
  return status;
}
