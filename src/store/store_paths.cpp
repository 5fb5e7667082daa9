#include "store/store_paths.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/file.h"
#include "platform/text.h"
#include "store/store_names.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The root ("C:", "\\server\share", or natively "/") and the folder and file
// names below it, resolved as the file system resolves them.
struct PathParts {
  std::string root;
  std::vector<std::string> names;
};

bool Split(const char* path, PathParts* parts) {
  try {
    const char* p = path;
    if (IsSeparator(p[0]) && IsSeparator(p[1])) {
      // "\\server\share": both belong to the root.
      parts->root = "\\\\";
      p += 2;
      for (int part = 0; part < 2 && *p != '\0'; ++part) {
        const char* end = p;
        while (*end != '\0' && !IsSeparator(*end)) ++end;
        parts->root.append(p, end);
        parts->root += '\\';
        p = *end != '\0' ? end + 1 : end;
      }
    } else if (p[0] != '\0' && p[1] == ':') {
      parts->root.assign(p, 2);
      p += 2;
    }
    while (*p != '\0') {
      while (IsSeparator(*p)) ++p;
      const char* end = p;
      while (*end != '\0' && !IsSeparator(*end)) ++end;
      std::string name(p, end);
      p = end;
      if (name.empty() || name == ".") continue;
      if (name == "..") {
        if (!parts->names.empty()) parts->names.pop_back();
        continue;
      }
      while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
      if (!name.empty()) parts->names.push_back(std::move(name));
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Letter case folded: ASCII by hand, anything else by the platform's key.
bool AppendFolded(const std::string& text, std::string* key) {
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    for (char c : text) *key += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return true;
  }
  unsigned char folded[4096];
  size_t length = Text_SortKey(text.c_str(), true, folded, sizeof(folded));
  if (length == 0) return false;
  *key += '\x01';
  key->append(reinterpret_cast<const char*>(folded), length);
  return true;
}

}  // namespace

bool MakePathKey(const char* path, std::string* key) {
  PathParts parts;
  if (!Split(path, &parts)) return false;
  try {
    key->clear();
    if (!AppendFolded(parts.root, key)) return false;
    for (const std::string& name : parts.names) {
      *key += '\\';
      if (!AppendFolded(name, key)) return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool IsBelowFolder(const char* path, const char* folder) {
  PathParts file, below;
  if (!Split(path, &file) || !Split(folder, &below)) return false;
  if (!Text_EqualNoCase(file.root.c_str(), below.root.c_str()) || file.names.size() <= below.names.size()) {
    return false;
  }
  for (size_t i = 0; i < below.names.size(); ++i) {
    if (!Text_EqualNoCase(file.names[i].c_str(), below.names[i].c_str())) return false;
  }
  return true;
}

size_t PathUnits(const char* path) {
  char16_t wide[4096];
  size_t units = Text_ToUtf16(path, wide, sizeof(wide) / sizeof(wide[0]));
  return units + 1 < sizeof(wide) / sizeof(wide[0]) ? units : SIZE_MAX;
}

bool IsPlainFile(const char* path) {
  // "\\.\" and "\\?\" reach devices and raw names.
  if (IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == '.' || path[2] == '?')) return false;
  const char* name = path;
  for (const char* c = path; *c != '\0'; ++c) {
    if (IsSeparator(*c)) name = c + 1;
  }
  if (IsDeviceName(name)) return false;
  FileInfo info;
  return File_GetInfo(path, &info) == 0 && !info.isFolder;
}

const char* DefLocationProblem(const char* location) {
  if (location[0] == '\0') return "is empty";
  if (!File_IsFullPath(location)) return "is not an absolute folder path";
  // "\\?\" before a drive or share path is only another spelling; the
  // device namespace and anything else after it reach devices.
  const char* path = location;
  char share[4096];
  if (IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == '.' || path[2] == '?') && IsSeparator(path[3])) {
    if (path[2] == '.') return "names a device, not a folder";
    path += 4;
    bool unc = (path[0] | 0x20) == 'u' && (path[1] | 0x20) == 'n' && (path[2] | 0x20) == 'c';
    if (unc && IsSeparator(path[3])) {
      snprintf(share, sizeof(share), "\\%s", path + 3);  // "\\server\share..."
      path = share;
    } else if (!File_IsFullPath(path) || IsSeparator(path[0])) {
      return "names a device, not a folder";
    }
  }
  PathParts parts;
  if (!Split(path, &parts)) return "could not be checked";
  if (parts.names.empty()) {
    return IsSeparator(path[0]) && IsSeparator(path[1]) ? "is the root of a share, not a folder of its own"
                                                        : "is the root of a drive, not a folder of its own";
  }
  for (const std::string& name : parts.names) {
    if (IsDeviceName(name.c_str())) return "names a device, not a folder";
  }
  const char* open = strchr(location, '%');
  if (open != nullptr) {
    const char* close = strchr(open + 1, '%');
    if (close != nullptr && close > open + 1 && strcspn(open + 1, "\\/") > static_cast<size_t>(close - open - 1)) {
      return "holds an unexpanded environment variable";
    }
  }
  return nullptr;
}
