// A fault seam for tests of what a crash leaves behind: it counts the
// registry and file changes the process makes, and once a test has set a
// limit, every change past it fails as if the run had ended there. Nothing
// of the store changes after that point, whatever the code then tries.
#pragma once

#include <cstdint>

// Allows `changes` more changes; every later one fails. Counting starts anew.
void ChangeFault_Arm(uint32_t changes);
// Every change is allowed again.
void ChangeFault_Disarm();
// Counts one change about to be made; false when it must fail instead.
bool ChangeFault_Allow();
// The changes counted since the last Arm or Disarm, refused ones included.
uint32_t ChangeFault_Count();
