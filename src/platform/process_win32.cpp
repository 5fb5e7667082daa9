#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/process.h"

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
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return LastError();
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION process = {};
  // CreateProcess may write into the command line.
  size_t length = strlen(commandLine);
  char* line = static_cast<char*>(malloc(length + 1));
  if (line == nullptr) {
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return E_OUTOFMEMORY;
  }
  memcpy(line, commandLine, length + 1);
  BOOL started = CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                                &process);
  int32_t status = started ? 0 : LastError();
  free(line);
  // Only the child may hold the write end now, so the reads end when it does.
  CloseHandle(writeEnd);
  if (status == 0) {
    Drain(readEnd, output, outputSize);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (!GetExitCodeProcess(process.hProcess, &code)) status = LastError();
    *exitCode = code;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return status;
}
