// The application globals and the start-up, message loop and shutdown of
// Ordalis.exe.
#pragma once

#include <windows.h>

#include <memory>

#include "app/frame_state_win32.h"
#include "kernel/metrics.h"
#include "kernel/strings.h"

constexpr const char* kStartupMutexName = "Ordalis.Mutex";
constexpr DWORD kStartupWait = 10000;  // milliseconds a second start waits for the first
constexpr int32_t kPlacementMetric = 100;
// The operation of the error box that has no text of its own: "An error
// occurred during the current operation."
constexpr uint32_t kOperationGeneral = 26;
constexpr uint32_t kOperationStartup = kOperationGeneral;

// Exit codes of the process.
constexpr int kExitNormal = 0;
constexpr int kExitStartupFailed = 2;
constexpr int kExitCrashed = 3;
constexpr int kExitInvalidArgument = 4;

// Plain process-wide values, owned by the entry point for the life of the
// process; the settings and string handles are closed by App_Shutdown.
struct AppGlobals {
  HINSTANCE instance;
  SYSTEM_INFO systemInfo;
  VtMetric* settings;
  VtLang* strings;
  HWND frame;
  std::unique_ptr<FrameState> frameState;  // the frame's user data, freed at shutdown
  HACCEL accelerators;
  char frameTitle[260];
  WINDOWPLACEMENT placement;  // read at start-up, applied to the new frame
  char refusedArgument[260];  // the command-line argument start-up failed on, for its box
  bool frameClassRegistered;
};

// The start-up lock: held from the wait at entry until start-up is over.
struct StartupLock {
  HANDLE mutex;
  bool held;
};
void StartupLock_Release(StartupLock* lock);

// Starts the kernel, hands over to a running instance or reads the settings,
// strings, placement and command line and creates the frame. Gives the
// frame, or null (with `*exitCode` telling why: a running instance took
// over, or start-up failed and said so) when the program must not enter the
// message loop.
HWND App_Startup(AppGlobals* app, HINSTANCE instance, const char* commandLine, int* exitCode);

// One message of the loop: the frame's shortcuts first (not in an edit
// box), Escape also as the frame's Cancel command, then the message itself.
void App_HandleMessage(HWND frame, HACCEL accelerators, MSG* msg);

// Runs until WM_QUIT and gives its wParam.
int App_RunMessageLoop(const AppGlobals* app);

// Frees what start-up made, in order, and gives `exitCode` back.
int App_Shutdown(AppGlobals* app, int exitCode);

// Runs body(context) in the exception guard. After an exception the report
// goes to `showReport`, the start-up lock is released if still held, and the
// result is kExitCrashed.
int App_RunGuarded(int (*body)(void*), void* context, StartupLock* lock, void (*showReport)(const char* report));

// The whole process: lock, guarded start-up and message loop, shutdown.
int App_Main(HINSTANCE instance, const char* commandLine);
