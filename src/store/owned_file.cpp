#include "store/owned_file.h"

#include <cstdio>
#include <cstring>

#include "platform/file.h"
#include "store/store_files.h"
#include "store/store_names.h"
#include "store/system_index.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The last name of a path, or null when it has none a folder could hold.
const char* LastName(const char* path) {
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (IsSeparator(*c)) name = c + 1;
  }
  if (name[0] == '\0' || strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return nullptr;
  return name;
}

bool IsLinkOrUnknown(const char* path) {
  bool link = true;
  return File_IsLink(path, &link) != 0 || link;
}

}  // namespace

bool FindItemFolder(const StoreKey& store, const char* folderKeyName, char* folder, size_t size) {
  if (store.programSubfolder == nullptr) return false;  // a store without folders of its own
  char location[kStorePathSize];
  if (ReadDefLocation(store, location, sizeof(location), nullptr) != 0) return false;
  char safe[kSafeNameSize];
  MakeSafeFolderName(folderKeyName, safe, sizeof(safe));
  size_t length = strlen(location);
  const char* separator = length > 0 && IsSeparator(location[length - 1]) ? "" : "\\";
  int written = snprintf(folder, size, "%s%s%s", location, separator, safe);
  if (written < 0 || static_cast<size_t>(written) >= size) return false;
  FileIdentity identity;
  return File_GetIdentity(folder, &identity) == 0 && identity.isFolder && !IsLinkOrUnknown(folder);
}

bool IsSameFile(const char* a, const char* b) {
  FileIdentity one, other;
  return File_GetIdentity(a, &one) == 0 && File_GetIdentity(b, &other) == 0 && File_SameFile(one, other);
}

bool MayReplaceName(const char* path) {
  bool link = true;
  int32_t status = File_IsLink(path, &link);
  if (status == StatusFromError(kErrorFileNotFound)) return true;
  if (status != 0 || link) return false;
  FileIdentity identity;
  return File_GetIdentity(path, &identity) == 0 && !identity.isFolder && identity.links == 1;
}

bool OwnsItemFile(const StoreKey& store, const char* folderKeyName, const char* file, const SystemIndex* index,
                  char* own, size_t size) {
  const char* name = LastName(file);
  char folder[kStorePathSize];
  if (index == nullptr || name == nullptr || !FindItemFolder(store, folderKeyName, folder, sizeof(folder))) {
    return false;
  }
  int written = snprintf(own, size, "%s\\%s", folder, name);
  if (written < 0 || static_cast<size_t>(written) >= size) return false;
  // The name in the item's folder must be the file itself, whatever spelling
  // or link the value reaches it by, and no other value may name it.
  bool link = true;
  FileIdentity identity;
  return File_IsLink(own, &link) == 0 && !link && File_GetIdentity(own, &identity) == 0 && !identity.isFolder &&
         identity.links == 1 && IsSameFile(own, file) && index->FileUsers(own) <= 1;
}
