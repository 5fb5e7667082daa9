// The text of the crash report that the exception guard shows.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kExceptionMisalignment = 0x80000002u;

// What the guard knows of an exception.
struct CrashFacts {
  uint32_t code;
  uint32_t parameterCount;
  uint64_t parameters[2];  // the first two parameters of the exception record
  uint64_t address;        // where it happened
  uint32_t pointerBytes;   // 4 in the 32-bit program, 8 in the 64-bit one
  const char* module;      // file name of the module holding the address, or null
};

// The name of an exception code, "Unknown Type" for codes without one.
const char* CrashReport_Name(uint32_t code);

// Whether the guard takes the exception; misalignment goes on to the system.
bool CrashReport_Handles(uint32_t code);

// "Exception 0x%08X (name)[ READ|WRITE:0x...] EIP:0x%08X\r\n", then
// "In Module '%s'\r\n" when the module is known. The 64-bit program names
// the address RIP; addresses above 32 bits get more digits.
void CrashReport_Compose(const CrashFacts& facts, char* report, size_t size);
