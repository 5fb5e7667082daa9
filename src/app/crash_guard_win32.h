// The top-level exception guard. GCC has no __try/__except, so the guard
// installs an unhandled-exception filter that writes the crash report and
// jumps back into the guard's frame; what the body left on the stack below
// is abandoned, as an __except block would abandon it.
#pragma once

// Runs body(context) inside the guard and gives its result in `*result`.
// True when an exception ended it; the report is then in CrashGuard_Report.
// One guard at a time, on one thread; exceptions on other threads and
// misalignment faults go on to the filter that was there before.
bool CrashGuard_Run(int (*body)(void* context), void* context, int* result);

// The last crash report (static storage).
const char* CrashGuard_Report();
