// The process from entry to exit: the start-up lock, the guarded start-up
// and message loop, COM and the shutdown.
#include <objbase.h>

#include "app/app_win32.h"
#include "app/crash_guard_win32.h"

namespace {

struct Run {
  AppGlobals* app;
  HINSTANCE instance;
  const char* commandLine;
  StartupLock* lock;
};

// Start-up, then the lock goes so that a second instance can find the
// frame, then the message loop.
int StartAndRun(void* context) {
  Run* run = static_cast<Run*>(context);
  int exitCode = kExitNormal;
  HWND frame = App_Startup(run->app, run->instance, run->commandLine, &exitCode);
  StartupLock_Release(run->lock);
  if (exitCode == kExitNormal && frame != nullptr) exitCode = App_RunMessageLoop(run->app);
  return exitCode;
}

void ShowCrashReport(const char* report) { MessageBoxA(nullptr, report, nullptr, MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

void StartupLock_Release(StartupLock* lock) {
  if (lock->mutex == nullptr) return;
  if (lock->held) ReleaseMutex(lock->mutex);
  CloseHandle(lock->mutex);
  lock->mutex = nullptr;
  lock->held = false;
}

int App_RunGuarded(int (*body)(void*), void* context, StartupLock* lock, void (*showReport)(const char* report)) {
  int result = kExitNormal;
  if (!CrashGuard_Run(body, context, &result)) return result;
  showReport(CrashGuard_Report());
  StartupLock_Release(lock);
  return kExitCrashed;
}

int App_Main(HINSTANCE instance, const char* commandLine) {
  CoInitialize(nullptr);
  StartupLock lock = {CreateMutexA(nullptr, FALSE, kStartupMutexName), false};
  if (lock.mutex != nullptr) {
    DWORD wait = WaitForSingleObject(lock.mutex, kStartupWait);
    if (wait == WAIT_TIMEOUT) {
      // Another instance is stuck starting: give up quietly.
      CloseHandle(lock.mutex);
      CoUninitialize();
      return kExitNormal;
    }
    lock.held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  AppGlobals app = {};
  Run run = {&app, instance, commandLine, &lock};
  int exitCode = App_RunGuarded(StartAndRun, &run, &lock, ShowCrashReport);
  CoUninitialize();
  return App_Shutdown(&app, exitCode);
}
