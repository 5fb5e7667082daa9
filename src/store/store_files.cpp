#include "store/store_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/file.h"
#include "platform/text.h"
#include "store/store_layout.h"
#include "store/store_names.h"

namespace {

// Numbered names tried when the plain one belongs to another item.
constexpr unsigned kMaxFileNumber = 99;

// snprintf's result when the whole text fitted.
bool Fits(int length, size_t size) { return length >= 0 && static_cast<size_t>(length) < size; }

// The REG_SZ text of a value, or an empty text.
void ReadPathValue(RegKey key, const char* valueName, char* path, uint32_t size) {
  uint32_t type = 0;
  if (Reg_QueryText(key, valueName, path, size, &type) != 0 || type != kRegSz) path[0] = '\0';
}

// The folder of an item's file: DefLocation, a backslash, the safe form of
// the class key or chain key name.
int32_t FormFolder(RegKey storeKey, const char* folderKeyName, char* folder, size_t size) {
  char location[kDefLocationSize + 1];
  int32_t status = ReadDefLocation(storeKey, location, sizeof(location));
  if (status != 0) return status;
  size_t length = strlen(location);
  const char* separator = length > 0 && location[length - 1] == '\\' ? "" : "\\";
  char safe[kSafeNameSize];
  MakeSafeFolderName(folderKeyName, safe, sizeof(safe));
  return Fits(snprintf(folder, size, "%s%s%s", location, separator, safe), size) ? 0 : E_RIFF_WRITE;
}

// The file's path: named after the item, or numbered when a file of that
// name exists and is not the item's own (`currentPath`).
int32_t ChoosePath(const char* folder, const char* itemName, const char* extension, const char* currentPath,
                   char* path, size_t size) {
  char safe[kSafeNameSize];
  MakeSafeFileName(itemName, safe, sizeof(safe));
  if (!Fits(snprintf(path, size, "%s\\%s%s", folder, safe, extension), size)) return E_RIFF_WRITE;
  for (unsigned number = 2; File_Exists(path) && !Text_EqualNoCase(path, currentPath); ++number) {
    if (number > kMaxFileNumber) return E_RIFF_WRITE;
    char numbered[kSafeNameSize + 16];
    snprintf(numbered, sizeof(numbered), "%s (%u)", safe, number);
    if (!Fits(snprintf(path, size, "%s\\%s%s", folder, numbered, extension), size)) return E_RIFF_WRITE;
  }
  return 0;
}

bool WriteAll(const char* path, const void* data, uint32_t size) {
  ScopedFile file;
  if (File_Open(path, kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out()) != 0) return false;
  uint32_t done = 0;
  return File_Write(file.Get(), data, size, &done) == 0 && done == size && File_Flush(file.Get()) == 0;
}

// Writes the whole file beside its place, then moves it over the old one.
int32_t WriteFileInPlace(const char* path, const void* data, uint32_t size) {
  char temporary[kStorePathSize];
  if (!Fits(snprintf(temporary, sizeof(temporary), "%s.tmp", path), sizeof(temporary))) return E_RIFF_WRITE;
  if (!WriteAll(temporary, data, size) || File_Replace(temporary, path) != 0) {
    File_Delete(temporary);
    return E_RIFF_WRITE;
  }
  return 0;
}

// Gives a DefLocation to a store key that has none.
int32_t EnsureDefLocation(RegKey storeKey, const char* subfolder) {
  if (Reg_QueryValue(storeKey, kDefLocationValue, nullptr, nullptr, nullptr) != kErrorFileNotFound) return 0;
  char program[kStorePathSize];
  int32_t status = File_GetModulePath(program, sizeof(program));
  if (status != 0) return status;
  char* slash = strrchr(program, '\\');
  if (slash != nullptr) slash[1] = '\0';
  char location[kStorePathSize];
  if (!Fits(snprintf(location, sizeof(location), "%s%s", program, subfolder), sizeof(location))) return E_FAIL;
  return Reg_SetText(storeKey, kDefLocationValue, location, kRegExpandSz);
}

}  // namespace

int32_t CreateItemKey(const char* storePath, const char* subfolder, const char* itemKeyName, ScopedRegKey* storeKey,
                      ScopedRegKey* itemKey) {
  int32_t status = Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), storePath, RegAccess::All, storeKey->Out());
  if (status != 0) return status;
  // Only a failure to know the program's folder stops here: a registry
  // error leaves DefLocation missing, which stops only a preset file.
  status = EnsureDefLocation(storeKey->Get(), subfolder);
  if (StatusFailed(status)) return status;
  return Reg_CreateKey(storeKey->Get(), itemKeyName, RegAccess::All, itemKey->Out());
}

int32_t ReadDefLocation(RegKey storeKey, char* text, uint32_t size) {
  if (size == 0) return kErrorMoreData;
  uint32_t type = 0;
  // Room for 259 characters and a NUL, and one byte more to end a text
  // stored without its NUL.
  char raw[kDefLocationSize + 1] = {};
  uint32_t got = kDefLocationSize;
  int32_t status = Reg_QueryValue(storeKey, kDefLocationValue, &type, raw, &got);
  if (status != 0) return status;
  raw[got] = '\0';
  if (strlen(raw) >= kDefLocationSize || strlen(raw) >= size) return kErrorMoreData;
  Text_Copy(text, size, raw);
  return 0;
}

int32_t WriteItemValue(RegKey storeKey, RegKey itemKey, const char* folderKeyName, const char* valueName,
                       const char* itemName, const char* extension, const void* data, uint32_t size) {
  // A value owns the file it names: once it names another file or none,
  // the old file goes, as it would with the item. So an overwrite that is
  // undone leaves the folder as it found it.
  char current[kStorePathSize];
  ReadPathValue(itemKey, valueName, current, sizeof(current));
  if (size < kFileThreshold) {
    int32_t status = Reg_SetValue(itemKey, valueName, kRegBinary, data, size);
    if (status == 0 && File_IsFullPath(current)) File_Delete(current);
    return status;
  }
  char folder[kStorePathSize];
  int32_t status = FormFolder(storeKey, folderKeyName, folder, sizeof(folder));
  if (status != 0) return status;
  if (File_CreateFolderPath(folder) != 0) return E_RIFF_WRITE;
  char path[kStorePathSize];
  status = ChoosePath(folder, itemName, extension, current, path, sizeof(path));
  if (status == 0) status = WriteFileInPlace(path, data, size);
  if (status != 0) return status;
  status = Reg_SetText(itemKey, valueName, path);
  if (status == 0 && File_IsFullPath(current) && !Text_EqualNoCase(current, path)) File_Delete(current);
  return status;
}

void DeleteValueFile(RegKey key, const char* valueName) {
  uint32_t type = 0, size = 0;
  if (Reg_QueryValue(key, valueName, &type, nullptr, &size) != 0 || type != kRegSz) return;
  char* path = static_cast<char*>(calloc(size + 1u, 1));
  if (path == nullptr) return;
  // The value goes even when its file cannot.
  if (Reg_QueryText(key, valueName, path, size + 1u) == 0 && File_IsFullPath(path)) File_Delete(path);
  free(path);
}
