// Running another program and collecting what it prints (Windows only: the
// tests and the benchmark use it to run the system's own registry tool).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/status.h"

// Runs `commandLine`, waits for it to end and gives its exit code. What it
// writes to its standard output and error is kept in `output` (cut to
// `outputSize`, always NUL-terminated) and the rest read and dropped.
int32_t Process_Run(const char* commandLine, char* output, size_t outputSize, uint32_t* exitCode);
