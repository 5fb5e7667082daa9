#include "app/com_server_win32.h"

#include <cstdio>

#include "kernel/format.h"
#include "platform/file.h"
#include "platform/registry.h"

void RegisterLocalServer() {
  char path[300];
  snprintf(path, sizeof(path), "CLSID\\%s", kLocalServerClass);
  ScopedRegKey classKey;
  if (Reg_CreateKey(Reg_Root(RegRoot::ClassesRoot), path, RegAccess::Write, classKey.Out()) != 0) return;
  char name[260];
  VtSnPrintF(name, sizeof(name), "$(AppName.Full)");
  Reg_SetText(classKey.Get(), nullptr, name);

  ScopedRegKey server;
  if (Reg_CreateKey(classKey.Get(), "LocalServer32", RegAccess::Write, server.Out()) != 0) return;
  char program[1024];
  if (File_GetModulePath(program, sizeof(program)) == 0) Reg_SetText(server.Get(), nullptr, program);
}
