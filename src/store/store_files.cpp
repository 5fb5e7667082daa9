#include "store/store_files.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/file.h"
#include "platform/text.h"
#include "store/store_names.h"
#include "store/store_paths.h"

const StoreKey kDirectShowStore = {kDirectShowPresetsKey, kPresetsFolder};
const StoreKey kChainStore = {kChainsKey, kChainsFolder};
const StoreKey kEditorStore = {kEditorPresetsKey, nullptr};

namespace {

// Numbered names tried when the plain one belongs to another value.
constexpr unsigned kMaxFileNumber = 99;
// Characters of one file name, the platform's limit.
constexpr size_t kMaxNameUnits = 255;

RegKey User() { return Reg_Root(RegRoot::CurrentUser); }

// snprintf's result when the whole text fitted.
bool Fits(int length, size_t size) { return length >= 0 && static_cast<size_t>(length) < size; }

bool SamePath(const char* a, const char* b) {
  std::string keyA, keyB;
  return MakePathKey(a, &keyA) && MakePathKey(b, &keyB) && keyA == keyB;
}

// How many values name the file. Without the index, a file that exists
// counts as named by one.
uint32_t FileUsers(const SystemWrite* write, const char* path) {
  if (write->index != nullptr) return write->index->FileUsers(path);
  return File_Exists(path) ? 1 : 0;
}

bool FileHolds(const char* path, const void* data, uint32_t size) {
  FileInfo info;
  if (File_GetInfo(path, &info) != 0 || info.isFolder || info.size != size) return false;
  ScopedFile file;
  if (File_Open(path, kFileRead, kShareRead, FileCreate::OpenExisting, kFileHintSequential, file.Out()) != 0) {
    return false;
  }
  std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[size > 0 ? size : 1]);
  uint32_t done = 0;
  return bytes && File_Read(file.Get(), bytes.get(), size, &done) == 0 && done == size &&
         memcmp(bytes.get(), data, size) == 0;
}

bool WriteAll(const char* path, const void* data, uint32_t size) {
  ScopedFile file;
  if (File_Open(path, kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out()) != 0) return false;
  uint32_t done = 0;
  return File_Write(file.Get(), data, size, &done) == 0 && done == size && File_Flush(file.Get()) == 0;
}

int32_t FormTemporary(const char* path, char* temporary, size_t size) {
  return Fits(snprintf(temporary, size, "%s%s", path, kTemporarySuffix), size) ? 0 : E_RIFF_WRITE;
}

// Writes the whole file beside its place, then moves it there.
int32_t WriteFileInPlace(const char* path, const void* data, uint32_t size, StoreFailure* failure) {
  char temporary[kStorePathSize];
  if (FormTemporary(path, temporary, sizeof(temporary)) != 0 || !WriteAll(temporary, data, size) ||
      File_Replace(temporary, path) != 0) {
    File_Delete(temporary);
    return FailWith(failure, E_RIFF_WRITE, "the file %s could not be written", path);
  }
  return 0;
}

// Where DefLocation points when this program is the first to write into
// the store key: the program's folder and the store's subfolder.
int32_t FormProgramLocation(const StoreKey& store, char* location, size_t size, StoreFailure* failure) {
  char program[kStorePathSize];
  int32_t status = File_GetModulePath(program, sizeof(program));
  if (status != 0) return FailWith(failure, status, "the program's own folder could not be found");
  char* slash = strrchr(program, '\\');
  if (slash != nullptr) slash[1] = '\0';
  if (!Fits(snprintf(location, size, "%s%s", program, store.programSubfolder), size)) {
    return FailWith(failure, StatusFromError(kErrorFilenameTooLong), "the program's folder %s is too long", program);
  }
  return 0;
}

// Gives a store key that has none a DefLocation.
int32_t EnsureDefLocation(const StoreKey& store, RegKey storeKey, SystemWrite* write) {
  if (store.programSubfolder == nullptr) return 0;
  int32_t status = Reg_QueryValue(storeKey, kDefLocationValue, nullptr, nullptr, nullptr);
  if (status != kErrorFileNotFound) return 0;  // there, or unreadable: the file writes find out
  char location[kStorePathSize];
  status = FormProgramLocation(store, location, sizeof(location), write->failure);
  if (status != 0) return status;
  status = Reg_SetText(storeKey, kDefLocationValue, location, kRegExpandSz);
  if (status != 0) {
    char key[kStorePathSize];
    NameUserKey(store.path, key, sizeof(key));
    return FailWith(write->failure, StatusFromError(status), "DefLocation of %s could not be set", key);
  }
  return NoteDefLocationSet(write->trail, store.path);
}

