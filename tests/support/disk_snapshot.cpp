#include "support/disk_snapshot.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/registry.h"
#include "store/store_layout.h"
#include "support/temp_folder.h"

namespace {

std::string Hash(const unsigned char* bytes, size_t size) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ull;
  char text[48];
  snprintf(text, sizeof(text), "%zu bytes %016llx", size, static_cast<unsigned long long>(hash));
  return text;
}

void DescribeKey(RegKey key, const std::string& path, std::string* out) {
  *out += "key " + path + "\n";
  // Windows promises no order of values, so they are sorted here.
  std::vector<std::string> values;
  for (uint32_t i = 0;; ++i) {
    char name[1024];
    uint32_t nameSize = sizeof(name), type = 0, dataSize = 0;
    if (Reg_EnumValue(key, i, name, &nameSize, &type, nullptr, &dataSize) != 0) break;
    std::vector<unsigned char> data(dataSize + 1u);
    uint32_t got = dataSize;
    Reg_QueryValue(key, name, &type, data.data(), &got);
    values.push_back("  value " + std::string(name) + " type " + std::to_string(type) + " " + Hash(data.data(), got));
  }
  std::sort(values.begin(), values.end());
  for (const std::string& value : values) *out += value + "\n";
  for (uint32_t i = 0;; ++i) {
    char name[1024];
    uint32_t nameSize = sizeof(name);
    if (Reg_EnumKey(key, i, name, &nameSize) != 0) break;
    ScopedRegKey sub;
    if (Reg_OpenKey(key, name, RegAccess::Read, sub.Out()) == 0) DescribeKey(sub.Get(), path + "\\" + name, out);
  }
}

std::filesystem::path NativePath(std::string path) {
#ifdef _WIN32
  return std::filesystem::u8path(path);
#else
  std::replace(path.begin(), path.end(), '\\', '/');
  return std::filesystem::path(path);
#endif
}

}  // namespace

std::string DescribeStoreOnDisk(const std::string& folder) {
  std::string out;
  for (const char* root : {kDirectShowPresetsKey, kEditorPresetsKey}) {
    ScopedRegKey key;
    if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), root, RegAccess::Read, key.Out()) == 0) {
      DescribeKey(key.Get(), root, &out);
    }
  }
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& item : std::filesystem::recursive_directory_iterator(NativePath(folder), error)) {
    if (!item.is_regular_file()) continue;
    std::string name = item.path().lexically_relative(NativePath(folder)).generic_string();
    std::vector<unsigned char> bytes;
    ReadWholeFile(folder + "\\" + name, &bytes);
    files.push_back("file " + name + " " + Hash(bytes.data(), bytes.size()));
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) out += file + "\n";
  return out;
}
