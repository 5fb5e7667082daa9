// Start-up and shutdown of Ordalis.exe, in the order the program depends on.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_win32.h"
#include "app/com_server_win32.h"
#include "app/command_line.h"
#include "app/frame_win32.h"
#include "journal/journal_folder.h"
#include "kernel/kernel.h"
#include "kernel/msgbox.h"
#include "kernel/product.h"
#include "kernel/window_placement_win32.h"
#include "platform/status.h"
#include "platform/text.h"
#include "resource.h"

namespace {

// The stored placement, or the program's own default (restored at 0,0, 800
// by 600), made safe to show.
void LoadPlacement(AppGlobals* app) {
  app->placement.length = sizeof(app->placement);
  if (VtLoadWindowPlacement(app->settings, kPlacementMetric, VtPlacementMode::ApplyOrDefault, &app->placement) != 0) {
    app->placement.showCmd = SW_RESTORE;
    app->placement.rcNormalPosition = {0, 0, 800, 600};
  }
  VtFixWindowPlacement(&app->placement);
}

// Creates the frame over the document named on the command line, lets
// message boxes belong to it, titles it and shows it as it was placed last
// time.
int32_t StartFrame(AppGlobals* app, const DocumentRecord& document) {
  if (!RegisterFrameClass(app->instance)) return kWindowCreateFailed;
  app->frameClassRegistered = true;
  FrameSetup setup = {app->instance, app->settings, app->strings, app->frameTitle, document};
  int32_t status = CreateFrame(setup, &app->frameState);
  if (status < 0) return status;
  app->frame = app->frameState->window;
  app->accelerators = app->frameState->accelerators.Get();
  VtMsgBoxSetAppData(app->instance, app->frame, kProductFullName);
  UpdateFrameTitle(*app->frameState);
  UpdateToolbar(*app->frameState);

  app->placement.length = sizeof(app->placement);
  SetWindowPlacement(app->frame, &app->placement);
  if (!IsWindowVisible(app->frame)) ShowWindow(app->frame, SW_SHOWNORMAL);
  return 0;
}

// A group that never finished is taken back before anything reads the
// store, and the user hears of it once.
void RecoverUnfinishedGroups() {
  RecoveryReport report;
  RecoverJournals(&report);
  std::string text = DescribeRecovery(report);
  if (!text.empty()) {
    VtMessageBox(VtOwnerNone(), text.c_str(), kProductFullName,
                 MB_OK | (report.notes.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
  }
}

// Settings, strings, the untitled document, common controls, placement,
// command line, local-server registration and the frame; a failure ends
// start-up.
int32_t StartApplication(AppGlobals* app, const char* commandLine) {
  int32_t status = VtMetric_Open(&app->settings, kProductName, kProductVersion, nullptr);
  if (status < 0) return status;
  status = VtLang_Open(&app->strings, app->instance, 2, 0);
  if (status < 0) return status;
  DocumentRecord document;
  Document_SetUntitled(&document);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  LoadPlacement(app);
  status = CommandLine_Handle(commandLine, &document);
  if (status < 0) return status;
  RegisterLocalServer();
  RecoverUnfinishedGroups();
  return StartFrame(app, document);
}

}  // namespace

HWND App_Startup(AppGlobals* app, HINSTANCE instance, const char* commandLine, int* exitCode) {
  // The kernel's texts serve even if its start fails, so start-up goes on.
  VtKernel_Start(instance);
  app->instance = instance;
  GetSystemInfo(&app->systemInfo);
  if (VtActivatePrevAppInstance(kFrameClassName)) {
    // The running instance takes over; this command line is dropped.
    *exitCode = kExitNormal;
    return nullptr;
  }
  VtMsgBoxSetAppData(instance, nullptr, kProductFullName);
  VtRegisterProductTokens();
  Text_Copy(app->frameTitle, sizeof(app->frameTitle), kProductFullName);

  int32_t status = StartApplication(app, commandLine);
  if (status < 0) {
    *exitCode = status == E_INVALIDARG ? kExitInvalidArgument : kExitStartupFailed;
    VtErrorHandler_MsgBox(VtOwnerNone(), MB_OK | MB_ICONEXCLAMATION, kOperationStartup, status, nullptr, false);
    return nullptr;
  }
  *exitCode = kExitNormal;
  return app->frame;
}

namespace {

// Keys typed into an edit box (a rename) are the box's own: Delete, Ctrl+A
// and Ctrl+Z there edit the name, not the presets.
bool IsEditBox(HWND window) {
  char name[16];
  return window != nullptr && GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpiA(name, "Edit") == 0;
}

}  // namespace

void App_HandleMessage(HWND frame, HACCEL accelerators, MSG* msg) {
  if (accelerators != nullptr && !IsEditBox(msg->hwnd) && TranslateAcceleratorA(frame, accelerators, msg)) return;
  TranslateMessage(msg);
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
    // Escape anywhere cancels what the frame has going (a drag of presets).
    MSG cancel = *msg;
    cancel.hwnd = frame;
    cancel.message = WM_COMMAND;
    cancel.wParam = IDCANCEL;
    cancel.lParam = 0;
    DispatchMessageA(&cancel);
  }
  DispatchMessageA(msg);
}

int App_RunMessageLoop(const AppGlobals* app) {
  MSG msg = {};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) App_HandleMessage(app->frame, app->accelerators, &msg);
  return static_cast<int>(msg.wParam);
}

int App_Shutdown(AppGlobals* app, int exitCode) {
  app->frameState.reset();
  app->frame = nullptr;
  if (app->frameClassRegistered) {
    UnregisterFrameClass(app->instance);
    app->frameClassRegistered = false;
  }
  VtMetric_Close(app->settings);
  app->settings = nullptr;
  VtLang_Close(app->strings);
  app->strings = nullptr;
  VtKernel_Shutdown();
  return exitCode;
}