// The folders this program writes files into: below either DefLocation.
bool IsBelowStoreFolders(const char* path) {
  for (const StoreKey* store : {&kDirectShowStore, &kChainStore}) {
    char location[kStorePathSize];
    if (ReadDefLocation(*store, location, sizeof(location), nullptr) == 0 && IsBelowFolder(path, location)) {
      return true;
    }
  }
  return false;
}

// A file name this value may take: no value names it, or only this value
// does, and the bytes the file holds now were read (an undo can write them
// back).
bool MayTake(const char* path, const char* current, bool currentRead, const SystemWrite* write) {
  uint32_t users = FileUsers(write, path);
  if (users == 0) return true;
  return users == 1 && currentRead && current[0] != '\0' && SamePath(path, current);
}

// The file's path below the item's folder: named `safe` (the item's name as
// FormItemPath made it), or numbered when another value names that file. A
// leftover file that no value names is replaced.
int32_t ChoosePath(const char* folder, const char* safe, const char* extension, const char* current,
                   bool currentRead, const SystemWrite* write, char* path, size_t size) {
  if (!Fits(snprintf(path, size, "%s\\%s%s", folder, safe, extension), size)) return E_RIFF_WRITE;
  for (unsigned number = 2; !MayTake(path, current, currentRead, write); ++number) {
    if (number > kMaxFileNumber) return E_RIFF_WRITE;
    if (!Fits(snprintf(path, size, "%s\\%s (%u)%s", folder, safe, number, extension), size)) return E_RIFF_WRITE;
  }
  return 0;
}

// Makes the item's folder when it is missing. DefLocation, its parent,
// mostly exists, so one call mostly does.
bool MakeFolder(const char* folder) {
  int32_t status = File_CreateFolder(folder);
  FileInfo info;
  if (status == 0 || (status == StatusFromError(kErrorAlreadyExists) && File_GetInfo(folder, &info) == 0 &&
                      info.isFolder)) {
    return true;
  }
  return File_CreateFolderPath(folder) == 0;
}

bool FolderOf(const char* path, char* folder, size_t size) {
  Text_Copy(folder, size, path);
  char* slash = strrchr(folder, '\\');
  if (slash == nullptr || slash == folder) return false;
  *slash = '\0';
  return true;
}

// The record's old file, named again: it holds the bytes, or the record
// has none to compare. Or, when it is gone and no value names it, written
// again where it was. Gives false to write the usual way.
bool NameOldFile(const ItemValue& item, SystemWrite* write, PreparedValue* prepared) {
  const char* old = write->file;
  if (old == nullptr || !File_IsFullPath(old)) return false;
  bool name = item.size == 0 || FileHolds(old, item.data, item.size);
  if (!name) {
    FileInfo info;
    char folder[kStorePathSize];
    name = File_GetInfo(old, &info) != 0 && FileUsers(write, old) == 0 && FolderOf(old, folder, sizeof(folder)) &&
           File_GetInfo(folder, &info) == 0 && info.isFolder && PathUnits(old) + 4 <= kMaxPathUnits &&
           WriteFileInPlace(old, item.data, item.size, nullptr) == 0;
    prepared->wroteFile = name;
  }
  if (name) Text_Copy(prepared->path, sizeof(prepared->path), old);
  return name;
}

}  // namespace

int32_t CreateItemKey(const StoreKey& store, const char* itemKeyName, ScopedRegKey* itemKey, SystemWrite* write) {
  ScopedRegKey storeKey;
  int32_t status = CreateUserKey(store.path, &storeKey, write->trail, write->failure);
  if (status == 0) status = EnsureDefLocation(store, storeKey.Get(), write);
  if (status == 0) status = CreateSubkey(storeKey.Get(), store.path, itemKeyName, itemKey, write->trail, write->failure);
  return status;
}

