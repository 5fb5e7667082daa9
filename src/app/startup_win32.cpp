// Start-up and shutdown of Ordalis.exe, in the order the program depends on.
#include <windows.h>
#include <commctrl.h>

#include "app/app_win32.h"
#include "app/com_server_win32.h"
#include "app/command_line.h"
#include "app/frame_layout.h"
#include "app/frame_win32.h"
#include "app/instance_handover_win32.h"
#include "app/unix_path_win32.h"
#include "kernel/kernel.h"
#include "kernel/msgbox.h"
#include "kernel/product.h"
#include "kernel/window_placement_win32.h"
#include "platform/status.h"
#include "platform/text.h"
#include "resource.h"

namespace {

// The stored placement, or the program's own default (restored at the work
// area's corner, 800 by 600 scaled to the screen and fitted to the work
// area), made safe to show.
void LoadPlacement(AppGlobals* app) {
  app->placement.length = sizeof(app->placement);
  if (VtLoadWindowPlacement(app->settings, kPlacementMetric, VtPlacementMode::ApplyOrDefault, &app->placement) != 0) {
    app->placement.showCmd = SW_RESTORE;
    HDC screen = GetDC(nullptr);
    int32_t dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    VtRect rect = DefaultFrameRect(dpi, VtWorkAreaFor(VtRect{0, 0, 1, 1}));
    app->placement.rcNormalPosition = {rect.left, rect.top, rect.right, rect.bottom};
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

// Reads the command line into `document`; a file may be given as a Unix
// path under Wine. The argument a failure is about goes to `refused`.
int32_t ReadCommandLine(const char* commandLine, DocumentRecord* document, char* refused, size_t size) {
  Document_SetUntitled(document);
  CommandLineContext context;
  context.mapUnixPath = MapUnixPath;
  int32_t status = CommandLine_Handle(commandLine, document, &context);
  Text_Copy(refused, size, context.refused);
  return status;
}

// The error box of a start that failed: the general operation text, the
// argument that was refused when there is one, and the explanation.
void ReportStartupFailure(const AppGlobals* app, int32_t status, const char* refused) {
  char operation[512] = {};
  if (refused[0] != '\0' && app->strings != nullptr) {
    VtLoadString(app->strings, IDS_STARTUP_ARGUMENT, operation, sizeof(operation));
  }
  uintptr_t text = operation[0] != '\0' ? VtOperationText(operation) : kOperationStartup;
  VtErrorHandler_MsgBox(VtOwnerNone(), MB_OK | MB_ICONEXCLAMATION, text, status, refused, false);
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
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  LoadPlacement(app);
  status = ReadCommandLine(commandLine, &document, app->refusedArgument, sizeof(app->refusedArgument));
  if (status < 0) return status;
  RegisterLocalServer();
  return StartFrame(app, document);
}

// A second start: the running frame comes to the front and opens the
// package this command line names. A command line that cannot be used is
// refused here, as at a first start.
HWND HandOver(AppGlobals* app, HWND running, const char* commandLine, int* exitCode) {
  VtMsgBoxSetAppData(app->instance, nullptr, kProductFullName);
  VtRegisterProductTokens();
  // Only for the text that names a refused argument.
  if (VtLang_Open(&app->strings, app->instance, 2, 0) < 0) app->strings = nullptr;
  DocumentRecord document;
  int32_t status = ReadCommandLine(commandLine, &document, app->refusedArgument, sizeof(app->refusedArgument));
  if (status < 0) {
    *exitCode = status == E_INVALIDARG ? kExitInvalidArgument : kExitStartupFailed;
    ReportStartupFailure(app, status, app->refusedArgument);
    return nullptr;
  }
  bool named = (document.flags & kDocUntitled) == 0 && document.path[0] != '\0';
  HandToRunningInstance(running, named ? document.path : nullptr);
  *exitCode = kExitNormal;
  return nullptr;
}

}  // namespace

HWND App_Startup(AppGlobals* app, HINSTANCE instance, const char* commandLine, int* exitCode) {
  // The kernel's texts serve even if its start fails, so start-up goes on.
  VtKernel_Start(instance);
  app->instance = instance;
  GetSystemInfo(&app->systemInfo);
  HWND running = FindWindowA(kFrameClassName, nullptr);
  if (running != nullptr) return HandOver(app, running, commandLine, exitCode);
  VtMsgBoxSetAppData(instance, nullptr, kProductFullName);
  VtRegisterProductTokens();
  Text_Copy(app->frameTitle, sizeof(app->frameTitle), kProductFullName);

  int32_t status = StartApplication(app, commandLine);
  if (status < 0) {
    *exitCode = status == E_INVALIDARG ? kExitInvalidArgument : kExitStartupFailed;
    ReportStartupFailure(app, status, app->refusedArgument);
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
