#include "app/crash_report.h"

#include <cstdio>

#include "platform/text.h"

namespace {

struct ExceptionName {
  uint32_t code;
  const char* name;
};

const ExceptionName kNames[] = {
    {0x80000001u, "GUARD_PAGE_VIOLATION"},    {0x80000002u, "DATATYPE_MISALIGNMENT"},
    {0x80000003u, "BREAKPOINT"},              {0x80000004u, "SINGLE_STEP"},
    {0xC0000005u, "ACCESS_VIOLATION"},        {0xC0000006u, "IN_PAGE_ERROR"},
    {0xC0000008u, "INVALID_HANDLE"},          {0xC0000017u, "NO_MEMORY"},
    {0xC000001Du, "ILLEGAL_INSTRUCTION"},     {0xC0000025u, "NONCONTINUABLE_EXCEPTION"},
    {0xC0000026u, "INVALID_DISPOSITION"},     {0xC000008Cu, "ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008Du, "FLOAT_DENORMAL_OPERAND"},  {0xC000008Eu, "FLOAT_DIVIDE_BY_ZERO"},
    {0xC000008Fu, "FLOAT_INEXACT_RESULT"},    {0xC0000090u, "FLOAT_INVALID_OPERATION"},
    {0xC0000091u, "FLOAT_OVERFLOW"},          {0xC0000092u, "FLOAT_STACK_CHECK"},
    {0xC0000093u, "FLOAT_UNDERFLOW"},         {0xC0000094u, "INTEGER_DIVIDE_BY_ZERO"},
    {0xC0000095u, "INTEGER_OVERFLOW"},        {0xC0000096u, "PRIVILEGED_INSTRUCTION"},
    {0xC00000FDu, "STACK_OVERFLOW"},          {0xC000013Au, "CONTROL_C_EXIT"},
};

}  // namespace

const char* CrashReport_Name(uint32_t code) {
  for (const ExceptionName& entry : kNames) {
    if (entry.code == code) return entry.name;
  }
  return "Unknown Type";
}

bool CrashReport_Handles(uint32_t code) { return code != kExceptionMisalignment; }

void CrashReport_Compose(const CrashFacts& facts, char* report, size_t size) {
  if (size == 0) return;
  char access[48] = "";
  if (facts.parameterCount == 2) {
    snprintf(access, sizeof(access), " %s:0x%08llX", facts.parameters[0] == 0 ? "READ" : "WRITE",
             static_cast<unsigned long long>(facts.parameters[1]));
  }
  snprintf(report, size, "Exception 0x%08X (%s)%s %s:0x%08llX\r\n", static_cast<unsigned>(facts.code),
           CrashReport_Name(facts.code), access, facts.pointerBytes == 8 ? "RIP" : "EIP",
           static_cast<unsigned long long>(facts.address));
  if (facts.module != nullptr) {
    char line[320];
    snprintf(line, sizeof(line), "In Module '%s'\r\n", facts.module);
    Text_Append(report, size, line);
  }
}
