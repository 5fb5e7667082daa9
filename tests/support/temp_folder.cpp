#include "support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "platform/file.h"

namespace {

std::filesystem::path ToNative(const std::string& path) {
#ifdef _WIN32
  return std::filesystem::u8path(path);
#else
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(native);
#endif
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  char base[1024];
  if (File_GetTempFolder(base, sizeof(base)) != 0) base[0] = '\0';
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  char name[96];
  snprintf(name, sizeof(name), "ordalis-test-%llx-%u", static_cast<unsigned long long>(ticks), counter++);
  path_ = std::string(base) + name;
  File_CreateFolderPath(path_.c_str());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(ToNative(path_), ignored);
}

std::string TempFolder::Join(const std::string& name) const { return path_ + "\\" + name; }

bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  ScopedFile file;
  if (File_Open(path.c_str(), kFileWrite, kShareNone, FileCreate::CreateAlways, 0, file.Out()) != 0) return false;
  uint32_t done = 0;
  return File_Write(file.Get(), bytes.data(), static_cast<uint32_t>(bytes.size()), &done) == 0 &&
         done == bytes.size();
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
  ScopedFile file;
  if (File_Open(path.c_str(), kFileRead, kShareRead, FileCreate::OpenExisting, 0, file.Out()) != 0) return false;
  uint64_t size = 0;
  if (File_GetSize(file.Get(), &size) != 0) return false;
  bytes->assign(static_cast<size_t>(size), 0);
  uint32_t done = 0;
  return File_Read(file.Get(), bytes->data(), static_cast<uint32_t>(size), &done) == 0 && done == size;
}

std::vector<unsigned char> Bytes(const std::string& text) { return std::vector<unsigned char>(text.begin(), text.end()); }
