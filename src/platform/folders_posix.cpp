#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/folders.h"
#include "platform/status.h"

namespace {

std::string Native(const char* path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

int32_t FromErrno(int error) {
  switch (error) {
    case ENOENT: return StatusFromError(kErrorPathNotFound);
    case EACCES:
    case EPERM: return StatusFromError(kErrorAccessDenied);
    case ENOTDIR: return StatusFromError(kErrorPathNotFound);
    default: return E_FAIL;
  }
}

}  // namespace

int32_t Folder_GetLocalAppData(char* path, uint32_t size) {
  const char* folder = getenv("LOCALAPPDATA");
  if (folder == nullptr || *folder == '\0') return StatusFromError(kErrorPathNotFound);
  std::string windows(folder);
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  while (windows.size() > 1 && windows.back() == '\\') windows.pop_back();
  if (windows.size() + 1 > size) return StatusFromError(kErrorMoreData);
  memcpy(path, windows.c_str(), windows.size() + 1);
  return 0;
}

int32_t Folder_ListFiles(const char* folder, size_t limit, std::vector<std::string>* names) {
  names->clear();
  std::string native = Native(folder);
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) return FromErrno(errno);
  int32_t status = 0;
  try {
    while (dirent* entry = readdir(dir)) {
      if (names->size() >= limit) break;
      std::string full = native + "/" + entry->d_name;
      struct stat st;
      if (stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      names->push_back(entry->d_name);
    }
  } catch (const std::bad_alloc&) {
    status = E_OUTOFMEMORY;
  }
  closedir(dir);
  return status;
}
