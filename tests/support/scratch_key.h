// A registry key of the test's own below HKEY_CURRENT_USER, removed before
// and after the test.
#pragma once

#include <string>

#include "platform/registry.h"

class ScratchKey {
 public:
  explicit ScratchKey(const char* name = "Software\\Ordalis Tests\\Scratch");
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  RegKey Get() const { return key_.Get(); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  ScopedRegKey key_;
};
