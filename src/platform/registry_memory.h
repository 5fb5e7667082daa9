// Test hook of the in-memory registry of the native build.
#pragma once

// Removes every key and value below the three roots. Open keys become
// deleted keys (their calls give 1018).
void MemoryRegistry_Clear();
