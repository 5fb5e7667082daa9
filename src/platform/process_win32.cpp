#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "platform/process.h"
#include "platform/win32_handle.h"

namespace {

int32_t LastError() { return StatusFromError(GetLastError()); }

// Reads the pipe until the child closes it.
void Drain(HANDLE pipe, char* output, size_t outputSize) {
  size_t used = 0;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(pipe, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    size_t take = used + 1 < outputSize ? outputSize - 1 - used : 0;
    if (take > got) take = got;
    memcpy(output + used, chunk, take);
    used += take;
  }
  if (outputSize > 0) output[used] = '\0';
}

}  // namespace

int32_t Process_Run(const char* commandLine, char* output, size_t outputSize, uint32_t* exitCode) {
  if (outputSize > 0) output[0] = '\0';
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  ScopedHandle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) return LastError();
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  PROCESS_INFORMATION process = {};
  // CreateProcess may write into the command line.
  size_t length = strlen(commandLine);
  std::unique_ptr<char[]> line(new (std::nothrow) char[length + 1]);
  if (!line) return E_OUTOFMEMORY;
  memcpy(line.get(), commandLine, length + 1);
  if (!CreateProcessA(nullptr, line.get(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process)) {
    return LastError();
  }
  ScopedHandle child(process.hProcess), thread(process.hThread);
  // Only the child may hold the write end now, so the reads end when it does.
  writeEnd.Reset();
  Drain(readEnd.Get(), output, outputSize);
  WaitForSingleObject(child.Get(), INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(child.Get(), &code)) return LastError();
  *exitCode = code;
  return 0;
}
