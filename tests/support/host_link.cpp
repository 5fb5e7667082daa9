#include "support/host_link.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

namespace {

std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

// The host's path of a Windows path; empty outside Wine.
std::string UnixName(const std::string& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return std::string();
  char* unix = convert(Wide(path).c_str());
  if (unix == nullptr) return std::string();
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

// Starts a host program under Wine (which cannot wait for it).
bool RunHost(const char* program, std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

bool CanMakeSymbolicLinks() { return false; }

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
  // Wine names only what exists: the link's folder, then its name.
  size_t slash = link.find_last_of('\\');
  std::string unixFolder = slash == std::string::npos ? std::string() : UnixName(link.substr(0, slash));
  std::string unixTarget = UnixName(target);
  std::string unixLink = unixFolder.empty() ? std::string() : unixFolder + "/" + link.substr(slash + 1);
  if (unixTarget.empty() || unixLink.empty()) {
    DWORD attributes = GetFileAttributesA(target.c_str());
    DWORD flags = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                      ? SYMBOLIC_LINK_FLAG_DIRECTORY
                      : 0;
    return CreateSymbolicLinkA(link.c_str(), target.c_str(), flags) != 0;
  }
  // Wine neither waits for a host program nor reports its exit code: the
  // link itself tells, once it is there.
  if (!RunHost("Z:\\bin\\ln", "ln -s " + unixTarget + " " + unixLink)) return false;
  DWORD deadline = GetTickCount() + 10000;
  WIN32_FIND_DATAA found;
  for (;;) {
    HANDLE search = FindFirstFileA(link.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      return true;
    }
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) return false;
    SwitchToThread();
  }
}

bool MakeHardLink(const std::string& target, const std::string& link) {
  return CreateHardLinkA(link.c_str(), target.c_str(), nullptr) != 0;
}

std::string OtherSpellings(const std::string& path, int which) {
  switch (which) {
    case 0: {
      std::string unix = UnixName(path);
      if (unix.empty()) return "\\\\?\\" + path;
      std::string z = "Z:" + unix;
      for (char& c : z) {
        if (c == '/') c = '\\';
      }
      return z;
    }
    case 1: return "\\\\?\\" + path;
    default: {
      char shortPath[MAX_PATH * 2];
      DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath));
      return length > 0 && length < sizeof(shortPath) ? std::string(shortPath) : path;
    }
  }
}

#else
#include <unistd.h>

namespace {

std::string Native(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace

bool CanMakeSymbolicLinks() { return true; }

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
  return symlink(Native(target).c_str(), Native(link).c_str()) == 0;
}

bool MakeHardLink(const std::string& target, const std::string& link) {
  return ::link(Native(target).c_str(), Native(link).c_str()) == 0;
}

std::string OtherSpellings(const std::string& path, int which) {
  size_t slash = path.find_last_of('\\');
  switch (which) {
    case 0: return path.substr(0, slash) + "\\\\" + path.substr(slash + 1);
    case 1: return path.substr(0, slash) + "\\.\\" + path.substr(slash + 1);
    default: {
      size_t folder = path.find_last_of('\\', slash - 1);
      return path.substr(0, slash) + "\\..\\" + path.substr(folder + 1, slash - folder - 1) + "\\" +
             path.substr(slash + 1);
    }
  }
}
#endif
