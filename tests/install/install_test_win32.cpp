// The installer as a user runs it: silently and per user, in the test's own
// Wine prefix. It must leave a working program behind, and its uninstaller
// must take away exactly what it added and never the user's presets, chains,
// preset files or settings.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/chain_record.h"
#include "model/plugin_collection.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "store/chain_writer.h"
#include "store/preset_writer.h"
#include "store/store_layout.h"
#include "support/disk_snapshot.h"
#include "support/temp_folder.h"

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrane Ordalis";
constexpr const char* kSettingsKey = "Software\\Veltrane\\Ordalis\\1.0\\Metrics";
constexpr const char* kLocalServerKey = "CLSID\\{61C55EE1-8812-4f99-BA80-599621BFB260}";
constexpr const char* kInstalledFiles[] = {"Ordalis.exe", "ordalis-cli.exe", "README.txt", "LICENSE.txt",
                                          "Uninstall.exe"};

std::string BuildFolder() {
  char path[1024];
  if (File_GetModulePath(path, sizeof(path)) != 0) return {};
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

std::string InstallFolder() { return ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Veltrane Ordalis"; }
std::string Shortcut() { return ShellFolder(CSIDL_PROGRAMS) + "\\Veltrane Ordalis.lnk"; }

// Whether this is Wine, whose classes root does not take in the per-user classes.
bool IsWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

bool KeyExists(RegRoot root, const std::string& path) {
  ScopedRegKey key;
  return Reg_OpenKey(Reg_Root(root), path.c_str(), RegAccess::Read, key.Out()) == 0;
}

// The text of a value, or "(missing)".
std::string QueryText(RegRoot root, const std::string& path, const char* name = "") {
  ScopedRegKey key;
  char text[1024];
  if (Reg_OpenKey(Reg_Root(root), path.c_str(), RegAccess::Read, key.Out()) != 0 ||
      Reg_QueryText(key.Get(), name, text, sizeof(text)) != 0) {
    return "(missing)";
  }
  return text;
}

void SetText(RegRoot root, const std::string& path, const char* name, const std::string& text) {
  ScopedRegKey key;
  ASSERT_EQ(0, Reg_CreateKey(Reg_Root(root), path.c_str(), RegAccess::All, key.Out()));
  ASSERT_EQ(0, Reg_SetText(key.Get(), name, text.c_str()));
}

uint32_t RunProgram(const std::string& commandLine) {
  char output[4096];
  uint32_t exitCode = 99;
  EXPECT_EQ(0, Process_Run(commandLine.c_str(), output, sizeof(output), &exitCode)) << commandLine;
  return exitCode;
}

// Checks `done` until it holds or 60 seconds have passed.
template <class Condition>
bool WaitUntil(Condition done) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(100)) {
    if (done()) return true;
  }
  return done();
}

std::string ShortcutTarget(const std::string& link) {
  IShellLinkA* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink)))) {
    return "(no shell link)";
  }
  std::string target = "(unreadable)";
  IPersistFile* file = nullptr;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    char path[MAX_PATH];
    if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  shellLink->Release();
  return target;
}

// The top-level frame window of `processId`, once it shows, or null.
HWND WaitForFrame(HANDLE process, DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window = FindWindowA("Ordalis.Class.Frame", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "Ordalis.Class.Frame", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && IsWindowVisible(window)) found = window;
    }
    return found != nullptr || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  });
  return found;
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    installer_ = BuildFolder() + "Ordalis-setup.exe";
    ASSERT_TRUE(File_Exists(installer_.c_str())) << installer_;
    ASSERT_FALSE(File_Exists(InstallFolder().c_str())) << "a former test left the program installed";
  }
  void TearDown() override {
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
      Reg_DeleteTree(Reg_Root(root), "Software\\Classes\\.vtpreset");
    }
    CoUninitialize();
  }

  // Runs the uninstaller as Add or Remove Programs would, silently. It
  // carries on from a copy of itself, and removes its entry last.
  void Uninstall() {
    std::string command = QueryText(RegRoot::CurrentUser, kUninstallKey, "QuietUninstallString");
    ASSERT_NE(std::string::npos, command.find("Uninstall.exe\" /S")) << command;
    ASSERT_EQ(0u, RunProgram(command));
    ASSERT_TRUE(WaitUntil([] { return !KeyExists(RegRoot::CurrentUser, kUninstallKey); }));
  }

  std::string installer_;
};

