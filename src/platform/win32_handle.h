// Kernel object handles (processes, threads, pipes, events) in the one
// owner every handle has.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

struct Win32HandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedHandle = UniqueHandle<Win32HandleTraits>;