int32_t ReadDefLocation(const StoreKey& store, char* text, size_t size, StoreFailure* failure) {
  if (size > 0) text[0] = '\0';
  char key[kStorePathSize];
  NameUserKey(store.path, key, sizeof(key));
  ScopedRegKey storeKey;
  int32_t status = Reg_OpenKey(User(), store.path, RegAccess::Read, storeKey.Out());
  uint32_t type = 0;
  // Room for 259 characters and a NUL, and one byte more to end a text
  // stored without its NUL.
  char raw[kDefLocationSize + 1] = {};
  uint32_t got = kDefLocationSize;
  if (status == 0) status = Reg_QueryValue(storeKey.Get(), kDefLocationValue, &type, raw, &got);
  if (status == kErrorFileNotFound) {
    // The first write gives the store key the program's own.
    if (store.programSubfolder != nullptr) return FormProgramLocation(store, text, size, failure);
    return FailWith(failure, StatusFromError(status), "DefLocation of %s is missing", key);
  }
  if (status == 0) raw[got] = '\0';
  if (status == kErrorMoreData || (status == 0 && (strlen(raw) >= kDefLocationSize || strlen(raw) >= size))) {
    return FailWith(failure, StatusFromError(kErrorFilenameTooLong),
                    "DefLocation of %s is longer than %u characters", key, kDefLocationSize - 1);
  }
  if (status != 0) {
    return FailWith(failure, StatusFromError(status), "DefLocation of %s could not be read", key);
  }
  const char* problem = DefLocationProblem(raw);
  if (problem != nullptr) {
    return FailWith(failure, StatusFromError(kErrorInvalidName), "DefLocation of %s (\"%s\") %s", key, raw, problem);
  }
  Text_Copy(text, size, raw);
  return 0;
}

int32_t FormItemPath(const char* location, const char* folderKeyName, const char* itemName, const char* extension,
                     char* path, size_t size, StoreFailure* failure) {
  size_t length = strlen(location);
  const char* separator = length > 0 && location[length - 1] == '\\' ? "" : "\\";
  char folder[kSafeNameSize], file[kSafeNameSize];
  MakeSafeFolderName(folderKeyName, folder, sizeof(folder));
  MakeSafeFileName(itemName, file, sizeof(file));
  // A name too long for a file is shortened, by whole characters, until the
  // path of a numbered file and the temporary beside it fit; the number
  // keeps two such names apart, and the value keeps the whole name.
  char longest[kStorePathSize];
  size_t fileLength = strlen(file);
  while (fileLength > 0 &&
         (!Fits(snprintf(longest, sizeof(longest), "%s%s%s\\%s (%u)%s%s", location, separator, folder, file,
                         kMaxFileNumber, extension, kTemporarySuffix),
                sizeof(longest)) ||
          PathUnits(longest) > kMaxPathUnits || PathUnits(strrchr(longest, '\\') + 1) > kMaxNameUnits)) {
    fileLength = Text_CutLength(file, fileLength - 1);
    // A blank or dot the file system would drop does not end the name.
    while (fileLength > 0 && (file[fileLength - 1] == ' ' || file[fileLength - 1] == '.')) --fileLength;
    file[fileLength] = '\0';
  }
  char temporary[kStorePathSize];
  if (file[0] == '\0' ||
      !Fits(snprintf(path, size, "%s%s%s\\%s%s", location, separator, folder, file, extension), size) ||
      FormTemporary(path, temporary, sizeof(temporary)) != 0 || PathUnits(temporary) > kMaxPathUnits) {
    MakeSafeFileName(itemName, file, sizeof(file));
    return FailWith(failure, StatusFromError(kErrorFilenameTooLong),
                    "the path of its file, %s%s%s\\%s%s, would be longer than %u characters", location, separator,
                    folder, file, extension, static_cast<unsigned>(kMaxPathUnits - strlen(kTemporarySuffix)));
  }
  return 0;
}

void ReadValueFile(RegKey key, const char* valueName, char* path, size_t size) {
  path[0] = '\0';
  // One call for the usual path; a longer text is read again whole.
  char text[kStorePathSize];
  uint32_t type = 0, bytes = sizeof(text) - 1;
  int32_t status = Reg_QueryValue(key, valueName, &type, text, &bytes);
  if (type != kRegSz || (status != 0 && status != kErrorMoreData)) return;
  std::unique_ptr<char[]> longer;
  const char* found = text;
  if (status == 0) {
    text[bytes] = '\0';
  } else {
    longer.reset(new (std::nothrow) char[bytes + 1u]);
    if (!longer || Reg_QueryText(key, valueName, longer.get(), bytes + 1u) != 0) return;
    found = longer.get();
  }
  if (File_IsFullPath(found)) Text_Copy(path, size, found);
}

