// A folder of the test's own under the temporary folder, removed with
// everything in it when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path in the program's (Windows) form, without a trailing backslash.
  const std::string& Path() const { return path_; }
  // Path() + "\" + name.
  std::string Join(const std::string& name) const;

 private:
  std::string path_;
};

// Whole-file helpers for checking what the code under test wrote.
bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes);
std::vector<unsigned char> Bytes(const std::string& text);