TEST_F(Installer, InstallsPerUserOpensPackagesAndUninstallsOnlyWhatItAdded) {
  // The user's store, preset files and settings, from before the program was installed.
  TempFolder store;
  SetText(RegRoot::CurrentUser, kDirectShowPresetsKey, kDefLocationValue, store.Path());
  SetText(RegRoot::CurrentUser, kChainsKey, kDefLocationValue, store.Path());
  std::unique_ptr<PlugInEntry> plugIn = PlugInEntry::Create("Studio Reverb", "{0A000000-0000-4000-8000-00000000000A}");
  std::unique_ptr<PresetRecord> small = PresetRecord::Create("Warm");
  small->data.Assign("\x01\x02\x03", 3);
  std::unique_ptr<PresetRecord> large = PresetRecord::Create("Hall");
  std::vector<unsigned char> largeBytes(4000, 0x5A);
  large->data.Assign(largeBytes.data(), static_cast<uint32_t>(largeBytes.size()));
  ASSERT_EQ(0, WriteDirectShowPreset(*plugIn, *small));
  ASSERT_EQ(0, WriteDirectShowPreset(*plugIn, *large));
  std::unique_ptr<ChainRecord> chain = ChainRecord::Create();
  chain->SetName("Vocal");
  chain->SetKeyName("chain-1");
  chain->stream.Assign("\xAB\xCD", 2);
  ASSERT_EQ(0, WriteSystemChain(*chain));
  SetText(RegRoot::CurrentUser, kSettingsKey, "Before Install", "kept");
  const std::string storeBefore = DescribeStoreOnDisk(store.Path());

  // Installed silently, per user.
  ASSERT_EQ(0u, RunProgram("\"" + installer_ + "\" /S"));
  const std::string folder = InstallFolder();
  for (const char* name : kInstalledFiles) {
    EXPECT_TRUE(File_Exists((folder + "\\" + name).c_str())) << name;
  }
  std::vector<unsigned char> built, installed;
  ASSERT_TRUE(ReadWholeFile(BuildFolder() + "Ordalis.exe", &built));
  ASSERT_TRUE(ReadWholeFile(folder + "\\Ordalis.exe", &installed));
  EXPECT_TRUE(built == installed);
  const std::string program = folder + "\\Ordalis.exe";
  EXPECT_EQ(program, ShortcutTarget(Shortcut()));

  EXPECT_EQ("Veltrane Ordalis", QueryText(RegRoot::CurrentUser, kUninstallKey, "DisplayName"));
  EXPECT_EQ(folder, QueryText(RegRoot::CurrentUser, kUninstallKey, "InstallLocation"));
  EXPECT_EQ("\"" + folder + "\\Uninstall.exe\"", QueryText(RegRoot::CurrentUser, kUninstallKey, "UninstallString"));

  // The association, where the shell reads it; its icon is the package icon.
  EXPECT_EQ("Ordalis.Package", QueryText(RegRoot::CurrentUser, "Software\\Classes\\.vtpreset"));
  ASSERT_EQ("Ordalis.Package", QueryText(RegRoot::ClassesRoot, ".vtpreset"));
  EXPECT_EQ("\"" + program + "\" \"%1\"", QueryText(RegRoot::ClassesRoot, "Ordalis.Package\\shell\\open\\command"));
  std::string icon = QueryText(RegRoot::ClassesRoot, "Ordalis.Package\\DefaultIcon");
  EXPECT_EQ(program + ",-108", icon);
  HICON large32 = nullptr;
  EXPECT_EQ(1u, ExtractIconExA(program.c_str(), -108, &large32, nullptr, 1)) << icon;
  if (large32 != nullptr) DestroyIcon(large32);

  // A package opened through the association starts the program with it.
  TempFolder packages;
  std::string package = packages.Join("Live Set.vtpreset");
  PlugInCollection plugIns;
  std::unique_ptr<PlugInEntry> entry = PlugInEntry::Create("Studio Reverb", "{0A000000-0000-4000-8000-00000000000A}");
  ASSERT_EQ(0, entry->AppendPreset(PresetRecord::CopyOf(*small)));
  ASSERT_EQ(0, plugIns.Append(std::move(entry)));
  ASSERT_EQ(0, WritePackage(package.c_str(), &plugIns, nullptr));
  SHELLEXECUTEINFOA open = {};
  open.cbSize = sizeof(open);
  open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;  // no question when there is no program
  open.lpVerb = "open";
  open.lpFile = package.c_str();
  open.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExA(&open));
  ASSERT_NE(nullptr, open.hProcess);
  HWND frame = WaitForFrame(open.hProcess, GetProcessId(open.hProcess));
  ASSERT_NE(nullptr, frame);
  char title[256] = {};
  GetWindowTextA(frame, title, sizeof(title));
  EXPECT_STREQ("Veltrane Ordalis 1.0 - Live Set.vtpreset", title);
  // ... and shows it in the package pane, read from outside as the journeys read it.
  for (const char* ask : {"selected package", "list package"}) {
    std::string probe = "\"" + BuildFolder() + "e2e_probe.exe\" " + ask;
    char shown[512] = {};
    uint32_t exitCode = 1;
    ASSERT_EQ(0, Process_Run(probe.c_str(), shown, sizeof(shown), &exitCode)) << ask;
    EXPECT_EQ(0u, exitCode) << ask;
    EXPECT_NE(nullptr, strstr(shown, ask[0] == 's' ? "Live Set.vtpreset" : "FX Plug-Ins")) << ask << ": " << shown;
  }
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(open.hProcess, 30000));
  CloseHandle(open.hProcess);
  EXPECT_EQ(program, QueryText(RegRoot::ClassesRoot, std::string(kLocalServerKey) + "\\LocalServer32"));

  // Where the store has no folder of its own, preset files go below the program.
  std::string presetFolder = folder + "\\" + kPresetsFolder;
  ASSERT_EQ(0, File_CreateFolderPath(presetFolder.c_str()));
  ASSERT_TRUE(WriteWholeFile(presetFolder + "\\Hall.dxp", largeBytes));

  Uninstall();
  for (const char* name : kInstalledFiles) {
    EXPECT_FALSE(File_Exists((folder + "\\" + name).c_str())) << name;
  }
  EXPECT_FALSE(File_Exists(Shortcut().c_str()));
  EXPECT_FALSE(KeyExists(RegRoot::CurrentUser, "Software\\Classes\\.vtpreset"));
  EXPECT_FALSE(KeyExists(RegRoot::CurrentUser, "Software\\Classes\\Ordalis.Package"));
  EXPECT_FALSE(KeyExists(RegRoot::ClassesRoot, ".vtpreset"));
  EXPECT_FALSE(KeyExists(RegRoot::ClassesRoot, "Ordalis.Package"));
  EXPECT_FALSE(KeyExists(RegRoot::ClassesRoot, kLocalServerKey));

  // What belongs to the user stays, byte for byte.
  EXPECT_EQ(storeBefore, DescribeStoreOnDisk(store.Path()));
  EXPECT_EQ("kept", QueryText(RegRoot::CurrentUser, kSettingsKey, "Before Install"));
  std::vector<unsigned char> presetFile;
  EXPECT_TRUE(ReadWholeFile(presetFolder + "\\Hall.dxp", &presetFile));
  EXPECT_TRUE(presetFile == largeBytes);

  File_Delete((presetFolder + "\\Hall.dxp").c_str());
  File_RemoveFolder(presetFolder.c_str());
  File_RemoveFolder(folder.c_str());
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), "Software\\DirectShow");
  Reg_DeleteTree(Reg_Root(RegRoot::CurrentUser), "Software\\Veltrane");
}

TEST_F(Installer, GivesThePackagesBackToTheProgramThatHadThem) {
  std::vector<RegRoot> roots = {RegRoot::CurrentUser};
  if (IsWine()) roots.push_back(RegRoot::LocalMachine);
  for (RegRoot root : roots) {
    SetText(root, "Software\\Classes\\.vtpreset", "", "Other.Package");
    SetText(root, "Software\\Classes\\.vtpreset\\OpenWithProgids", "Other.Package", "");
  }

  ASSERT_EQ(0u, RunProgram("\"" + installer_ + "\" /S"));
  EXPECT_EQ("Ordalis.Package", QueryText(RegRoot::ClassesRoot, ".vtpreset"));
  Uninstall();

  for (RegRoot root : roots) {
    EXPECT_EQ("Other.Package", QueryText(root, "Software\\Classes\\.vtpreset"));
    EXPECT_TRUE(KeyExists(root, "Software\\Classes\\.vtpreset\\OpenWithProgids"));
    EXPECT_FALSE(KeyExists(root, "Software\\Classes\\Ordalis.Package"));
  }
  EXPECT_FALSE(File_Exists(InstallFolder().c_str()));
}

}  // namespace
