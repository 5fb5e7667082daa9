// Ordalis.exe as a user starts it: a real process with its own window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "kernel/msgbox.h"
#include "model/store_records.h"
#include "package/package_file.h"
#include "platform/file.h"
#include "platform/registry.h"
#include "support/temp_folder.h"

namespace {

std::string ProgramPath() {
  char path[1024];
  if (File_GetModulePath(path, sizeof(path)) != 0) return {};
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "Ordalis.exe";
}

// Waits for a top-level window of `className` belonging to `process`, up to
// `milliseconds`; returns as soon as it appears or the process ends.
HWND WaitForWindow(HANDLE process, DWORD processId, const char* className, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    for (HWND window = FindWindowA(className, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && IsWindowVisible(window)) return window;
    }
    if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

struct ChildProcess {
  PROCESS_INFORMATION info = {};
  ~ChildProcess() {
    if (info.hProcess == nullptr) return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  bool Start(const std::string& program, const std::string& arguments = "") {
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info) != 0;
  }
};

TEST(OrdalisProcess, OpensItsFrameAndEndsWithExitCodeZeroWhenClosed) {
  ChildProcess child;
  ASSERT_TRUE(child.Start(ProgramPath())) << ProgramPath();
  HWND frame = WaitForWindow(child.info.hProcess, child.info.dwProcessId, "Ordalis.Class.Frame", 30000);
  ASSERT_NE(nullptr, frame);

  char title[256] = {};
  GetWindowTextA(frame, title, sizeof(title));
  EXPECT_STREQ("Veltrane Ordalis 1.0 - Untitled", title);
  RECT bounds;
  ASSERT_TRUE(GetWindowRect(frame, &bounds));
  EXPECT_EQ(800, bounds.right - bounds.left);
  EXPECT_EQ(600, bounds.bottom - bounds.top);
  EXPECT_NE(nullptr, GetMenu(frame));

  ASSERT_TRUE(PostMessageA(frame, WM_CLOSE, 0, 0));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.info.hProcess, 30000));
  DWORD exitCode = 99;
  ASSERT_TRUE(GetExitCodeProcess(child.info.hProcess, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

bool WaitForExit(const ChildProcess& child, DWORD* exitCode) {
  if (WaitForSingleObject(child.info.hProcess, 30000) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(child.info.hProcess, exitCode) != 0;
}

// Polls `condition` until it holds or the deadline passes.
template <class Condition>
bool WaitUntil(Condition condition, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return true;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR ignored;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &ignored);
  return text;
}

// An empty package file in `folder`; gives its path.
std::string WriteEmptyPackage(const TempFolder& folder, const std::string& name) {
  StoreRecords records;
  EXPECT_TRUE(records.CreateEmpty());
  std::string path = folder.Join(name);
  EXPECT_EQ(0, WritePackage(path.c_str(), records.plugIns.get(), records.chains.get()));
  return path;
}

TEST(OrdalisProcess, ASecondStartBringsTheFirstBackOpensItsPackageThereAndEndsWithExitCodeZero) {
  TempFolder folder;
  std::string package = WriteEmptyPackage(folder, "handed over.vtpreset");
  ChildProcess first;
  ASSERT_TRUE(first.Start(ProgramPath()));
  HWND frame = WaitForWindow(first.info.hProcess, first.info.dwProcessId, "Ordalis.Class.Frame", 30000);
  ASSERT_NE(nullptr, frame);
  PostMessageA(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(frame) != 0; }, 10000));

  ChildProcess second;
  ASSERT_TRUE(second.Start(ProgramPath(), "\"" + package + "\""));
  DWORD exitCode = 99;
  ASSERT_TRUE(WaitForExit(second, &exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(frame) == 0; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(frame) == "Veltrane Ordalis 1.0 - handed over.vtpreset"; }, 10000))
      << TextOf(frame);

