#include <windows.h>
#include <shlobj.h>

#include <new>

#include "platform/folders.h"
#include "platform/status.h"

int32_t Folder_GetLocalAppData(char* path, uint32_t size) {
  PWSTR wide = nullptr;
  HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &wide);
  if (FAILED(result)) {
    CoTaskMemFree(wide);
    return static_cast<int32_t>(result);
  }
  // The program's code page, as every other path it passes to the "A" calls.
  int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, path, static_cast<int>(size), nullptr, nullptr);
  CoTaskMemFree(wide);
  if (length <= 1) return StatusFromError(kErrorMoreData);
  --length;
  while (length > 3 && path[length - 1] == '\\') path[--length] = '\0';
  return 0;
}

int32_t Folder_ListFiles(const char* folder, size_t limit, std::vector<std::string>* names) {
  names->clear();
  std::string pattern;
  try {
    pattern = std::string(folder) + "\\*";
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : StatusFromError(static_cast<int32_t>(error));
  }
  int32_t status = 0;
  try {
    do {
      if (names->size() >= limit) break;
      if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT)) {
        continue;
      }
      names->push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
  } catch (const std::bad_alloc&) {
    status = E_OUTOFMEMORY;
  }
  FindClose(find);
  return status;
}
