#include "store/unreadable_files.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "platform/file.h"
#include "platform/status.h"
#include "platform/text.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsWith(const char* text, const char* start) { return strncmp(text, start, strlen(start)) == 0; }

// The device names the system keeps in every folder.
bool IsDeviceName(const char* name, size_t length) {
  static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  char upper[8];
  if (length == 0 || length >= sizeof(upper)) return false;
  for (size_t i = 0; i < length; ++i) upper[i] = static_cast<char>(toupper(static_cast<unsigned char>(name[i])));
  upper[length] = '\0';
  for (const char* device : kNames) {
    if (strcmp(upper, device) == 0) return true;
  }
  return length == 4 && (StartsWith(upper, "COM") || StartsWith(upper, "LPT")) && upper[3] >= '0' && upper[3] <= '9';
}

void Say(char* reason, size_t size, const char* text) { Text_Copy(reason, size, text); }

}  // namespace

bool IsDevicePath(const char* path) {
  if (StartsWith(path, "\\\\.\\") || StartsWith(path, "//./")) return true;
  const char* last = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (IsSeparator(*c) || *c == ':') last = c + 1;
  }
  // "NUL", "nul.txt" and "NUL  " all name the device.
  size_t length = strcspn(last, ". ");
  return IsDeviceName(last, length);
}

void DescribeUnreadableFile(const char* path, int32_t status, char* reason, size_t size) {
  if (path == nullptr || path[0] == '\0') return Say(reason, size, "its value names no file");
  if (!File_IsFullPath(path)) return Say(reason, size, "its file is named by a relative path");
  if (IsDevicePath(path)) return Say(reason, size, "its file names a device, not a file");
  bool network = IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != '?';
  FileInfo info = {};
  if (File_GetInfo(path, &info) != 0) {
    return Say(reason, size, network ? "its file is on a network path that could not be reached" : "its file is missing");
  }
  if (info.isFolder) return Say(reason, size, "its file is a folder");
  if (info.size == 0) return Say(reason, size, "its file is empty");
  if (status == E_OUTOFMEMORY) {
    char text[128];
    snprintf(text, sizeof(text), "its file (%llu bytes) is too large to read into memory",
             static_cast<unsigned long long>(info.size));
    return Say(reason, size, text);
  }
  ScopedFile file;
  int32_t opened = File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, 0, file.Out());
  if (opened == StatusFromError(kErrorSharingViolation)) return Say(reason, size, "its file is in use by another program");
  if (opened == StatusFromError(kErrorAccessDenied)) {
    return Say(reason, size, "its file may not be read, or is not a plain file");
  }
  Say(reason, size, "its file could not be read");
}