int32_t PrepareItemValue(RegKey itemKey, const ItemValue& item, SystemWrite* write, PreparedValue* prepared) {
  ReadValueFile(itemKey, item.valueName, prepared->current, sizeof(prepared->current));
  prepared->currentRead = IsKnownRead(prepared->current, item.knownFile, item.knownRead);
  if (NameOldFile(item, write, prepared)) return 0;
  if (item.alwaysInline || item.size < kFileThreshold) return 0;

  char location[kStorePathSize], path[kStorePathSize];
  int32_t status = ReadDefLocation(*item.store, location, sizeof(location), write->failure);
  if (status == 0) {
    status = FormItemPath(location, item.folderKeyName, item.itemName, item.extension, path, sizeof(path),
                          write->failure);
  }
  if (status != 0) return status;
  char folder[kStorePathSize];
  FolderOf(path, folder, sizeof(folder));
  if (!MakeFolder(folder)) {
    return FailWith(write->failure, E_RIFF_WRITE, "the folder %s could not be created", folder);
  }
  // The file name as formed, which a long item name has shortened.
  char safe[kSafeNameSize];
  Text_Copy(safe, sizeof(safe), path + strlen(folder) + 1);
  safe[strlen(safe) - strlen(item.extension)] = '\0';
  status = ChoosePath(folder, safe, item.extension, prepared->current, prepared->currentRead, write, prepared->path,
                      sizeof(prepared->path));
  if (status != 0) {
    return FailWith(write->failure, status, "no free file name could be found in %s", folder);
  }
  if (prepared->current[0] != '\0' && SamePath(prepared->path, prepared->current)) {
    // The value's own file: its new bytes wait beside it until the value
    // is known to take them.
    if (FormTemporary(prepared->path, prepared->temporary, sizeof(prepared->temporary)) != 0 ||
        !WriteAll(prepared->temporary, item.data, item.size)) {
      File_Delete(prepared->temporary);
      prepared->temporary[0] = '\0';
      return FailWith(write->failure, E_RIFF_WRITE, "the file %s could not be written", prepared->path);
    }
    return 0;
  }
  status = WriteFileInPlace(prepared->path, item.data, item.size, write->failure);
  if (status == 0) prepared->wroteFile = true;
  return status;
}

void DropPreparedValue(PreparedValue* prepared) {
  if (prepared->temporary[0] != '\0') File_Delete(prepared->temporary);
  if (prepared->wroteFile) File_Delete(prepared->path);
  *prepared = PreparedValue{};
}

int32_t SetItemValue(RegKey itemKey, const ItemValue& item, PreparedValue* prepared, SystemWrite* write) {
  int32_t status = prepared->path[0] != '\0'
                       ? Reg_SetText(itemKey, item.valueName, prepared->path)
                       : Reg_SetValue(itemKey, item.valueName, kRegBinary, item.data, item.size);
  if (status != 0) {
    DropPreparedValue(prepared);
    char key[kStorePathSize];
    NameUserKey(item.itemPath, key, sizeof(key));
    return FailWith(write->failure, StatusFromError(status), "the value \"%s\" of %s could not be set",
                    item.valueName, key);
  }
  if (prepared->temporary[0] != '\0' && File_Replace(prepared->temporary, prepared->path) != 0) {
    // The value names its file as before, and the file holds its old bytes.
    File_Delete(prepared->temporary);
    return FailWith(write->failure, E_RIFF_WRITE, "the file %s could not be written", prepared->path);
  }
  Text_Copy(write->written, sizeof(write->written), prepared->path);
  const char* old = prepared->current;
  if (old[0] != '\0' && (prepared->path[0] == '\0' || !SamePath(old, prepared->path))) {
    SystemWrite replacing = *write;
    replacing.replacing = true;
    DeleteNamedFile(old, prepared->currentRead, &replacing);
  }
  return 0;
}

bool IsKnownRead(const char* current, const char* knownFile, bool knownRead) {
  return knownRead && knownFile != nullptr && current[0] != '\0' && SamePath(current, knownFile);
}

void DeleteNamedFile(const char* file, bool read, const SystemWrite* write) {
  if (!read || write->index == nullptr || write->index->FileUsers(file) > 1 || !IsPlainFile(file)) return;
  if (write->replacing && !IsBelowStoreFolders(file)) return;
  File_Delete(file);
}