  // Nothing named: the frame only comes back.
  ChildProcess third;
  ASSERT_TRUE(third.Start(ProgramPath()));
  ASSERT_TRUE(WaitForExit(third, &exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_EQ("Veltrane Ordalis 1.0 - handed over.vtpreset", TextOf(frame));

  PostMessageA(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitForExit(first, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

// The Unix spelling of a Windows path, as Wine's file managers pass it.
std::string UnixPathOf(const std::string& path) {
  using WineUnixName = char*(CDECL*)(const WCHAR*);
  auto toUnix = reinterpret_cast<WineUnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return {};
  std::wstring wide(path.begin(), path.end());
  char* unixName = toUnix(wide.c_str());
  if (unixName == nullptr) return {};
  std::string result = unixName;
  HeapFree(GetProcessHeap(), 0, unixName);
  return result;
}

TEST(OrdalisProcess, AFileGivenAsAUnixPathOpens) {
  TempFolder folder;
  std::string package = WriteEmptyPackage(folder, "bank.vtpreset");
  std::string unixPath = UnixPathOf(package);
  if (unixPath.empty()) GTEST_SKIP() << "no Unix paths here";
  ASSERT_EQ('/', unixPath[0]);
  ChildProcess child;
  ASSERT_TRUE(child.Start(ProgramPath(), "\"" + unixPath + "\""));
  HWND frame = WaitForWindow(child.info.hProcess, child.info.dwProcessId, "Ordalis.Class.Frame", 30000);
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ("Veltrane Ordalis 1.0 - bank.vtpreset", TextOf(frame));
  PostMessageA(frame, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(WaitForExit(child, &exitCode));
  EXPECT_EQ(0u, exitCode);
}

// Starts the program with `arguments`, reads the error report it shows,
// dismisses it and gives the report's text and the exit code.
void StartAndReadTheReport(const std::string& arguments, std::string* text, DWORD* exitCode) {
  ChildProcess child;
  ASSERT_TRUE(child.Start(ProgramPath(), arguments));
  HWND box = WaitForWindow(child.info.hProcess, child.info.dwProcessId, "#32770", 30000);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Veltrane Ordalis", TextOf(box));
  *text = TextOf(GetDlgItem(box, kVtIdMessageText));
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  ASSERT_TRUE(WaitForExit(child, exitCode));
}

TEST(OrdalisProcess, AnUnknownOptionEndsWithExitCodeFourAfterTheReport) {
  std::string text;
  DWORD exitCode = 99;
  StartAndReadTheReport("a.vtpreset -x", &text, &exitCode);
  EXPECT_EQ(
      "An error occurred during the current operation.\n\nThe argument -x could not be used.\n\nAn invalid argument "
      "was specifed.",
      text);
  EXPECT_EQ(4u, exitCode);
}

TEST(OrdalisProcess, AMissingResponseFileEndsWithExitCodeTwo) {
  std::string text;
  DWORD exitCode = 99;
  StartAndReadTheReport("@no-such-list.txt", &text, &exitCode);
  EXPECT_EQ(
      "An error occurred during the current operation.\n\nThe argument no-such-list.txt could not be used.\n\nThe "
      "file could not be opened. Make sure the file exists and that you have access to the file/folder.",
      text);
  EXPECT_EQ(2u, exitCode);
}

// Sets the screen's DPI for the processes started from here on, and puts
// it back.
class ScreenDpi {
 public:
  explicit ScreenDpi(uint32_t dpi) {
    ok_ = Reg_CreateKey(Reg_Root(RegRoot::CurrentUser), "Control Panel\\Desktop", RegAccess::All, desktop_.Out()) == 0 &&
          Reg_SetDword(desktop_.Get(), "LogPixels", dpi) == 0;
  }
  ~ScreenDpi() { Reg_DeleteValue(desktop_.Get(), "LogPixels"); }
  bool ok() const { return ok_; }

 private:
  ScopedRegKey desktop_;
  bool ok_ = false;
};

// Runs `test` of this very program again, in a process that starts with the
// screen at `dpi`; gives the process's exit code.
DWORD RunAtDpi(uint32_t dpi, const char* test) {
  char self[1024];
  if (File_GetModulePath(self, sizeof(self)) != 0) return 98;
  ScreenDpi screen(dpi);
  if (!screen.ok()) return 97;
  std::string expected = std::to_string(dpi);
  SetEnvironmentVariableA("ORDALIS_EXPECTED_DPI", expected.c_str());
  ChildProcess child;
  bool started = child.Start(self, std::string("--gtest_filter=") + test);
  SetEnvironmentVariableA("ORDALIS_EXPECTED_DPI", nullptr);
  DWORD exitCode = 99;
  if (started) {
    WaitForSingleObject(child.info.hProcess, 120000);
    GetExitCodeProcess(child.info.hProcess, &exitCode);
  }
  return exitCode;
}

TEST(OrdalisProcess, TheFrameLaysOutAt150PercentWhenTheScreenIsSetSo) {
  EXPECT_EQ(0u, RunAtDpi(144, "Frame.PanesSplitterAndPicturesFollowTheLayoutRulesAtTheScreensDpi"));
}

TEST(OrdalisProcess, TheAboutBoxHasRoomForItsTextsAt125150And200Percent) {
  for (uint32_t dpi : {120u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    EXPECT_EQ(0u, RunAtDpi(dpi, "Commands.TheAboutBoxsTextsHaveRoomForEveryLineAtTheScreensDpi"));
  }
}

// Without a stored place, the first window is 800 by 600 at 96 DPI, scaled
// with the screen and never larger than the work area.
TEST(OrdalisProcess, TheFirstWindowIsScaledToTheScreenAndFitsItsWorkArea) {
  ScopedRegKey metrics;
  if (Reg_OpenKey(Reg_Root(RegRoot::CurrentUser), "Software\\Veltrane\\Ordalis\\1.0\\Metrics", RegAccess::All,
                  metrics.Out()) == 0) {
    Reg_DeleteValue(metrics.Get(), "B100");
  }
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  ScreenDpi screen(144);
  ASSERT_TRUE(screen.ok());
  ChildProcess child;
  ASSERT_TRUE(child.Start(ProgramPath()));
  HWND frame = WaitForWindow(child.info.hProcess, child.info.dwProcessId, "Ordalis.Class.Frame", 30000);
  ASSERT_NE(nullptr, frame);
  RECT bounds = {};
  ASSERT_TRUE(GetWindowRect(frame, &bounds));
  EXPECT_EQ(std::min<LONG>(1200, work.right - work.left), bounds.right - bounds.left);
  EXPECT_EQ(std::min<LONG>(900, work.bottom - work.top), bounds.bottom - bounds.top);
  // Ended without saving its place, so that the other starts find none.
  TerminateProcess(child.info.hProcess, 0);
  WaitForSingleObject(child.info.hProcess, 30000);
}

// Without its manifest the program would run in the system's code page and
// with the old common controls.
TEST(OrdalisResources, TheManifestAndVersionAreCompiledIn) {
  HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_NE(nullptr, manifest);
  const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
  std::string xml(text, SizeofResource(module, manifest));
  EXPECT_NE(std::string::npos, xml.find("<activeCodePage"));
  EXPECT_NE(std::string::npos, xml.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(1), RT_VERSION));
  FreeLibrary(module);
}

}  // namespace
