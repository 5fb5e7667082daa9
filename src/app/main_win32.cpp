// Entry point of Ordalis.exe.
#include <windows.h>

#include "app/frame_win32.h"
#include "resource.h"

namespace {

int RunMessageLoop(HWND frame, HACCEL accelerators) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && TranslateAcceleratorA(frame, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!RegisterFrameClass(instance)) return 2;
  HWND frame = CreateFrameWindow(instance);
  if (frame == nullptr) {
    UnregisterFrameClass(instance);
    return 2;
  }
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
  int exitCode = RunMessageLoop(frame, LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)));
  UnregisterFrameClass(instance);
  return exitCode;
}
