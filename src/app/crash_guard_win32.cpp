#include "app/crash_guard_win32.h"

#include <windows.h>

#include <cstring>

#include "app/crash_report.h"
#include "platform/text.h"

namespace {

// The guard's state. It has to be reachable from the filter, which the
// system calls without a context argument.
struct Guard {
  bool active;
  DWORD thread;
  void* jump[5];                        // __builtin_setjmp's buffer
  void* exceptionList;                  // the 32-bit handler chain at entry
  LPTOP_LEVEL_EXCEPTION_FILTER previous;
  char report[512];
};
Guard g_guard = {};

// The 32-bit program keeps its chain of exception handlers on the stack,
// headed at fs:[0]; the 64-bit one uses tables and has nothing to restore.
void* HandlerChain() {
  void* chain = nullptr;
#if defined(__i386__)
  asm volatile("movl %%fs:0, %0" : "=r"(chain));
#endif
  return chain;
}

void SetHandlerChain([[maybe_unused]] void* chain) {
#if defined(__i386__)
  asm volatile("movl %0, %%fs:0" : : "r"(chain) : "memory");
#endif
}

// The file name (without its folder) of the module that holds `address`.
bool ModuleNameOf(const void* address, char* name, size_t size) {
  MEMORY_BASIC_INFORMATION memory;
  if (VirtualQuery(address, &memory, sizeof(memory)) == 0 || memory.AllocationBase == nullptr) return false;
  char path[MAX_PATH], longPath[MAX_PATH];
  DWORD length = GetModuleFileNameA(static_cast<HMODULE>(memory.AllocationBase), path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return false;
  DWORD longLength = GetLongPathNameA(path, longPath, sizeof(longPath));
  const char* full = longLength > 0 && longLength < sizeof(longPath) ? longPath : path;
  const char* slash = strrchr(full, '\\');
  Text_Copy(name, size, slash != nullptr ? slash + 1 : full);
  return true;
}

LONG WINAPI Filter(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (!g_guard.active || GetCurrentThreadId() != g_guard.thread || !CrashReport_Handles(record->ExceptionCode)) {
    return g_guard.previous != nullptr ? g_guard.previous(pointers) : EXCEPTION_CONTINUE_SEARCH;
  }
  char module[MAX_PATH];
  CrashFacts facts = {};
  facts.code = record->ExceptionCode;
  facts.parameterCount = record->NumberParameters;
  for (DWORD i = 0; i < 2 && i < record->NumberParameters; ++i) facts.parameters[i] = record->ExceptionInformation[i];
  facts.address = reinterpret_cast<uintptr_t>(record->ExceptionAddress);
  facts.pointerBytes = sizeof(void*);
  facts.module = ModuleNameOf(record->ExceptionAddress, module, sizeof(module)) ? module : nullptr;
  CrashReport_Compose(facts, g_guard.report, sizeof(g_guard.report));
  __builtin_longjmp(g_guard.jump, 1);
}

// Kept out of line so that the frame __builtin_setjmp marks stays the
// caller's until the body has returned.
__attribute__((noinline)) bool RunGuarded(int (*body)(void*), void* context, int* result) {
  if (__builtin_setjmp(g_guard.jump) != 0) {
    // Back from the filter: the 32-bit handler chain still names frames of
    // the abandoned stack, so it is put back as it was.
    SetHandlerChain(g_guard.exceptionList);
    return true;
  }
  *result = body(context);
  return false;
}

}  // namespace

bool CrashGuard_Run(int (*body)(void* context), void* context, int* result) {
  g_guard.active = true;
  g_guard.thread = GetCurrentThreadId();
  g_guard.exceptionList = HandlerChain();
  g_guard.report[0] = '\0';
  g_guard.previous = SetUnhandledExceptionFilter(Filter);
  bool crashed = RunGuarded(body, context, result);
  SetUnhandledExceptionFilter(g_guard.previous);
  g_guard.active = false;
  return crashed;
}

const char* CrashGuard_Report() { return g_guard.report; }
